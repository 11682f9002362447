#include "platform/backend.h"
#include "platform/sdl/sdl_backend.h"

namespace {

// Created on first use, so a program that never opens a display (or a test on
// the headless backend) never starts SDL.
SdlBackend& DefaultBackend() {
  static SdlBackend backend;
  return backend;
}

// Process-wide: the backend every platform service talks to.
Backend* installed = nullptr;

}  // namespace

Backend& ActiveBackend() { return installed ? *installed : DefaultBackend(); }

void SetBackend(Backend* backend) { installed = backend; }
