#pragma once
#include <cstdint>

#include "core/screen.h"

// The one loop of the program. Every frame of every screen goes through
// RunFrame: the frame timer's wait, input poll, the close request, clear, the
// screen's step, the keys every screen shares (F12 saves a screenshot of the
// finished picture), flip.
//
// Every screen (the splash, play, the menus, the name entry) steps 60 times
// a second of real time whatever the display does: when the flip waited for
// a slower display (a 50 Hz one with vsync), the ticks that passed meanwhile
// are stepped one after the other and only the last of them is shown. So the
// picture keeps the display's pace and shows the latest state, and play keeps
// the clock's. A stall longer than a few ticks is not made up: play would leap.

// Unpaced, frames run back to back without waiting for the clock (tests and
// benchmarks): the same frames as paced play, only sooner.
void SetUnpaced(bool unpaced);
bool Unpaced();

// One frame of the given screen. Returns false when the window was closed
// instead (the screen was told, and nothing was drawn).
bool RunFrame(Screen& screen);
// One frame of the current screen, after making any switch asked for in the
// frame before. False when the program is to end.
bool StepFrame();
// Runs frames from the given screen on until a screen ends the program, then
// writes the frames per second to the debug log.
void RunScreens(Screen* first);

// Frames run (steps of a screen), pictures shown, and the clock's
// milliseconds over them, since the start.
struct FrameCount {
  int64_t frames = 0;
  int64_t pictures = 0;
  int64_t millis = 0;
};
FrameCount FramesRun();
