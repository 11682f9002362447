#include "app/frame_driver.h"

#include <cstdio>
#include <string>

#include "app/save_notice.h"
#include "app/screenshot.h"
#include "core/common.h"
#include "core/helpers.h"
#include "platform/clock.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/log.h"
#include "platform/stop.h"

namespace {

// One program, one loop: how it is paced and how far it has run are
// process-wide.
struct Driver {
  bool unpaced = false;
  int64_t frames = 0, pictures = 0;
  int64_t first_ms = -1, last_ms = 0;
};
// Process-wide: the one frame driver every loop of the program runs through.
Driver driver;

}  // namespace

void SetUnpaced(bool unpaced) { driver.unpaced = unpaced; }
bool Unpaced() { return driver.unpaced; }

bool RunFrame(Screen& screen) {
  // Ticks owed are stepped at once; unpaced, the timer starts afresh when
  // pacing comes back.
  const int steps_owed = driver.unpaced ? 0 : gameTimer.Tick();
  if (driver.unpaced) gameTimer.Restart();
  PollSystem();
  if (AppTerminate()) {
    screen.CloseRequested();
    // Told to stop (a logout, a kill): no screen takes its time to say goodbye,
    // as the splash does fading its cards out.
    if (StopRequested()) SwitchScreen(nullptr);
    return false;
  }
  Cls();
  screen.Step();
  DrawSaveNotice();
  if (KeyHit(vk::kF12)) SaveScreenshot();
  // With steps still owed this picture is never shown; a screen that is
  // leaving shows its last one now.
  if (steps_owed == 0 || ScreenSwitchPending()) {
    Flip();
    ++driver.pictures;
  }
  const int64_t now = MilliSecs();
  if (driver.first_ms < 0) driver.first_ms = now;
  driver.last_ms = now;
  ++driver.frames;
  return true;
}

bool StepFrame() {
  Screen* screen = ApplyScreenSwitch();
  if (!screen) return false;
  RunFrame(*screen);
  // A switch to no screen at all ends the program now, with the old
  // screen's Leave, rather than after one more frame.
  if (ScreenSwitchPending() && !ApplyScreenSwitch()) return false;
  return true;
}

FrameCount FramesRun() {
  return {driver.frames, driver.pictures, driver.first_ms < 0 ? 0 : driver.last_ms - driver.first_ms};
}

void RunScreens(Screen* first) {
  SwitchScreen(first);
  while (StepFrame()) {
  }
  if (DebugLogEnabled()) {
    const FrameCount count = FramesRun();
    const double seconds = double(count.millis) / 1000.0;
    const auto per_second = [seconds](int64_t n) { return seconds > 0 ? double(n) / seconds : 0.0; };
    char line[160];
    std::snprintf(line, sizeof line, "%lld frames in %.2f s: %.1f frames per second, %.1f pictures per second%s",
                  (long long)count.frames, seconds, per_second(count.frames), per_second(count.pictures),
                  driver.unpaced ? " (unpaced)" : "");
    DebugLog(line);
  }
}
