#pragma once
#include "core/screen.h"

// The two studio cards the program opens with; any button skips a card.
Screen* TheSplashScreen();
// Where the splash leads (the menu, or until it exists a game).
void SetScreenAfterSplash(Screen* next);
