#pragma once
// The music: a fixed tune in the menus, another on the high-score entry, and in
// a game a shuffled playlist of the modules found in "music/ingame/", with a
// short spacer jingle between two tracks. Callers test config.music first:
//
//   - music switched on in the options:  music.Initialise();
//   - a menu screen:                      music.Stop(); music.Play(MUSIC_MENU);
//   - high-score name entry:              music.Play(MUSIC_HIGHSCORE);
//   - a game starts:                      music.Stop(); music.Shuffle(); then music.Play(MUSIC_INGAME);
//   - every frame in play:                music.Update();
//   - leaving the game:                   music.Stop();
//
// Sound switched on in the options likewise calls sfx.Initialise() (audio/sfx.h).
#include <cstdint>
#include <vector>

#include "audio/mixer.h"

// Channel indices of the music (the effects use 3..31).
constexpr int CHANNEL_MUSIC = 1;
constexpr int CHANNEL_SPACER = 2;

// A track plays (looping) at least this long, and a longer one to its end.
constexpr int32_t kMinTrackMillis = 120000;

// What Play starts.
constexpr int MUSIC_MENU = 0, MUSIC_HIGHSCORE = 1, MUSIC_INGAME = 2;

class TMusic {
 public:
  uint8_t musicloaded = 0;
  Channel chnMusic;
  Channel chnSpacer;
  Sound* mus_menu = nullptr;
  Sound* mus_highscore = nullptr;
  std::vector<Sound*> mus_ingame;
  Sound* mus_spacer[3] = {nullptr, nullptr, nullptr};
  uint8_t ingap = 0;
  int32_t length = 0;        // of the current in-game track, ms
  int32_t timestart = 0;     // timeNow (low 32 bits) when it started
  int32_t timeplayed = 0;    // ms since timestart
  std::vector<uint16_t> pl;  // playlist: a permutation of the mus_ingame indices
  uint16_t pl_current = 0;

  void Initialise();
  // Once per frame in play: ends a track after its time and runs the spacer.
  void Update();
  void Load();
  void LoadIngame();
  uint16_t CountIngame() const;
  // MUSIC_MENU, MUSIC_HIGHSCORE or MUSIC_INGAME (the current playlist track;
  // nothing when the in-game folder held no playable track).
  void Play(int which);
  void Stop();
  void Shuffle();
  void NextTrack();
  void ReleaseAll();
  void DebugPlaylist() const;
};
