#include "audio/sfx.h"

#include "audio/audio.h"
#include "audio/audio_startup.h"
#include "persist/config.h"
#include "persist/records.h"
#include "platform/paths.h"

namespace {

struct EffectFile {
  Sound* TSfx::*field;
  const char* path;
  int mode;
};

// Load order, file and creation mode of every effect; only the hums loop.
constexpr EffectFile kEffects[TSfx::kSoundCount] = {
    {&TSfx::sndWaveAppear, "sound/waveappear.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndGameOver, "sound/gameover.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndBlaster, "sound/blaster.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndBlaster2, "sound/blaster2.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndBlaster3, "sound/blaster3.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndBlaster4, "sound/blaster4.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndSpider, "sound/spider.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndSnailSpawn, "sound/snail-spawn.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndSnailDropShroom, "sound/snail-mushroom.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndSnailDie, "sound/snail-die.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndSaucerPoison, "sound/saucer-poison.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndSaucerDie, "sound/saucer-die.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndPlayerDie, "sound/player-die.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndCrawlDive, "sound/crawl-dive.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndCrawlDie, "sound/crawl-die.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndExtraLife, "sound/extralife.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndShieldFade, "sound/shield-fade.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndBombActivate, "sound/smartbomb-explode.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndMissileLaunch, "sound/missile-launch.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndMissileExplode, "sound/missile-explode.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndMineAppear, "sound/mine-appear.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndMineExplode, "sound/mine-explode.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndRailFire, "sound/railblast-launch.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndRailStart, "sound/railblast-start.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndRailBleep, "sound/railblast-bleep.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndRailblast, "sound/railblast.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndRadarBlip, "sound/radar-blip.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndRadarDetect, "sound/radar-detect.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndHurryUp, "sound/hurryup.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndWardenAppear, "sound/warden-appear.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndWardenShoot, "sound/warden-shoot.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndStageClear1, "sound/stageclear1.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndStageClear2, "sound/stageclear2.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndPwrLaser, "sound/powerup-laser.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndPwrX2, "sound/powerup-x2.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndPwrX3, "sound/powerup-x3.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndPwrX5, "sound/powerup-x5.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndPwrShield, "sound/powerup-shield.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndPwrFreeAction, "sound/powerup-freeaction.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndPwrRadar, "sound/powerup-radar.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndPwrBomb, "sound/powerup-bomb.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndPwrMines, "sound/powerup-mines.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndPwrRailblast, "sound/powerup-railblast.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndPwrMissiles, "sound/powerup-missile.ogg", SOUND_LOOP_OFF},
    {&TSfx::sndSaucer, "sound/saucer.ogg", SOUND_LOOP_NORMAL},
    {&TSfx::sndShieldHum, "sound/shield-hum.ogg", SOUND_LOOP_NORMAL},
};

}  // namespace

const char* TSfx::EffectPath(int index) { return index >= 0 && index < kSoundCount ? kEffects[index].path : ""; }

void TSfx::Initialise() {
  if (!fmodState.initialised) fmodState.Initialise();
  nextchannel = CHANNEL_FIRST_SFX;
  Load();
}

void TSfx::Load() {
  if (soundloaded) return;
  for (const EffectFile& e : kEffects) this->*e.field = fmodSystem.CreateSound(AssetPath(e.path), e.mode);
  soundloaded = 1;
}

void TSfx::Play(Sound* sound) {
  // Up to 26 one-shots overlap; the 27th takes the channel of the oldest.
  if (++nextchannel > CHANNEL_LAST_SFX) nextchannel = CHANNEL_FIRST_SFX;
  chnSfx = fmodSystem.PlaySound(nextchannel, sound, false);
}

void TSfx::PlayBlaster(Sound* sound) { chnBlaster = fmodSystem.PlaySound(CHANNEL_BLASTER, sound, false); }

Sound* TSfx::Blaster(uint8_t level) const {
  Sound* const shots[4] = {sndBlaster, sndBlaster2, sndBlaster3, sndBlaster4};
  return shots[level >= 1 && level <= 4 ? level - 1 : 0];
}

void TSfx::StartHums() {
  if (!config.sound) return;
  chnSaucer = fmodSystem.PlaySound(CHANNEL_SAUCER, sndSaucer, true);
  chnShield = fmodSystem.PlaySound(CHANNEL_SHIELD, sndShieldHum, true);
}

void TSfx::SetSaucerHum(bool on) { chnSaucer.SetPaused(!on); }

void TSfx::SetShieldHum(bool on) { chnShield.SetPaused(!on); }

void TSfx::PauseHums() {
  chnSaucer.SetPaused(true);
  chnShield.SetPaused(true);
}

void TSfx::ReleaseAll() {
  for (Channel* c : {&chnBlaster, &chnShield, &chnSaucer, &chnSfx}) {
    if (c->Exists()) c->Stop();
    *c = Channel{};
  }
  if (!soundloaded) return;
  for (const EffectFile& e : kEffects) {
    fmodSystem.Release(this->*e.field);
    this->*e.field = nullptr;
  }
  soundloaded = 0;
}

void PlayEffect(Sound* sound) {
  if (config.sound) sfx.Play(sound);
}
