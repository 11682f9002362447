#pragma once
#include <cstdint>

#include "core/object_list.h"

struct World;

// The railblast item: a drone rises from the ship (ticks 0..59), charges with
// flashes and bleeps (60..119), then fires a beam down a three-column strip
// of the field: at tick 120 every mushroom and mine of the strip is gone, for
// the next 80 ticks every enemy in the beam burns, and the beam fades out by
// tick 240.

class TRailblast : public Listed {
 public:
  static constexpr uint16_t kChargeAt = 60, kFireAt = 120, kBurnUntil = 200, kGoneAt = 240;
  // The beam: 21 pixels wide round the centre line, from the top of the
  // screen down to the ship's zone.
  static constexpr int32_t kBeamHalf = 10, kBeamWidth = 21, kBeamHeight = 227;

  uint16_t sourcex = 0;   // x of the beam's centre line
  uint8_t sourcecol = 0;  // column under sourcex
  uint8_t leftcol = 0;    // first column burnt
  uint8_t rightcol = 0;   // last column burnt
  float targy = 0;        // y of the drone
  float targyvel = 0;     // its upward speed
  uint16_t frame = 0;     // ticks since creation

  // A new railblast (all zero) joins lstRailblasts.
  explicit TRailblast(World& world);
  World& world;  // the game it is part of
  // The drone leaves the ship with the beam line at x.
  static TRailblast* Create(World& world, int32_t x);

  void Die();
  void Update();
  void DestroyShrooms();
  void DestroyEnemies();
};
