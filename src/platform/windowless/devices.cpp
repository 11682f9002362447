// The devices of a program that has none: the replay verifier runs the rules
// with the headless backend by default, and no sound card ever opens. Linked
// instead of platform/sdl, so such a program does not link SDL at all.
#include "platform/audio_output.h"
#include "platform/backend.h"
#include "platform/headless/headless_backend.h"

Backend& DefaultBackend() {
  static HeadlessBackend backend;  // process-wide: the one backend
  return backend;
}

uint32_t OpenAudioOutput(int, int, AudioFill, void*, AudioOutputFailure& failure) {
  failure = AudioOutputFailure::kNoDevice;
  return 0;
}

void CloseAudioOutput(uint32_t) {}
