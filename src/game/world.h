#pragma once
// The world of one game: the play state, the playfield, the ship and its
// bullet, every object list of the game, the chain state, the spawn timers and
// the stage and game statistics. One object owns it all; Reset() makes it as
// at start-up. The game code reaches its parts by their usual names, which
// refer into it (player is world.player, lstEnemies is world.lstEnemies...).
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

class TEnemy;
class TPowerup;
class TExplosion;
class TMissile;
class TMissileVolley;
class TRailblast;
class TWardenBullet;

struct World {
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
  bool warpPointer = false;       // the rules put the mouse pointer on the ship (tx, ty)
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

  TPlayfield playfield;
  TPlayer player;
  TBullet bullet;
  TRadar radar;
  TSmartBomb smartbomb;
  CollisionLayer wardenFootprints;  // the wardens and their shots, as the ship meets them this frame
  THurryUp hurryup;
  TStatsStage statsStage;
  TStatsGame statsGame;

  // Made and freed where every object type is known.
  World();
  ~World();
  World(const World&) = delete;
  World& operator=(const World&) = delete;
  void Reset();
};

extern World world;

inline uint8_t& gameState = world.gameState;
inline int32_t& stateTimer = world.stateTimer;
inline uint8_t& quitGame = world.quitGame;
inline uint32_t& gameFrames = world.gameFrames;
inline int32_t& waveFrames = world.waveFrames;
inline float& waveSeconds = world.waveSeconds;
inline float& hurryTime = world.hurryTime;
inline float& mushroomMultiplier = world.mushroomMultiplier;
inline int32_t& snailTimer = world.snailTimer;
inline int32_t& spiderTimer = world.spiderTimer;
inline int32_t& saucerTimer = world.saucerTimer;
inline float& chainSpeed = world.chainSpeed;
inline uint8_t& chainBottomReached = world.chainBottomReached;
inline uint16_t& chainReinforceTimer = world.chainReinforceTimer;
inline ObjectList<TEnemy>& lstEnemies = world.lstEnemies;
inline ObjectList<TPowerup>& lstPowerups = world.lstPowerups;
inline ObjectList<TExplosion>& lstExplosions = world.lstExplosions;
inline ObjectList<TMissile>& lstMissiles = world.lstMissiles;
inline ObjectList<TMissileVolley>& lstMissileVolleys = world.lstMissileVolleys;
inline ObjectList<TRailblast>& lstRailblasts = world.lstRailblasts;
inline ObjectList<TWardenBullet>& lstWardenBullets = world.lstWardenBullets;
inline TPlayfield& playfield = world.playfield;
inline TPlayer& player = world.player;
inline TBullet& bullet = world.bullet;
inline TRadar& radar = world.radar;
inline TSmartBomb& smartbomb = world.smartbomb;
inline THurryUp& hurryup = world.hurryup;
inline TStatsStage& statsStage = world.statsStage;
inline TStatsGame& statsGame = world.statsGame;
