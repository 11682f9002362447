#pragma once
#include <cstdint>
#include <string>

#include "game/enemy.h"

struct World;

// One body part of a skitterworm. A chain is nothing but parts created 9 pixels
// apart with the same direction and speed: every part obeys the same rules at
// the same places, so the parts follow one another without any link. Shooting
// a part removes only that part; the ones behind it keep going.
//
// Parts run left or right, drop a row (or climb one, in the player's zone) at
// every mushroom or edge, dive straight down after touching a poison mushroom
// and die on scattermines.
class TSkitterworm : public TEnemy {
 public:
  // Directions.
  static constexpr uint8_t DIR_UP = 1, DIR_RIGHT = 2, DIR_DOWN = 3, DIR_LEFT = 4, DIR_DIVE = 9;
  // Vertical headings (mode).
  static constexpr uint8_t MODE_ASCENDING = 1, MODE_DESCENDING = 3;

  int32_t x = 0;       // left pixel of the 8x8 part
  int32_t y = 0;       // top pixel
  uint8_t f = 0;       // image frame, 0 or 1
  std::string c;       // RRGGBB colour of this part
  uint8_t clr = 0;     // colour family 1..11 the colour came from
  float nrg = 0;       // pixels owed to this part's movement
  float nrg_xtra = 0;  // this part's speed on top of the chain speed
  uint8_t dir = 0;
  uint8_t dir_last = 0;  // horizontal direction before the last vertical move
  uint8_t mode = 0;

  // A new part (all zero) joins lstEnemies.
  explicit TSkitterworm(World& world);
  static TSkitterworm* New(World& world) { return new TSkitterworm(world); }

  void Die() override;
  void Update() override;
  // Looks at the cell ahead after a horizontal pixel step and turns, dives,
  // wears the mushroom or dies on a mine. True when the part died (and must
  // not be touched again: outside a list walk it is already freed).
  bool CollideObstacles();
  void BlockHrz();
  void BlockVrt();
  void TurnIntoMushroom();
  // Killed by a weapon (or a mine): score, wave count, mushroom, burst, sound.
  void Death(uint8_t leaveMushroom);
};

// The state every chain shares (chainSpeed, chainBottomReached,
// chainReinforceTimer) is the world's, in game/world.h.

// A new game: chains start at 1 pixel per frame.
void ResetChains(World& world);
// Every wave start: chains get a little faster, reinforcements stop.
void StartChainWave(World& world);
// Lays out the chains of a wave whose part count (player.wave_parts) is set.
void GenerateWave(World& world);
// The spawner's per-frame step once the bottom is reached: counts the
// reinforcement timer down and sends one more part at 0.
void UpdateReinforcements(World& world);
// One reinforcement part entering the player's zone from either side.
TSkitterworm* CreateReinforcement(World& world);
