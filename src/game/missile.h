#pragma once
#include <cstdint>

#include "core/object_list.h"

struct World;

// The missile volley item: for 75 ticks the ship launches a missile every 15
// ticks from wherever it is, five in all. Each missile climbs straight up its
// column, faster and faster, and explodes on the first mushroom or enemy it
// meets; one that meets nothing flies off the top without a bang.

constexpr float kMissileGoneY = -8.0f;  // at or above this a missile is finished

class TMissile : public Listed {
 public:
  int32_t x = 0;       // left edge
  float y = 0;         // top edge
  uint8_t m_col = 0;   // grid column, fixed at launch
  uint8_t m_row = 0;   // grid row, recomputed every tick (a byte: above the field it wraps out of reach)
  uint16_t m_pos = 0;  // cell index m_row * 32 + m_col
  World& world;  // the game it is part of
  float yvel = 0;
  float ydel = 0;  // change of yvel per tick: it accelerates upward

  // A new missile joins lstMissiles moving up at 1 pixel per tick.
  explicit TMissile(World& world);
  static TMissile* Launch(World& world, int32_t x, int32_t y, uint8_t col);

  void Die();
  void Update();
  void CollideShrooms();
  void CollideEnemies();
  void Explode();
};

class TMissileVolley : public Listed {
 public:
  uint8_t life = 0;  // ticks left

  // A new volley joins lstMissileVolleys.
  explicit TMissileVolley(World& world);
  World& world;  // the game it is part of
  static TMissileVolley* Create(World& world, uint8_t life);

  void Die();
  void Update();
};

// Ticks a volley from the item lasts, and the spacing of its launches.
constexpr uint8_t kVolleyLife = 75;
constexpr uint8_t kVolleySpacing = 15;
