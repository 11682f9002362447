#pragma once
#include <cstdint>

// The menu's state, shared by the menu loop, its widgets and its screens.
// menuScreen, polledKey and joyButtons live with the other game-wide values
// in game_state.h, because the game and the display switches read them too.

// Screen the fade-out leads to: a menu screen, or kStartGame.
constexpr uint8_t kStartGame = 100;
// The joypad-missing dialog shares its number with the in-game value.
constexpr uint8_t MENU_JOYPAD = 99;

extern uint8_t menuTarget;
extern uint8_t menuSelected;      // id of the highlighted widget
extern uint8_t menuQuit;          // 1: the program ends after this frame
extern uint8_t keyConfigStep;     // 0 idle, 1..7 waiting for action n, 8 one frame after the last
extern uint8_t showOnlineScores;  // the highscores screen shows the online table
extern int32_t onlineFetchResult;
extern uint8_t returnToHighscores;  // the next menu entry opens at the highscores
extern uint8_t creditsClosing;
extern uint16_t creditsClock;
extern uint8_t joypadPresent;
extern int32_t joyNavFrames;
