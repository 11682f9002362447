#include "platform/backend.h"
#include "platform/sdl/sdl_backend.h"

// The game's own window, input and clock: SDL's. Created on first use, so a
// program that never opens a display (or a test on the headless backend)
// never starts SDL.
Backend& DefaultBackend() {
  static SdlBackend backend;  // process-wide: the one window
  return backend;
}
