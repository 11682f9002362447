#pragma once
// What a frame of play did that the show needs to know: the sounds to play,
// the hums to switch, the bursts, flashes and pop-ups to make, the fades to
// start. The rules report them here, in the order they happen, and read
// nothing of them back; the game screen turns each frame's events into sound
// and pictures, and the verifier never looks at them. So nothing the show
// does, and no setting of it, can change a game's course.
#include <cstdint>
#include <string>
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

// A creature's colour as the rules keep it, RRGGBB.
struct Colour {
  char hex[8] = {};
};
Colour ColourOf(const std::string& hex);

// The show's effects (sparks, splats, flashes, pop-ups) take their step of
// the frame here, between the ship's and the creatures' steps.
struct EffectsMove {};
// A new stage: the effects of the last one are gone.
struct NewStage {};
// The fades of the play states: the banner fades out as the field appears,
// the banner's and tally's text is back at rest, the game-over scene fades
// out, and everything is back at rest once the game has ended.
enum class FadeChange : uint8_t { kBannerFadesOut, kTextAtRest, kSceneFadesOut, kAllAtRest };
struct Fade {
  FadeChange change;
};
// The ship was put where the mouse control holds it (its tx, ty): the
// pointer goes there too, so it never leaves the ship's band.
struct PointerOnShip {};
// The autofire was switched on or off.
struct AutofireSwitched {
  bool on;
};

// The ship fired a shot of laser level 3 or more: a flash at the muzzle (x, y).
struct MuzzleFlash {
  int32_t x, y;
};
// The shot in flight at (x, y), its trail in the ship's laser level.
struct BulletTrail {
  int32_t x, y;
  uint8_t level;
};
// The shot chipped a mushroom centred at (x, y) (its damage now `code`), or
// shot it down.
struct ShroomChipped {
  uint16_t x, y;
  uint8_t family, code;
};
struct ShroomShotDown {
  uint16_t x, y;
  uint8_t family;
  bool poison;
};
// A white flash on a mushroom of the field (stage entry, tally): its image frame.
struct ShroomFlash {
  int32_t x, y, frame;
};
// A scattermine appeared at (x, y), or one in the field went off.
struct MineAppeared {
  int32_t x, y;
};
struct MineBlast {
  int32_t cell;
};
// The ship was lost at (x, y).
struct ShipExploded {
  int32_t x, y;
};
// A chain part died at (x, y).
struct ChainPartDied {
  int32_t x, y;
  uint8_t family;
};
// Snails and spiders splat where they die (at x, y), showing the points
// they scored (0: none); a saucer bursts, flinging its streaks out at
// `angle` and its opposite.
struct SnailSplat {
  float x, y;
  Colour colour;
  uint8_t family;
  uint16_t points;
};
struct SpiderSplat {
  int32_t x, y;
  Colour colour;
  uint8_t family;
  uint16_t points;
};
struct SaucerBurst {
  float x;
  uint16_t y;
  uint8_t family;
  int32_t angle;
  uint16_t points;
};
// One of a saucer's position lights, drifting along with it.
struct SaucerLight {
  float x, y, xvel;
};
// A warden's trail behind it at (x, y).
struct WardenTrail {
  float x, y;
};
// A missile's explosion went off at (x, y), and burns on there, tick by tick.
struct ExplosionStarted {
  int32_t x, y;
};
struct ExplosionBurns {
  int32_t x, y;
};
}  // namespace game_event

using GameEvent =
    std::variant<game_event::Sound, game_event::Blaster, game_event::SaucerHum, game_event::ShieldHum,
                 game_event::EffectsMove, game_event::NewStage, game_event::Fade, game_event::PointerOnShip, game_event::AutofireSwitched,
                 game_event::MuzzleFlash, game_event::BulletTrail, game_event::ShroomChipped,
                 game_event::ShroomShotDown, game_event::ShroomFlash, game_event::MineAppeared, game_event::MineBlast,
                 game_event::ShipExploded, game_event::ChainPartDied, game_event::SnailSplat, game_event::SpiderSplat,
                 game_event::SaucerBurst, game_event::SaucerLight, game_event::WardenTrail,
                 game_event::ExplosionStarted, game_event::ExplosionBurns>;
// A game's events (World::events) are this frame's so far, oldest first; the
// next frame starts them anew. World::Report is the rules' one way to the show.
