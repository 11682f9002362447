#include "app/display_modes.h"

#include <cstdio>
#include <cstdlib>

#include "app/game_state.h"
#include "platform/graphics.h"
#include "platform/log.h"

namespace {
DisplayOverride display_override;
}

void SetDisplayOverride(const DisplayOverride& override_request) { display_override = override_request; }

// A window at the requested scale until the settings file drives the display.
void OpenDisplay() {
  const int scale = display_override.scale.value_or(2);
  const bool fullscreen = display_override.fullscreen.value_or(false);
  const int depth = fullscreen ? 32 : 0;
  const int factor = fullscreen ? 2 : scale;
  if (!Graphics(kScreenWidth * factor, kScreenHeight * factor, depth, 60)) {
    std::fprintf(stderr, "skitterworm: cannot open a %dx%d display\n", kScreenWidth * factor, kScreenHeight * factor);
    std::exit(1);
  }
  SetBlend(Blend::kLight);
  drawScale = uint8_t(factor);
  SetScale(drawScale, drawScale);
}
