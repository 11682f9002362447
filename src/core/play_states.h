#pragma once
// Where a game stands (world.gameState), and how its stage is shown.
#include <cstdint>

constexpr uint8_t STATE_ENTERING = 1;
constexpr uint8_t STATE_PLAYING = 2;
constexpr uint8_t STATE_PAUSED = 3;
constexpr uint8_t STATE_NEXTWAVE = 4;
constexpr uint8_t STATE_CLEARED = 5;
constexpr uint8_t STATE_GAMEOVER = 6;
constexpr uint8_t STATE_ENDED = 99;

// The stage's letter: stage 1 is A; the byte wraps, so stage 256 is shown as "@".
constexpr char StageLetter(uint8_t stage) { return char(64 + stage); }
