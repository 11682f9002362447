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
  int64_t frames = 0;
  int64_t first_ms = -1, last_ms = 0;
};
// Process-wide: the one frame driver every loop of the program runs through.
Driver driver;

}  // namespace

void SetUnpaced(bool unpaced) { driver.unpaced = unpaced; }
bool Unpaced() { return driver.unpaced; }

bool RunFrame(Screen& screen) {
  const bool by_timer = screen.pacing() == Pacing::kTimer;
  if (by_timer && !driver.unpaced) gameTimer.Wait();
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
  Flip(!by_timer && !driver.unpaced);
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

FrameCount FramesRun() { return {driver.frames, driver.first_ms < 0 ? 0 : driver.last_ms - driver.first_ms}; }

void RunScreens(Screen* first) {
  SwitchScreen(first);
  while (StepFrame()) {
  }
  if (DebugLogEnabled()) {
    const FrameCount count = FramesRun();
    char line[128];
    std::snprintf(line, sizeof line, "%lld frames in %.2f s: %.1f frames per second%s", (long long)count.frames,
                  double(count.millis) / 1000.0,
                  count.millis > 0 ? double(count.frames) * 1000.0 / double(count.millis) : 0.0,
                  driver.unpaced ? " (unpaced)" : "");
    DebugLog(line);
  }
}
