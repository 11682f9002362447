#pragma once
#include <cstdint>
#include <span>

// Every page of the menu, described once: its items (the widget's id, label
// and place, and what choosing it does), what the page draws, where Escape
// leads, which item is selected when it opens and which item of the main menu
// is selected on coming back from it. The menu loop (frontend/menu.cpp) reads
// these tables; adding an item to a page is one line of its table.

// The items' ids, one of their own in the whole menu. The option sets'
// headers are kFirstOptionItem onwards (frontend/options.cpp names each),
// the highscore entries kFirstEntryItem onwards (frontend/highscore_table.h).
constexpr uint8_t kPlayItem = 1, kOptionsItem = 2, kHighscoresItem = 3, kStatisticsItem = 4, kHelpItem = 5,
                  kCreditsItem = 6, kQuitItem = 7;
constexpr uint8_t kFirstOptionItem = 10, kOptionItems = 8, kOptionsBackItem = 18;
constexpr uint8_t kOnlineViewItem = 20, kHighscoresBackItem = 21;
constexpr uint8_t kStatisticsBackItem = 30, kHelpBackItem = 40;
constexpr uint8_t kJoypadRetryItem = 250, kJoypadMouseItem = 251, kJoypadKeyboardItem = 252, kJoypadBackItem = 253;

struct MenuItem {
  uint8_t id;         // the widget's id, one of its own in the whole menu
  const char* label;  // centred at x 160; nullptr: the page builds that widget itself
  int32_t y;
  uint8_t opens = 0;                     // the page it leads to, or 0
  void (*choose)(uint8_t id) = nullptr;  // what choosing it does besides
  bool (*shown)(uint8_t id) = nullptr;   // the cursor keys pass it by while false
};

struct MenuPage {
  uint8_t screen;                   // MENU_*
  std::span<const MenuItem> items;  // in the order the cursor keys walk them
  uint8_t opens_at;                 // the item selected when the page opens (0: as it is)
  uint8_t main_item;                // the main menu's item selected on coming back from it
  bool logo;                        // the logo stands above the page
  void (*build)();                  // widgets of its own, after the items' (or nullptr)
  void (*body)();                   // what the page draws every frame
  void (*back)();                   // Escape
  void (*click)() = nullptr;        // a click on none of the items
};

const MenuPage* FindMenuPage(uint8_t screen);
// The item of that id on the page of that screen, or nullptr. Ids are only
// unique within a page: the table's entries share theirs with the
// statistics' return item.
const MenuItem* FindMenuItem(uint8_t screen, uint8_t id);
