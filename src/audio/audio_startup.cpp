#include "audio/audio_startup.h"

#include "audio/audio.h"
#include "audio/mixer.h"
#include "audio/music.h"
#include "audio/sfx.h"
#include "persist/config.h"
#include "persist/records.h"
#include "platform/graphics.h"
#include "platform/log.h"

void TFMod::Initialise() {
  if (initialised) return;
  if (fmodSystem.Init(AudioSystem::kChannels, 0) == 0) {
    initialised = 1;
    forbidden = 0;
    return;
  }
  forbidden = 1;
  if (kept_sound < 0) kept_sound = config.sound;
  if (kept_music < 0) kept_music = config.music;
  config.music = 0;
  config.sound = 0;
  DebugLog("Audio: start-up failed, sound and music switched off");
  Notify(kAudioFailedMessage);  // the game goes on silently
}

void AudioSettingChosen(bool sound_setting) { (sound_setting ? fmodState.kept_sound : fmodState.kept_music) = -1; }

TConfig SettingsToSave() {
  TConfig saved = config;
  if (fmodState.kept_sound >= 0) saved.sound = uint8_t(fmodState.kept_sound);
  if (fmodState.kept_music >= 0) saved.music = uint8_t(fmodState.kept_music);
  return saved;
}

void StartAudio() {
  audio.Reset();
  if (config.music || config.sound) fmodState.Initialise();
  if (config.music) music.Initialise();
  if (config.sound) sfx.Initialise();
}

void ReleaseAudio() {
  music.ReleaseAll();
  sfx.ReleaseAll();
  fmodSystem.SystemRelease();
  fmodState.initialised = 0;
}
