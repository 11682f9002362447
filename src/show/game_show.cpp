#include "show/game_show.h"

#include "audio/audio.h"
#include "audio/sfx.h"
#include "persist/records.h"

namespace {

// The effect each sound of play is played with.
Sound* EffectOf(GameSound sound) {
  static constexpr Sound* TSfx::*kEffects[] = {
      &TSfx::sndWaveAppear,      &TSfx::sndGameOver,     &TSfx::sndSpider,        &TSfx::sndSnailSpawn,
      &TSfx::sndSnailDropShroom, &TSfx::sndSnailDie,     &TSfx::sndSaucerPoison,  &TSfx::sndSaucerDie,
      &TSfx::sndPlayerDie,       &TSfx::sndCrawlDive,    &TSfx::sndCrawlDie,      &TSfx::sndExtraLife,
      &TSfx::sndShieldFade,      &TSfx::sndBombActivate, &TSfx::sndMissileLaunch, &TSfx::sndMissileExplode,
      &TSfx::sndMineAppear,      &TSfx::sndMineExplode,  &TSfx::sndRailFire,      &TSfx::sndRailStart,
      &TSfx::sndRailBleep,       &TSfx::sndRailblast,    &TSfx::sndRadarBlip,     &TSfx::sndRadarDetect,
      &TSfx::sndHurryUp,         &TSfx::sndWardenAppear, &TSfx::sndWardenShoot,   &TSfx::sndStageClear1,
      &TSfx::sndStageClear2,     &TSfx::sndPwrLaser,     &TSfx::sndPwrX2,         &TSfx::sndPwrX3,
      &TSfx::sndPwrX5,           &TSfx::sndPwrShield,    &TSfx::sndPwrFreeAction, &TSfx::sndPwrRadar,
      &TSfx::sndPwrBomb,         &TSfx::sndPwrMines,     &TSfx::sndPwrRailblast,  &TSfx::sndPwrMissiles,
  };
  static_assert(std::size(kEffects) == size_t(GameSound::kPwrMissiles) + 1, "one effect per sound of play");
  return sfx.*kEffects[size_t(sound)];
}

template <class... Handlers>
struct Handle : Handlers... {
  using Handlers::operator()...;
};

}  // namespace

void ShowEvents(const std::vector<GameEvent>& events) {
  for (const GameEvent& event : events) {
    std::visit(Handle{
                   [](const game_event::Sound& e) { PlayEffect(EffectOf(e.sound)); },
                   [](const game_event::Blaster& e) {
                     if (config.sound) sfx.PlayBlaster(sfx.Blaster(e.level));
                   },
                   [](const game_event::SaucerHum& e) {
                     if (config.sound) sfx.SetSaucerHum(e.on);
                   },
                   [](const game_event::ShieldHum& e) {
                     if (config.sound) sfx.SetShieldHum(e.on);
                   },
               },
               event);
  }
}
