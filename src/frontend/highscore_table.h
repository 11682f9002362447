#pragma once
#include <cstdint>

// The local highscore table as the highscores screen shows it, top at y:
// the title, fifteen rows (the entry added last in cycling colours), and
// sparks along the top three.
void DrawHighscoreTable(uint8_t y);

// The entry whose row is at the pointer (picture pixels) in a table drawn at
// y, or -1.
int HighscoreRowAt(int32_t x, int32_t y, uint8_t table_y);
// A click on a row with a recorded game shows that game.
void WatchEntryAt(int32_t x, int32_t y, uint8_t table_y);
