#pragma once
#include <cstdint>

// The menu's state, shared by the menu loop, its widgets and its screens, is
// the front end's (frontend/frontend.h).
#include "frontend/frontend.h"

// Screen the fade-out leads to: a menu screen, or kStartGame.
constexpr uint8_t kStartGame = 100;
// The joypad-missing dialog shares its number with the in-game value.
constexpr uint8_t MENU_JOYPAD = 99;
