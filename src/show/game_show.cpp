#include "show/game_show.h"

#include "audio/audio.h"
#include "audio/sfx.h"
#include "core/common.h"
#include "core/fader.h"
#include "persist/records.h"
#include "show/effects.h"
#include "show/particle.h"

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

void FadesAtRest(TFader& fader) { fader.Set(0, 1, 1, 0, 0, 0); }

void ShowFade(game_event::FadeChange change) {
  switch (change) {
    case game_event::FadeChange::kBannerFadesOut:
      fadeText.SetChange(-0.0084f);  // over the 120 frames the field takes to appear
      break;
    case game_event::FadeChange::kTextAtRest:
      FadesAtRest(fadeText);
      break;
    case game_event::FadeChange::kSceneFadesOut:
      fadeScene.SetChange(-0.005f);  // over 200 frames
      break;
    case game_event::FadeChange::kAllAtRest:
      FadesAtRest(fadeText);
      FadesAtRest(fadeScene);
      break;
  }
}

template <class... Handlers>
struct Handle : Handlers... {
  using Handlers::operator()...;
};
template <class... Handlers>
Handle(Handlers...) -> Handle<Handlers...>;

}  // namespace

void StartGameShow() {
  KillParticles();
  fadeScene.SetChange(0.05f);
  fadeText.SetChange(0.05f);
}

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
                   [](game_event::EffectsMove) { UpdateParticles(); },
                   [](game_event::NewStage) { KillParticles(); },
                   [](const game_event::Fade& e) { ShowFade(e.change); },
                   [](const game_event::AutofireSwitched& e) { CreateCFireIcon(e.on); },
                   [](game_event::PointerOnShip) {},  // the game screen's, for live mouse games only
                   [](const game_event::MuzzleFlash& e) { MuzzleFlash(e.x, e.y); },
                   [](const game_event::BulletTrail& e) { BulletTrail(e.x, e.y, e.level); },
                   [](const game_event::ShroomChipped& e) { ShroomChips(e.x, e.y, e.family, e.code); },
                   [](const game_event::ShroomShotDown& e) { ShroomShotDown(e.x, e.y, e.family, e.poison); },
                   [](const game_event::ShroomFlash& e) { ShroomFlash(e.x, e.y, e.frame); },
                   [](const game_event::MineAppeared& e) { MineAppears(e.x, e.y); },
                   [](const game_event::MineBlast& e) { MineBlast(e.cell); },
                   [](const game_event::ShipExploded& e) { ShipBurst(e.x, e.y); },
                   [](const game_event::ChainPartDied& e) { ChainPartBurst(e.x, e.y, e.family); },
                   [](const game_event::SnailSplat& e) { SnailSplat(e); },
                   [](const game_event::SpiderSplat& e) { SpiderSplat(e); },
                   [](const game_event::SaucerBurst& e) { SaucerBurst(e); },
                   [](const game_event::SaucerLight& e) { SaucerLight(e.x, e.y, e.xvel); },
                   [](const game_event::WardenTrail& e) { WardenTrail(e.x, e.y); },
                   [](const game_event::ExplosionStarted& e) { ExplosionStarts(e.x, e.y); },
                   [](const game_event::ExplosionBurns& e) { ExplosionBurns(e.x, e.y); },
               },
               event);
  }
}
