#pragma once

// What the program shows from frame to frame (the splash, a game, the menus,
// the name entry) is one screen at a time. The frame driver runs every frame:
// pacing, input, the close request, the keys every screen shares, clear, the
// screen's step, flip.

class Screen {
 public:
  virtual ~Screen() = default;
  virtual void Enter() {}
  // One frame: update and draw. Input is already polled and the picture cleared.
  virtual void Step() = 0;
  virtual void Leave() {}
  // The window was closed. By default the program ends; a screen with
  // something to finish first (a game to record) does that, then ends it.
  virtual void CloseRequested();
};

// Asked for during a frame, made between frames (Leave of the old screen,
// Enter of the new one). nullptr ends the program.
void SwitchScreen(Screen* next);
Screen* CurrentScreen();
// Makes a requested switch now; the frame driver calls it between frames.
// Returns the screen now current (nullptr when the program is to end).
Screen* ApplyScreenSwitch();
// Whether a switch was asked for and not yet made.
bool ScreenSwitchPending();
