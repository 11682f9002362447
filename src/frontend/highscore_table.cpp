#include "frontend/highscore_table.h"

#include <cstdio>

#include "core/common.h"
#include "core/fonts.h"
#include "core/helpers.h"
#include "core/rainbow_phaser.h"
#include "frontend/frontend.h"
#include "frontend/frontend_hooks.h"
#include "frontend/online_watch.h"
#include "persist/highscores.h"
#include "persist/records.h"
#include "persist/replay_store.h"
#include "platform/font.h"
#include "platform/graphics.h"
#include "show/particle.h"
#include "show/show.h"

namespace {

bool EntryHasGame(int entry) {
  return entry >= 0 && size_t(entry) < entryReplays.size() && entryReplays[size_t(entry)].Watchable();
}

bool EntryOfOtherRules(int entry) {
  return size_t(entry) < entryReplays.size() && entryReplays[size_t(entry)].other_rules;
}

bool AnyEntryHasGame() {
  for (int i = 0; i < THighscores::kEntries; ++i)
    if (EntryHasGame(i)) return true;
  return false;
}

void WatchEntry(int entry) {
  if (!EntryHasGame(entry) || !frontendHooks.watch_replay) return;
  const uint8_t before = returnToHighscores;
  returnToHighscores = kBackFromWatching;
  if (!frontendHooks.watch_replay(entryReplays[size_t(entry)].path)) returnToHighscores = before;
}

// The bar behind the row the cursor keys have selected.
void DrawSelectionBar(int32_t row) {
  SetColor(48, 48, 56);
  DrawRect(78, float(row - 1), 164, 9);
}

}  // namespace

void DrawHighscoreTable(uint8_t y) {
  SetImageFont(fntMain);
  rainbow.Set();
  DrawTextCentred("H I G H S C O R E S", 160, y, 1);
  char text[24];
  for (int i = 0; i < THighscores::kEntries; ++i) {
    const int32_t row = y + 10 + 9 * i;
    if (menuSelected == kFirstEntryItem + i) DrawSelectionBar(row);
    SetColor(127, 127, 127);
    std::snprintf(text, sizeof text, "%d", i + 1);
    DrawTextRight(text, 92, row, 1);
    if (i == highscoreHighlight)
      rainbowFast.Set();
    else
      SetColor(255, 255, 255);
    std::snprintf(text, sizeof text, "%d", highscores.score[i]);
    // A name runs at most to three pixels short of its score; longer ones are cut.
    if (highscores.player[i].empty())
      DrawTextShadow("-", 97, row);
    else
      DrawTextShadow(FitText(highscores.player[i], 213 - 3 - TextWidth(text) - 96), 96, row);
    SetColor(191, 191, 191);
    DrawTextRight(text, 213, row, 1);
    SetColor(255, 255, 0);
    SetImageFont(fntSmall);
    std::snprintf(text, sizeof text, "%c:%u", char(highscores.stage[i] + 64), unsigned(highscores.wave[i]));
    DrawTextRight(text, 233, y + 14 + 9 * i, 1);
    // A game of other rules would play another way than it was played.
    if (EntryOfOtherRules(i)) {
      SetColor(127, 127, 127);
      DrawText("older game", 238, y + 14 + 9 * i);
    }
    SetImageFont(fntMain);
  }
  if (AnyEntryHasGame()) {
    SetImageFont(fntSmall);
    SetColor(127, 127, 127);
    DrawTextCentred("Click or select an entry to watch its game", 160, y + 10 + 9 * THighscores::kEntries + 6, 1);
    SetImageFont(fntMain);
  }
  CreateMenuSparks(160, uint16_t(y + 18), 77, 2, 1.0f);
  CreateMenuSparks(160, uint16_t(y + 27), 77, 3, 0.7f);
  CreateMenuSparks(160, uint16_t(y + 36), 77, 4, 0.4f);
}

bool IsEntryItem(uint8_t id) { return id >= kFirstEntryItem && id < kFirstEntryItem + THighscores::kEntries; }

void FindEntryReplays() { entryReplays = GamesOfEntries(highscores); }

bool EntryItemShown(uint8_t id) {
  return showOnlineScores ? OnlineRowShown(id - kFirstEntryItem) : EntryHasGame(id - kFirstEntryItem);
}

void WatchEntryItem(uint8_t id) {
  if (showOnlineScores)
    WatchOnlineRow(id - kFirstEntryItem);
  else
    WatchEntry(id - kFirstEntryItem);
}

int HighscoreRowAt(int32_t x, int32_t y, uint8_t table_y) {
  const int32_t top = table_y + 10;
  if (x < 80 || x > 240 || y < top) return -1;
  const int32_t row = (y - top) / 9;
  return row < THighscores::kEntries ? row : -1;
}

void WatchEntryAt(int32_t x, int32_t y, uint8_t table_y) {
  const int row = HighscoreRowAt(x, y, table_y);
  if (showOnlineScores)
    WatchOnlineRow(row);
  else
    WatchEntry(row);
}
