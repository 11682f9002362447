#pragma once
#include <cstdint>

// The message shown once when no audio device can be opened.
constexpr const char* kAudioFailedMessage = "Unable to initialise FMod. Music and sound will be disabled.";

// Whether the audio device is up. A failure switches sound and music off and
// says so; switching either back on in the options tries again.
class TFMod {
 public:
  uint8_t initialised = 0;
  uint8_t forbidden = 0;  // the last attempt failed

  void Initialise();
};

// The audio steps of start-up: create the system, bring it up when the
// settings ask for sound or music, then the music and the effects.
void StartAudio();
// The audio steps of shut-down: music, effects, then the system itself.
void ReleaseAudio();
