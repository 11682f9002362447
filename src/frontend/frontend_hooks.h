#pragma once
#include <string>

class Screen;

// What the front end needs from the program above it, given at start-up:
// the display switches (they close and reopen the window), the game to start
// from "Play", and whether the pilot plays (attract mode).
struct FrontendHooks {
  void (*toggle_fullscreen)() = nullptr;
  void (*toggle_resolution)() = nullptr;
  void (*next_window_scale)() = nullptr;
  void (*set_window_scale)(int n) = nullptr;
  void (*start_game)() = nullptr;  // asks for the game screen
  // Shows a recorded game, then comes back; false when it cannot be played.
  bool (*watch_replay)(const std::string& path) = nullptr;
  // The pilot plays: the menu starts the next game by itself and the name
  // entry signs the table by itself, so the run goes on until it is closed.
  bool attract_mode = false;
};

// Process-wide: wired once at start-up, so no reset of the menus' state clears it.
extern FrontendHooks frontendHooks;
