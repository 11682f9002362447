#pragma once
#include <cstdint>

#include "core/object_list.h"
#include "game/enemy.h"

struct World;

// The warden hovers over the field during warden alert, bobbing up and down,
// slides sideways after the ship (accelerating, up to its top speed) and now
// and then fires a bullet aimed at it. The ship is not hit by its box but by
// its picture: the footprints of the warden and its bullets, registered at
// the start of every frame, are tested against the ship's own.
// The laser cannot touch a warden; it stays until the wave or stage ends.
class TWarden : public TEnemy {
 public:
  float x = 0;
  float y = 0;   // base height
  float sy = 0;  // drawn height: base plus the bob
  float xvel = 0;
  float xvelmax = 0;
  float xdelta = 0;        // sideways acceleration
  float ysin = 0;          // bob amplitude
  uint8_t whichlight = 0;  // which alarm light is lit, 0 or 1
  uint8_t lighttimer = 0;
  uint16_t sinr = 0;  // bob angle, degrees
  float aim = 0;      // degrees of the last shot

  // A new warden with its standard handling, lights at a random point of
  // their cycle, in lstEnemies.
  explicit TWarden(World& world);
  static TWarden* New(World& world) { return new TWarden(world); }

  void Die() override;
  void Update() override;
  void ShootAtPlayer();
};

// A warden's shot: flies straight, leaves 5 pixels beyond any screen edge.
class TWardenBullet : public Listed {
 public:
  float x = 0;
  float xvel = 0;
  float y = 0;
  float yvel = 0;
  float ang = 0;  // degrees, also the drawn rotation
  float vel = 0;

  explicit TWardenBullet(World& world);
  World& world;  // the game it is part of
  static TWardenBullet* New(World& world) { return new TWardenBullet(world); }

  void Die();
  void Update();
};

// A warden at a random place in the upper field with slightly varied handling.
TWarden* SpawnWarden(World& world);

void UpdateWardens(World& world);  // wardens and their bullets, every frame
void UpdateWardenBullets(World& world);
// The wardens and their shots where they stand, as the ship's collision test
// sees them this frame (before anything moves): world.wardenFootprints.
void RegisterWardenCollisions(World& world);
void RemoveAllWardens(World& world);
