#pragma once
#include <cstdint>

// The sound card as the mixer uses it: one stereo stream of floats at `rate`
// frames a second, pulled in blocks of `block_frames` by `fill` on the audio
// thread. A program built without devices (the verifier) never opens one.
using AudioFill = void (*)(void* user, float* out, int frames);

enum class AudioOutputFailure : uint8_t { kNone, kNoDriver, kNoDevice };

// The device's handle (0 when none opened, with the reason in `failure`),
// already playing.
uint32_t OpenAudioOutput(int rate, int block_frames, AudioFill fill, void* user, AudioOutputFailure& failure);
void CloseAudioOutput(uint32_t device);
