#pragma once
// The menu's screens (menuScreen): which page the menu shows; MENU_INGAME is
// the pause screen's menu. The pages themselves are frontend/menu_pages.h.
#include <cstdint>

constexpr uint8_t MENU_MAIN = 1, MENU_OPTIONS = 2, MENU_HIGHSCORES = 3, MENU_STATISTICS = 4, MENU_HELP = 5,
                  MENU_CREDITS = 6, MENU_INGAME = 99;
