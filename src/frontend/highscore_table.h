#pragma once
#include <cstdint>

// The local highscore table as the highscores screen shows it, top at y:
// the title, fifteen rows (the entry added last in cycling colours, the entry
// selected on a bar), and sparks along the top three.
void DrawHighscoreTable(uint8_t y);

// The entries are items of the highscores page, so the cursor keys and Enter
// reach their games as a click does: ids kFirstEntryItem onwards, top first.
// They stand for the online table's rows while it is shown.
constexpr uint8_t kFirstEntryItem = 22;
bool IsEntryItem(uint8_t id);

// Looks up which entries have a recorded game; the page does it as it opens.
void FindEntryReplays();
// The entry's item is walked to only when it has a game to show.
bool EntryItemShown(uint8_t id);
// Shows the game of the entry's item.
void WatchEntryItem(uint8_t id);

// The entry whose row is at the pointer (picture pixels) in a table drawn at
// y, or -1.
int HighscoreRowAt(int32_t x, int32_t y, uint8_t table_y);
// A click on a row with a recorded game shows that game (of the online table when it is shown).
void WatchEntryAt(int32_t x, int32_t y, uint8_t table_y);
