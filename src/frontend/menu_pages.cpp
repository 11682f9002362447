#include "frontend/menu_pages.h"

#include <array>
#include <initializer_list>
#include <string>

#include "core/common.h"
#include "core/fonts.h"
#include "core/helpers.h"
#include "core/menu_screens.h"
#include "core/screen_size.h"
#include "frontend/clickable_text.h"
#include "frontend/credits.h"
#include "frontend/frontend.h"
#include "frontend/frontend_hooks.h"
#include "frontend/highscore_table.h"
#include "frontend/info_screens.h"
#include "frontend/logo.h"
#include "frontend/menu.h"
#include "frontend/menu_particle.h"
#include "frontend/menu_state.h"
#include "frontend/online_watch.h"
#include "frontend/options.h"
#include "persist/highscores.h"
#include "persist/records.h"
#include "platform/font.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/log.h"
#include "show/particle.h"
#include "show/show.h"

namespace {

constexpr uint8_t kHighscoreTableY = 45;  // the local table's title

// --- what the items do ---------------------------------------------------------

void StartGameNow(uint8_t = 0) {
  if (frontendHooks.start_game) frontendHooks.start_game();
}

void Play(uint8_t) {
  // A fresh count, not the last check: the pad may have gone since.
  if (JoyCount() == 0 && config.controls == CONTROLS_JOYPAD)
    MenuFadeTo(MENU_JOYPAD);
  else
    MenuFadeAllTo(kStartGame);
}

void Quit(uint8_t) { menuQuit = 1; }
void QuitMenu() { menuQuit = 1; }

void RetryJoypad(uint8_t) {
  joycheck.Check();
  if (joypadPresent) MenuFadeAllTo(kStartGame);
}

void PlayWithMouse(uint8_t) {
  config.controls = CONTROLS_MOUSE;
  StartGameNow();
}

void PlayWithKeyboard(uint8_t) {
  config.controls = CONTROLS_KEYBOARD;
  StartGameNow();
}

const char* OnlineViewText() { return showOnlineScores ? "View Offline Scores" : "View Online Scores"; }

void ShowOnlineViewText() {
  lstClickables.ForEach([](TClickableText* text) {
    if (text->id != kOnlineViewItem) return;
    text->txt = OnlineViewText();
    text->CalculateDimensions();
  });
}

void ToggleOnlineView(uint8_t) {
  ForgetOnlineWatch();
  showOnlineScores = showOnlineScores ? 0 : 1;
  // Every switch to the online table asks the server again.
  if (showOnlineScores && config.online) {
    onlineFetchResult = onlineScores.GetScores(0, 15);
    DebugLog(onlineFetchResult > 0 ? "Online scores: " + std::to_string(lstOnlineScores.Count()) + " rows"
                                   : std::string("Online scores: the scoreboard could not be reached"));
  }
  ShowOnlineViewText();
}

void BuildHighscores() {
  FindEntryReplays();
  ShowOnlineViewText();
}

void BackToMain() { MenuFadeTo(MENU_MAIN); }

// Escape gives a game's download up first, and leaves the page only after.
void BackFromHighscores() {
  if (CancelOnlineWatch()) return;
  ForgetOnlineWatch();
  BackToMain();
}

void CloseCredits() {
  MenuFadeTo(MENU_MAIN);
  creditsClosing = 1;
}

// --- what the pages draw -------------------------------------------------------

// The lines of one text, centred on the screen, each in its colour.
struct Line {
  const char* text;
  uint8_t r, g, b;
  int32_t y;
};

// A text with a line wider than the screen in the main font (a web address can
// be any length) is set in the small font, all of it: one paragraph, one font.
void Paragraph(std::initializer_list<Line> lines) {
  ImageFont* const font = GetImageFont();
  bool too_wide = false;
  for (const Line& line : lines) too_wide |= TextWidth(line.text) > kScreenWidth - 8;
  if (too_wide) SetImageFont(fntSmall);
  for (const Line& line : lines) {
    SetColor(line.r, line.g, line.b);
    DrawTextCentred(line.text, 160, line.y, 1);
  }
  SetImageFont(font);
}

void MainBody() {
  SetImageFont(fntSmall);
  SetColor(63, 63, 63);
  DrawTextCentred("v" SKITTERWORM_VERSION, 160, 234, 0);
}

void HighscoresBody() {
  if (!showOnlineScores) {
    DrawHighscoreTable(kHighscoreTableY);
  } else if (config.online) {
    if (onlineFetchResult > 0) {
      StepOnlineWatch();
      onlineScores.Draw(kHighscoreTableY, CreateMenuSparks,
                        IsEntryItem(menuSelected) ? menuSelected - kFirstEntryItem : -1);
      DrawOnlineWatchLine();
    } else {
      Paragraph({{"Uh oh! Something's gone wrong...", 255, 0, 0, 70},
                 {"Skitterworm couldn't connect to the online scoreboard.", 191, 191, 191, 90},
                 {"Make sure your internet connection is working and that", 191, 191, 191, 100},
                 {"your firewall isn't blocking Skitterworm's traffic.", 191, 191, 191, 110},
                 {"If you keep getting this error, visit...", 191, 191, 191, 135},
                 {"...and let me know via the Contact page. Thanks!", 191, 191, 191, 165},
                 {onlineScores.web_address.c_str(), 255, 191, 127, 150}});
    }
  } else {
    Paragraph({{"Online highscores are disabled.", 255, 0, 0, 110},
               {"Enable them from the options menu, then try again.", 191, 191, 191, 130}});
  }
}

// A click on an entry of the table shown shows its game.
void HighscoresClick() {
  if (!showOnlineScores || onlineFetchResult > 0) WatchEntryAt(MouseX(), MouseY(), kHighscoreTableY);
}

void CreditsBody() {
  SetAlpha(fadeText.value);
  CreditsStep();
  CreditsDraw();
  SetAlpha(fadeScene.value);
  DrawLogo();
}

void JoypadDialogBody() {
  Paragraph({{"Oops!", 255, 0, 0, 70},
             {"You've selected joypad controls but there", 255, 191, 127, 85},
             {"doesn't seem to be a joypad connected.", 255, 191, 127, 95}});
}

// --- the pages -------------------------------------------------------------------

constexpr MenuItem kMainItems[] = {
    {kPlayItem, "Play", 80, 0, Play},
    {kOptionsItem, "Options", 95, MENU_OPTIONS},
    {kHighscoresItem, "Highscores", 110, MENU_HIGHSCORES},
    {kStatisticsItem, "Statistics", 125, MENU_STATISTICS},
    {kHelpItem, "Help", 140, MENU_HELP},
    {kCreditsItem, "Credits", 155, MENU_CREDITS},
    {kQuitItem, "Quit", 170, 0, Quit},
};

// The option sets' headers are made by the options page itself.
constexpr auto kOptionsItems = [] {
  std::array<MenuItem, kOptionItems + 1> items{};
  for (uint8_t i = 0; i < kOptionItems; ++i)
    items[i] = {uint8_t(kFirstOptionItem + i), nullptr, 0, 0, OptionHeaderAction};
  items[kOptionItems] = {kOptionsBackItem, "Return to Main Menu", 224, MENU_MAIN};
  return items;
}();

// The local table's entries come first, so going up from the buttons reaches
// the lowest entry with a game.
constexpr auto kHighscoresItems = [] {
  std::array<MenuItem, THighscores::kEntries + 2> items{};
  for (uint8_t i = 0; i < THighscores::kEntries; ++i)
    items[i] = {uint8_t(kFirstEntryItem + i), nullptr, 0, 0, WatchEntryItem, EntryItemShown};
  items[THighscores::kEntries] = {kOnlineViewItem, "View Online Scores", 213, 0, ToggleOnlineView};
  items[THighscores::kEntries + 1] = {kHighscoresBackItem, "Return to Main Menu", 224, MENU_MAIN};
  return items;
}();

constexpr MenuItem kStatisticsItems[] = {{kStatisticsBackItem, "Return to Main Menu", 224, MENU_MAIN}};
constexpr MenuItem kHelpItems[] = {{kHelpBackItem, "Return to Main Menu", 224, MENU_MAIN}};

constexpr MenuItem kJoypadItems[] = {
    {kJoypadRetryItem, "I've plugged it in - try again!", 120, 0, RetryJoypad},
    {kJoypadMouseItem, "Use mouse instead", 135, 0, PlayWithMouse},
    {kJoypadKeyboardItem, "Use keyboard instead", 150, 0, PlayWithKeyboard},
    {kJoypadBackItem, "Return to Main Menu", 224, MENU_MAIN},
};

const MenuPage kPages[] = {
    {.screen = MENU_MAIN,
     .items = kMainItems,
     .opens_at = 0,
     .main_item = 0,
     .logo = true,
     .build = nullptr,
     .body = MainBody,
     .back = QuitMenu},
    {.screen = MENU_OPTIONS,
     .items = kOptionsItems,
     .opens_at = kFirstOptionItem,
     .main_item = kOptionsItem,
     .logo = true,
     .build = BuildOptionSets,
     .body = OptionsBody,
     .back = BackToMain},
    {.screen = MENU_HIGHSCORES,
     .items = kHighscoresItems,
     .opens_at = kHighscoresBackItem,
     .main_item = kHighscoresItem,
     .logo = true,
     .build = BuildHighscores,
     .body = HighscoresBody,
     .back = BackFromHighscores,
     .click = HighscoresClick},
    {.screen = MENU_STATISTICS,
     .items = kStatisticsItems,
     .opens_at = kStatisticsBackItem,
     .main_item = kStatisticsItem,
     .logo = true,
     .build = nullptr,
     .body = StatisticsBody,
     .back = BackToMain},
    {.screen = MENU_HELP,
     .items = kHelpItems,
     .opens_at = kHelpBackItem,
     .main_item = kHelpItem,
     .logo = true,
     .build = nullptr,
     .body = HelpBody,
     .back = BackToMain},
    {.screen = MENU_CREDITS,
     .items = {},
     .opens_at = 0,
     .main_item = kCreditsItem,
     .logo = false,
     .build = StartCredits,
     .body = CreditsBody,
     .back = CloseCredits},
    {.screen = MENU_JOYPAD,
     .items = kJoypadItems,
     .opens_at = kJoypadRetryItem,
     .main_item = kPlayItem,
     .logo = true,
     .build = nullptr,
     .body = JoypadDialogBody,
     .back = BackToMain},
};

}  // namespace

const MenuPage* FindMenuPage(uint8_t screen) {
  for (const MenuPage& page : kPages)
    if (page.screen == screen) return &page;
  return nullptr;
}

const MenuItem* FindMenuItem(uint8_t screen, uint8_t id) {
  if (const MenuPage* page = FindMenuPage(screen))
    for (const MenuItem& item : page->items)
      if (item.id == id) return &item;
  return nullptr;
}
