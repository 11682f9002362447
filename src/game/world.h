#pragma once
// One game as a value: its play state, its rules' random numbers, the
// playfield, the ship and its bullet, every object list, the chain state, the
// spawn timers, the stage and game statistics, its record and this frame's
// events. One object owns it all, and nothing of a game lives anywhere else,
// so a program may hold two games at once. Every object of a game knows its
// world and reaches the others by their names in it (world.player,
// world.lstEnemies...). Reset() makes it as new.
#include <algorithm>
#include <cstdint>

#include "core/frame_input.h"
#include "core/object_list.h"
#include "game/bullet.h"
#include "game/collision_mask.h"
#include "game/game_events.h"
#include "game/game_record.h"
#include "game/game_statistics.h"
#include "game/hurry_up.h"
#include "game/player.h"
#include "game/playfield.h"
#include "game/radar.h"
#include "game/smart_bomb.h"
#include "platform/random.h"

class TEnemy;
class TPowerup;
class TExplosion;
class TMissile;
class TMissileVolley;
class TRailblast;
class TWardenBullet;

struct World {
  // The rules' random numbers: the seed starts them, and only the rules draw.
  RandomGenerator random;
  // Play state.
  uint8_t gameState = 0;
  int32_t stateTimer = 0;  // frames in the current state
  uint8_t quitGame = 0;
  uint8_t resumeState = 0;        // the state a pause returns to
  int32_t seed = 0;               // the game's seed: the rules' random numbers start from it
  uint8_t controls = 0;           // the control method the game is played with (CONTROLS_...)
  FrameInput input;               // this frame's input, as the rules read it
  GameRecord recording;           // every frame's input so far and the checks of the world
  std::vector<GameEvent> events;  // what this frame did that the show needs to know
  bool fireHeldOver = false;      // fire held past the tally counts again only once let go
  uint32_t gameFrames = 0;        // frames of play since the game began, pauses not counted
  int32_t waveFrames = 0;         // frames of play in this wave (the hurry-up's clock)
  float waveSeconds = 0;
  float hurryTime = 0;
  float mushroomMultiplier = 1;
  int32_t snailTimer = 0, spiderTimer = 0, saucerTimer = 0;

  // State every chain shares.
  float chainSpeed = 1.0f;           // pixels per frame for every part
  uint8_t chainBottomReached = 0;    // a part has turned back up at the bottom this wave
  uint16_t chainReinforceTimer = 0;  // frames to the next reinforcement part

  // The lists.
  ObjectList<TEnemy> lstEnemies;  // chain parts, spiders, snails, saucers, wardens
  ObjectList<TPowerup> lstPowerups;
  ObjectList<TExplosion> lstExplosions;
  ObjectList<TMissile> lstMissiles;
  ObjectList<TMissileVolley> lstMissileVolleys;
  ObjectList<TRailblast> lstRailblasts;
  ObjectList<TWardenBullet> lstWardenBullets;

  TPlayfield playfield{*this};
  TPlayer player{*this};
  TBullet bullet{*this};
  TRadar radar{*this};
  TSmartBomb smartbomb{*this};
  CollisionLayer wardenFootprints;  // the wardens and their shots, as the ship meets them this frame
  THurryUp hurryup{*this};
  TStatsStage statsStage;
  TStatsGame statsGame;

  // Made and freed where every object type is known.
  World();
  ~World();
  World(const World&) = delete;
  World& operator=(const World&) = delete;
  void Reset();

  // What this frame did that the show needs to know.
  void Report(const GameEvent& event) { events.push_back(event); }
  void ReportSound(GameSound sound) { Report(game_event::Sound{sound}); }
};

// Whether this frame's events hold one of kind E.
template <class E>
bool HasEvent(const World& world) {
  return std::any_of(world.events.begin(), world.events.end(),
                     [](const GameEvent& event) { return std::holds_alternative<E>(event); });
}
