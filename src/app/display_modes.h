#pragma once
#include <optional>

// The display the settings describe: a window of 320*vscale x 240*vscale, or
// full screen at 320*vres x 240*vres in 16, 24 or 32 bits (vmode 1..3; 4 is
// the window). Every switch closes the display and opens the new one, then
// sets the light blend and tells the drawing its scale; loaded images and
// fonts stay valid across it.

// Opens the display of config's vmode, vres and vscale. False when the
// display cannot be opened (the caller decides whether the game can go on).
bool OpenDisplay();
// Start-up: the display of the loaded settings, with this run's command-line
// override; a display that cannot be opened ends the program with a message.
void OpenStartupDisplay();

// F4 and the "Graphics Mode" option: window <-> full screen. Without any
// full-screen mode the window stays as it is.
void ToggleFullscreen();
// The resolution options: full screen 320x240 <-> 640x480. Without a mode of
// the other size the display stays as it is.
void ToggleResolution();
// F5 and the "Scaling" header: window scale 1 -> 2 -> 3 -> 4 -> 1 (windows only).
void NextWindowScale();
// The "1x" .. "4x" options (windows only); the current factor reopens all the same.
void SetWindowScale(int n);

// One-run overrides from the command line (--windowed, --fullscreen, --scale).
// They change the display this run opens with, not the player's settings: the
// settings file keeps the stored display unless the player switches it.
struct DisplayOverride {
  std::optional<bool> fullscreen;
  std::optional<int> scale;
};
void SetDisplayOverride(const DisplayOverride& override_request);
// Puts the stored display settings back into config when an override is
// still in force (called before the settings are saved).
void RestoreOverriddenDisplay();
