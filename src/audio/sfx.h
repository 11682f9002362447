#pragma once
// The game's sound effects.
//
// How game code plays an effect: PlayEffect tests the sound setting and hands
// the sound to Play, which starts it on the next one-shot channel:
//
//     PlayEffect(sfx.sndCrawlDie);
//
// The player's shots go on the blaster channel instead, replacing the shot
// before:   if (config.sound) sfx.PlayBlaster(sfx.sndBlaster2);
//
// The two hums loop all game long on their own channels, paused while silent:
//   - at the start of a game:            sfx.StartHums();   (does nothing while sound is off)
//   - a saucer lives / none is left:     sfx.SetSaucerHum(true / false);
//   - shield up / down:                  sfx.SetShieldHum(true / false);
//   - game paused or left:               sfx.PauseHums();
// The hum calls are harmless when the hums were never started.
#include <cstdint>

#include "audio/mixer.h"

// Channel indices the effects use (1 and 2 belong to the music).
constexpr int CHANNEL_BLASTER = 3;
constexpr int CHANNEL_SAUCER = 4;
constexpr int CHANNEL_SHIELD = 5;
constexpr int CHANNEL_FIRST_SFX = 6;  // one-shots rotate over 7..31, then 6
constexpr int CHANNEL_LAST_SFX = 31;

class TSfx {
 public:
  uint8_t soundloaded = 0;
  uint8_t nextchannel = CHANNEL_FIRST_SFX;  // the index the last one-shot used
  Channel chnBlaster;
  Channel chnShield;
  Channel chnSaucer;
  Channel chnSfx;  // the latest one-shot

  Sound* sndWaveAppear = nullptr;
  Sound* sndGameOver = nullptr;
  Sound* sndBlaster = nullptr;
  Sound* sndBlaster2 = nullptr;
  Sound* sndBlaster3 = nullptr;
  Sound* sndBlaster4 = nullptr;
  Sound* sndSpider = nullptr;
  Sound* sndSnailSpawn = nullptr;
  Sound* sndSnailDropShroom = nullptr;
  Sound* sndSnailDie = nullptr;
  Sound* sndSaucerPoison = nullptr;
  Sound* sndSaucerDie = nullptr;
  Sound* sndPlayerDie = nullptr;
  Sound* sndCrawlDive = nullptr;
  Sound* sndCrawlDie = nullptr;
  Sound* sndExtraLife = nullptr;
  Sound* sndShieldFade = nullptr;
  Sound* sndBombActivate = nullptr;
  Sound* sndMissileLaunch = nullptr;
  Sound* sndMissileExplode = nullptr;
  Sound* sndMineAppear = nullptr;
  Sound* sndMineExplode = nullptr;
  Sound* sndRailFire = nullptr;
  Sound* sndRailStart = nullptr;
  Sound* sndRailBleep = nullptr;
  Sound* sndRailblast = nullptr;
  Sound* sndRadarBlip = nullptr;
  Sound* sndRadarDetect = nullptr;
  Sound* sndHurryUp = nullptr;
  Sound* sndWardenAppear = nullptr;
  Sound* sndWardenShoot = nullptr;
  Sound* sndStageClear1 = nullptr;
  Sound* sndStageClear2 = nullptr;
  Sound* sndPwrLaser = nullptr;
  Sound* sndPwrX2 = nullptr;
  Sound* sndPwrX3 = nullptr;
  Sound* sndPwrX5 = nullptr;
  Sound* sndPwrShield = nullptr;
  Sound* sndPwrFreeAction = nullptr;
  Sound* sndPwrRadar = nullptr;
  Sound* sndPwrBomb = nullptr;
  Sound* sndPwrMines = nullptr;
  Sound* sndPwrRailblast = nullptr;
  Sound* sndPwrMissiles = nullptr;
  Sound* sndSaucer = nullptr;
  Sound* sndShieldHum = nullptr;

  static constexpr int kSoundCount = 46;
  // The asset path the game loads effect i (0..45, in field order) from.
  static const char* EffectPath(int index);

  // Brings the audio system up if needed, resets the rotation and loads.
  void Initialise();
  // Creates all 46 sounds once; later calls load nothing.
  void Load();
  // Starts a one-shot on the next channel of the rotation. Does not test the
  // sound setting: PlayEffect does.
  void Play(Sound* sound);
  // Starts a shot on the blaster channel, cutting off the shot before.
  void PlayBlaster(Sound* sound);
  // The shot sound of a laser level 1..4 (anything else sounds as level 1).
  Sound* Blaster(uint8_t level) const;
  void StartHums();
  void SetSaucerHum(bool on);
  void SetShieldHum(bool on);
  void PauseHums();
  // Stops the named channels and frees the sounds (at exit).
  void ReleaseAll();
};

// Plays a one-shot effect when the player has sound on: what every game event
// calls, so no caller tests the setting itself.
void PlayEffect(Sound* sound);
