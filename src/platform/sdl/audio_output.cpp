#include "platform/audio_output.h"

#include <SDL.h>

#include <string>

#include "platform/log.h"

namespace {

struct Pull {
  AudioFill fill;
  void* user;
};

// Process-wide: what the one device pulls its blocks from.
Pull pull{};

void Callback(void*, uint8_t* stream, int bytes) {
  pull.fill(pull.user, reinterpret_cast<float*>(stream), bytes / int(2 * sizeof(float)));
}

}  // namespace

uint32_t OpenAudioOutput(int rate, int block_frames, AudioFill fill, void* user, AudioOutputFailure& failure) {
  failure = AudioOutputFailure::kNone;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    DebugLog(std::string("Audio: no audio driver: ") + SDL_GetError());
    failure = AudioOutputFailure::kNoDriver;
    return 0;
  }
  pull = {fill, user};
  SDL_AudioSpec want{};
  want.freq = rate;
  want.format = AUDIO_F32SYS;
  want.channels = 2;
  want.samples = uint16_t(block_frames);
  want.callback = Callback;
  SDL_AudioSpec have{};
  // No format changes allowed: SDL converts our float stereo to whatever the
  // device takes, so the mixer always sees the same layout.
  const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (device == 0) {
    DebugLog(std::string("Audio: no audio device: ") + SDL_GetError());
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    failure = AudioOutputFailure::kNoDevice;
    return 0;
  }
  DebugLog(std::string("Audio: device open on driver ") + SDL_GetCurrentAudioDriver());
  SDL_PauseAudioDevice(device, 0);
  return device;
}

void CloseAudioOutput(uint32_t device) {
  if (device == 0) return;
  SDL_CloseAudioDevice(device);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}
