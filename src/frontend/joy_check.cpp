#include "frontend/joy_check.h"

#include "core/common.h"
#include "core/menu_screens.h"
#include "frontend/frontend.h"
#include "frontend/menu_state.h"
#include "frontend/options.h"
#include "platform/clock.h"
#include "platform/input.h"
#include "platform/log.h"

void TJoyCheck::Update() {
  const int64_t now = MilliSecs();
  if (now - lastcheck > 5000) {
    Check();
    lastcheck = now;
  }
}

void TJoyCheck::Check() {
  const uint8_t was_present = joypadPresent;
  joypadPresent = JoyCount() > 0 ? 1 : 0;
  if (joypadPresent != was_present)
    DebugLog(joypadPresent ? "Joypad check: a joypad is there" : "Joypad check: no joypad");
  // "Joypad" comes and goes in the controls while the options are shown.
  if (menuScreen == MENU_OPTIONS) RefillControlsSet();
}
