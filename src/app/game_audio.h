#pragma once
#include <cstdint>

// The sounds and music of a game as the loop, the ship and the bullet ask for
// them. Callers test config.sound (effects, hums) and config.music (music)
// first, as every caller in the game does.

enum class Effect : uint8_t {
  kWaveAppear,
  kGameOver,
  kBlaster1,
  kBlaster2,
  kBlaster3,
  kBlaster4,
  kPlayerDie,
  kExtraLife,
  kShieldFade,
  kMissileLaunch,
  kStageClear1,
  kStageClear2,
};

void PlayEffect(Effect effect);
// The blaster of a laser level 1..4, on the blaster channel.
void PlayBlaster(uint8_t level);

// The two looping hums: started paused with a new game; saucers and the
// shield unpause and pause them.
void StartHums();
void SetSaucerHum(bool playing);
void SetShieldHum(bool playing);

// In-game music.
void StopMusic();
void ShuffleGameMusic();
void PlayGameMusic();
void UpdateMusic();
// The audio system's own per-frame step.
void UpdateAudio();
