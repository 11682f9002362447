#pragma once
#include <cstdint>

#include "core/object_list.h"

struct World;

// Where a missile hits, the 3x3 block of cells around it burns for a second:
// on every one of its 60 ticks it clears the block's mushrooms (with score)
// and mines (without), kills every enemy within 12 pixels of its centre and
// now and then throws another burst. It is seen only through its particles.
//
// The block is taken by cell index, so beside the left or right edge of the
// field it reaches round to the other end of the neighbouring rows.

constexpr uint16_t kExplosionLife = 60;

class TExplosion : public Listed {
 public:
  int32_t x = 0;  // centre
  int32_t y = 0;
  uint16_t life = 0;  // ticks left
  uint16_t pos = 0;   // cell at the centre; above 703 the block clears nothing

  // A new explosion (all zero) joins lstExplosions.
  explicit TExplosion(World& world);
  World& world;  // the game it is part of
  // Goes off at once: clears, kills, bursts and bangs before its first tick.
  static TExplosion* Create(World& world, int32_t x, int32_t y, uint16_t life, uint16_t pos);

  void Die();
  void Update();
  void KillShrooms();
  void KillEnemies();
};
