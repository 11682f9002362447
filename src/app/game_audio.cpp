#include "app/game_audio.h"

#include "audio/music.h"
#include "audio/sfx.h"

namespace {

Sound* EffectSound(Effect effect) {
  switch (effect) {
    case Effect::kWaveAppear:
      return sfx.sndWaveAppear;
    case Effect::kGameOver:
      return sfx.sndGameOver;
    case Effect::kBlaster1:
      return sfx.sndBlaster;
    case Effect::kBlaster2:
      return sfx.sndBlaster2;
    case Effect::kBlaster3:
      return sfx.sndBlaster3;
    case Effect::kBlaster4:
      return sfx.sndBlaster4;
    case Effect::kPlayerDie:
      return sfx.sndPlayerDie;
    case Effect::kExtraLife:
      return sfx.sndExtraLife;
    case Effect::kShieldFade:
      return sfx.sndShieldFade;
    case Effect::kMissileLaunch:
      return sfx.sndMissileLaunch;
    case Effect::kStageClear1:
      return sfx.sndStageClear1;
    case Effect::kStageClear2:
      return sfx.sndStageClear2;
  }
  return nullptr;
}

}  // namespace

void PlayEffect(Effect effect) { sfx.Play(EffectSound(effect)); }

void PlayBlaster(uint8_t level) {
  Sound* const shots[4] = {sfx.sndBlaster, sfx.sndBlaster2, sfx.sndBlaster3, sfx.sndBlaster4};
  sfx.PlayBlaster(shots[level >= 1 && level <= 4 ? level - 1 : 0]);
}

void StartHums() { sfx.StartHums(); }
void SetSaucerHum(bool playing) { sfx.SetSaucerHum(playing); }
void SetShieldHum(bool playing) { sfx.SetShieldHum(playing); }

void StopMusic() { music.Stop(); }
void ShuffleGameMusic() { music.Shuffle(); }
void PlayGameMusic() { music.Play(MUSIC_INGAME); }
void UpdateMusic() { music.Update(); }
// The mixer runs on its own thread and needs no per-frame step.
void UpdateAudio() {}
