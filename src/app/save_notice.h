#pragma once
#include <string>

// A save of the player's files that failed is shown for a few seconds at the
// bottom of whatever screen is up (the menu, the highscores, the name entry),
// so the player learns of it without reading the terminal.

// The line to show now ("" when none): what could not be saved, and where.
// Starts the notice's time on its first call after a new failure.
std::string SaveNoticeText();
// Draws it over the frame's picture; called once a frame by the frame driver.
void DrawSaveNotice();
