#pragma once
#include <cstdint>

#include "core/object_list.h"

// The creatures drifting and spinning behind the menu. One that has lived its
// time is replaced at once, so their number stays the same while the menu runs.
class TMenuParticle : public Listed {
 public:
  float x = 0, y = 0;
  float xvel = 0, yvel = 0;
  float r = 0;  // rotation, degrees
  float rspeed = 0;
  float s = 1;    // scale
  uint8_t t = 0;  // 0..7 mushrooms, 8 spider, 9 saucer, 10 snail
  uint8_t cr = 0, cg = 0, cb = 0;
  uint16_t maxlife = 0;
  uint16_t life = 0;

  // A new particle in the rainbow's colour at a random place, speed and age.
  static TMenuParticle* Spawn(bool newborn);
  void Die(uint8_t respawn);
  void Update();
  void Draw() const;
};

// Hands a particle that died back to the pool.
void ReleaseMenuParticle(TMenuParticle* p);
// n particles, each a little further round the rainbow than the last.
void SpawnMenuParticles(int n);
void UpdateAndDrawMenuParticles();
void RemoveMenuParticles();
