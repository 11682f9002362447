#pragma once
#include <cstdint>

// The message shown once when no audio device can be opened.
constexpr const char* kAudioFailedMessage =
    "The sound device could not be opened. Music and sound are off for this run.";

// Whether the audio device is up. A failure switches sound and music off and
// says so; switching either back on in the options tries again.
class TFMod {
 public:
  uint8_t initialised = 0;
  uint8_t forbidden = 0;  // the last attempt failed
  // A failed start switches sound and music off for the run only: the
  // player's own choice, kept here, is what the settings file goes on holding
  // (-1: nothing kept, the setting in memory is the player's).
  int16_t kept_sound = -1;
  int16_t kept_music = -1;

  void Initialise();
};

// The player changed sound (or music) in the options: from now on the setting
// in memory is theirs and is saved as it is.
void AudioSettingChosen(bool sound_setting);
// The settings as the file should keep them: those in memory, except a sound
// or music setting that only a failed audio start switched off.
class TConfig;
TConfig SettingsToSave();

// The audio steps of start-up: create the system, bring it up when the
// settings ask for sound or music, then the music and the effects.
void StartAudio();
// The audio steps of shut-down: music, effects, then the system itself.
void ReleaseAudio();
