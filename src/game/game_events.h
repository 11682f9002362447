#pragma once
// What a frame of play did that the show needs to know: the sounds to play,
// the hums to switch, the bursts, flashes and pop-ups to make, the fades to
// start. The rules report them here, in the order they happen, and read
// nothing of them back; the game screen turns each frame's events into sound
// and pictures, and the verifier never looks at them. So nothing the show
// does, and no setting of it, can change a game's course.
#include <cstdint>
#include <variant>
#include <vector>

// The one-shot sound effects of play.
enum class GameSound : uint8_t {
  kWaveAppear,
  kGameOver,
  kSpider,
  kSnailSpawn,
  kSnailDropShroom,
  kSnailDie,
  kSaucerPoison,
  kSaucerDie,
  kPlayerDie,
  kCrawlDive,
  kCrawlDie,
  kExtraLife,
  kShieldFade,
  kBombActivate,
  kMissileLaunch,
  kMissileExplode,
  kMineAppear,
  kMineExplode,
  kRailFire,
  kRailStart,
  kRailBleep,
  kRailblast,
  kRadarBlip,
  kRadarDetect,
  kHurryUp,
  kWardenAppear,
  kWardenShoot,
  kStageClear1,
  kStageClear2,
  kPwrLaser,
  kPwrX2,
  kPwrX3,
  kPwrX5,
  kPwrShield,
  kPwrFreeAction,
  kPwrRadar,
  kPwrBomb,
  kPwrMines,
  kPwrRailblast,
  kPwrMissiles,
};

namespace game_event {
struct Sound {
  GameSound sound;
};
// The ship fired at this laser level (its own channel, cutting off the shot before).
struct Blaster {
  uint8_t level;
};
// The saucers' and the shield's hums: on while a saucer flies or the shield is up.
struct SaucerHum {
  bool on;
};
struct ShieldHum {
  bool on;
};
}  // namespace game_event

using GameEvent = std::variant<game_event::Sound, game_event::Blaster, game_event::SaucerHum, game_event::ShieldHum>;

// This frame's events so far, oldest first; the next frame starts them anew.
const std::vector<GameEvent>& FrameEvents();
void ClearFrameEvents();
// The rules' one way to the show.
void Report(const GameEvent& event);
inline void ReportSound(GameSound sound) { Report(game_event::Sound{sound}); }
