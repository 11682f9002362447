#include "core/screen.h"

namespace {

// The program shows one screen at a time, so the current one is process-wide.
struct ScreenStack {
  Screen* current = nullptr;
  Screen* next = nullptr;
  bool pending = false;
};
// Process-wide: the one screen the frame driver runs, and the next one asked for.
ScreenStack screens;

}  // namespace

void Screen::CloseRequested() { SwitchScreen(nullptr); }

void SwitchScreen(Screen* next) {
  screens.next = next;
  screens.pending = true;
}

Screen* CurrentScreen() { return screens.current; }

bool ScreenSwitchPending() { return screens.pending; }

Screen* ApplyScreenSwitch() {
  // Enter may ask for another switch at once; each is made in turn.
  while (screens.pending) {
    screens.pending = false;
    Screen* next = screens.next;
    if (screens.current) screens.current->Leave();
    screens.current = next;
    if (next) next->Enter();
  }
  return screens.current;
}
