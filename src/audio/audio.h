#pragma once
// The sound of the program: the mixer every effect and tune plays through,
// whether the device is up, the music playlist and the effects. One object
// owns them; Reset() frees what is loaded and makes them as at start-up. The
// game reaches them by their usual names (music is audio.music...).
#include "audio/audio_startup.h"
#include "audio/mixer.h"
#include "audio/music.h"
#include "audio/sfx.h"

struct Audio {
  AudioSystem fmodSystem;  // the mixer every sound and tune plays through
  // Audio start-up state (called fmod in older code; renamed so it cannot
  // clash with the C library function of that name).
  TFMod fmodState;
  TMusic music;
  TSfx sfx;

  void Reset();
};

extern Audio audio;

inline AudioSystem& fmodSystem = audio.fmodSystem;
inline TFMod& fmodState = audio.fmodState;
inline TMusic& music = audio.music;
inline TSfx& sfx = audio.sfx;
