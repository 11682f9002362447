#include "app/display_modes.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/common.h"
#include "core/menu_screens.h"
#include "core/screen_size.h"
#include "frontend/options.h"
#include "persist/config.h"
#include "persist/records.h"
#include "platform/graphics.h"
#include "platform/log.h"

namespace {

// Process-wide: the display the command line asked for, and the player's own one it stands in for.
DisplayOverride display_override;

// The display part of the settings as they were before a command-line
// override; empty when no override is in force.
struct StoredDisplay {
  uint8_t vmode, vres, vscale;
};
std::optional<StoredDisplay> stored_display;

bool IsFullscreen(uint8_t vmode) { return vmode >= 1 && vmode <= 3; }

int Depth(uint8_t vmode) {
  static constexpr int kDepths[4] = {0, 16, 24, 32};
  return IsFullscreen(vmode) ? kDepths[vmode] : 0;
}

std::string Describe(int factor, int depth) {
  return std::to_string(kScreenWidth * factor) + "x" + std::to_string(kScreenHeight * factor) +
         (depth ? "x" + std::to_string(depth) : std::string(" window"));
}

// A switch that failed puts the previous display back; if even that cannot
// open, the game has nothing to draw on and stops.
void Reopen(const StoredDisplay& previous) {
  config.vmode = previous.vmode;
  config.vres = previous.vres;
  config.vscale = previous.vscale;
  if (OpenDisplay()) return;
  std::fprintf(stderr, "skitterworm: the display cannot be opened again\n");
  std::exit(1);
}

void Switch(const StoredDisplay& previous) {
  stored_display.reset();  // the player chose this display: it is theirs to keep
  if (!OpenDisplay()) Reopen(previous);
  // The options screen's display sets follow every switch while it is shown.
  if (menuScreen == MENU_OPTIONS) RefillDisplaySet();
}

StoredDisplay Current() { return {config.vmode, config.vres, config.vscale}; }

}  // namespace

bool OpenDisplay() {
  const bool fullscreen = IsFullscreen(config.vmode);
  const int factor = fullscreen ? config.vres : config.vscale;
  const int depth = Depth(config.vmode);
  EndGraphics();
  if (factor < 1 || factor > 4 || !Graphics(kScreenWidth * factor, kScreenHeight * factor, depth, 60)) {
    DebugLog("Display " + Describe(factor, depth) + " cannot be opened");
    return false;
  }
  SetBlend(Blend::kLight);
  SetDrawScale(factor);
  SetScale(1, 1);
  // No window icon to set here: the desktop takes it from the installed
  // .desktop entry.
  return true;
}

void SetDisplayOverride(const DisplayOverride& override_request) { display_override = override_request; }

void OpenStartupDisplay() {
  if (display_override.fullscreen || display_override.scale) {
    stored_display = Current();
    if (display_override.scale) config.vscale = uint8_t(*display_override.scale);
    if (display_override.fullscreen == false) config.vmode = 4;
    if (display_override.fullscreen == true && !IsFullscreen(config.vmode)) {
      config.SetBest320();
      config.SetBest640();
      if (!IsFullscreen(config.vmode)) DebugLog("No full-screen mode was found; the game opens in a window");
    }
  }
  if (OpenDisplay()) return;
  const std::string mode = Describe(IsFullscreen(config.vmode) ? config.vres : config.vscale, Depth(config.vmode));
  std::fprintf(stderr, "skitterworm: cannot open the display %s\n", mode.c_str());
  Notify("Skitterworm cannot open the display " + mode + ".");
  std::exit(1);
}

void RestoreOverriddenDisplay() {
  if (!stored_display) return;
  config.vmode = stored_display->vmode;
  config.vres = stored_display->vres;
  config.vscale = stored_display->vscale;
  stored_display.reset();
}

void ToggleFullscreen() {
  const StoredDisplay previous = Current();
  if (IsFullscreen(config.vmode)) {
    config.vmode = 4;  // back to the window at the remembered vscale
  } else {
    // 640x480 at its deepest depth if there is one, else 320x240.
    config.SetBest320();
    config.SetBest640();
    if (!IsFullscreen(config.vmode)) {
      DebugLog("No full-screen mode was found; the window stays");
      return;
    }
  }
  Switch(previous);
}

void ToggleResolution() {
  const StoredDisplay previous = Current();
  if (config.vres == 2)
    config.SetBest320();
  else
    config.SetBest640();
  if (!IsFullscreen(config.vmode)) {
    DebugLog("No full-screen mode of that size was found; the display stays");
    return;
  }
  Switch(previous);
}

void NextWindowScale() {
  if (IsFullscreen(config.vmode)) return;
  const StoredDisplay previous = Current();
  config.vscale = uint8_t(config.vscale >= 4 ? 1 : config.vscale + 1);
  Switch(previous);
}

void SetWindowScale(int n) {
  if (IsFullscreen(config.vmode)) return;
  if (n < 1 || n > 4) {
    DebugLog("Window scale " + std::to_string(n) + " is not one the game offers");
    return;
  }
  const StoredDisplay previous = Current();
  config.vscale = uint8_t(n);
  Switch(previous);
}
