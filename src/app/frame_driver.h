#pragma once
#include <cstdint>

#include "core/screen.h"

// The one loop of the program. Every frame of every screen goes through
// RunFrame: pacing (once: the frame timer's wait or the flip's own limit),
// input poll, the close request, clear, the screen's step, the keys every
// screen shares (F12 saves a screenshot of the finished picture), flip.

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

// Frames run and the clock's milliseconds over them, since the start.
struct FrameCount {
  int64_t frames = 0;
  int64_t millis = 0;
};
FrameCount FramesRun();
