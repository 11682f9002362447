#pragma once
#include <cstdint>
#include <string>

struct World;

// The player's ship: one object for the whole program, re-initialised at every
// game start. It moves in a band at the bottom of the playfield, fires the one
// bullet, carries timed powers and up to three held items, and keeps the
// score, lives and stage/wave counters of the running game.

// Timed power slots of TPlayer::power.
constexpr int POWER_LASER2 = 0, POWER_LASER3 = 1, POWER_LASER4 = 2, POWER_SHIELD = 3, POWER_SCORE2 = 4,
              POWER_SCORE3 = 5, POWER_SCORE5 = 6, POWER_FREEMOVE = 7, POWER_RADAR = 8;
constexpr int kPowerSlots = 10;
constexpr int kTimedPowers = 8;  // slots 0..7 count down; 8 (radar) is a flag

// Held item codes (the powerup kinds they come from).
constexpr uint8_t ITEM_MISSILES = 9, ITEM_SMARTBOMB = 10, ITEM_RAILBLAST = 11, ITEM_SCATTERMINES = 12, ITEM_EMPTY = 15;
constexpr int kItemSlots = 3;

// Ship states.
constexpr uint8_t SHIP_DEAD = 0, SHIP_RESPAWNING = 1, SHIP_ALIVE = 2;

// The band the ship lives in (inclusive limits) and where it starts.
constexpr int32_t kShipMinX = 17, kShipMaxX = 297;
constexpr int32_t kShipMinY = 178, kShipMinYFree = 16, kShipMaxY = 214;
constexpr int32_t kShipStartX = 156, kShipStartY = 214;
constexpr int32_t kExtraLifeStep = 5000;

// One tick of steering by steps, read from the frame's input: the keyboard,
// the joypad's axes and buttons and the autopilot all give it.
struct ShipSticks {
  bool left = false, right = false, up = false, down = false;
  bool fire = false;      // held
  bool use_item = false;  // hit this tick
};

class TPlayer {
 public:
  explicit TPlayer(World& world) : world(world) {}
  World& world;  // the game it is part of

  int32_t x = 0;
  int32_t y = 0;
  std::string c;
  int32_t tx = 0;
  int32_t ty = 0;
  uint16_t power[kPowerSlots] = {};
  uint8_t item[kItemSlots] = {};
  uint8_t cfire = 0;
  uint8_t bpwr = 0;
  int32_t score = 0;
  uint8_t scorex = 0;
  uint8_t lives = 0;
  int32_t elife = 0;
  uint8_t stage = 0;
  uint8_t wave = 0;
  uint8_t wave_parts = 0;
  uint8_t state = 0;
  uint16_t death_timer = 0;

  void Init();
  void CentraliseInPlayfield();
  void LoseLife();
  void ClearPowers();
  void Respawn();
  // The ship's clocks of a frame: a dead ship counts towards its respawn, a
  // respawning one towards the end of its grace. False while it is dead (it
  // does nothing else then).
  bool Tick();
  void UpdatePowers();
  void AddItem(uint8_t kind);
  void AddScore(uint16_t points);

  // The top of the band: 16 while free movement runs, else 178.
  int32_t MinY() const { return power[POWER_FREEMOVE] > 0 ? kShipMinYFree : kShipMinY; }
  bool MayUse() const;
  // An enemy touched the ship: true when the shield is up and the enemy must
  // die instead; otherwise (while alive) the ship loses a life and the death
  // is counted in the given statistic.
  bool Touched(uint8_t& deaths);
};
