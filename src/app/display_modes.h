#pragma once
#include <optional>

// Opens the display the settings describe (window or full screen), then sets
// the light blend, drawScale and the drawing scale to match.
void OpenDisplay();

// One-run overrides from the command line (--windowed, --fullscreen, --scale).
struct DisplayOverride {
  std::optional<bool> fullscreen;
  std::optional<int> scale;
};
void SetDisplayOverride(const DisplayOverride& override_request);
