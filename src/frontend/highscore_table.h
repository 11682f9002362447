#pragma once
#include <cstdint>

// The local highscore table as the highscores screen shows it, top at y:
// the title, fifteen rows (the entry added last in cycling colours), and
// sparks along the top three.
void DrawHighscoreTable(uint8_t y);
