#pragma once
#include <cstdint>

struct World;

// The ship's single laser bullet. A new shot is possible only once the last
// one has left the top of the screen or spent its power: that one-shot rule is
// what makes aiming matter. It flies 8 pixels up per tick and can hit as many
// things as the laser level it was fired with.
constexpr int32_t kBulletIdleY = -8;  // y at or above this: no shot in flight
constexpr int32_t kBulletSpeed = 8;

class TBullet {
 public:
  explicit TBullet(World& world) : world(world) {}
  World& world;  // the game it is part of

  int32_t x = 0;
  int32_t y = 0;
  uint8_t pwr = 0;  // hits left in this shot
  uint8_t hit = 0;  // the shot hit something this tick

  // A new shot from the ship at (ship_x, ship_y), with as many hits as its laser level.
  void Fire(int32_t ship_x, int32_t ship_y, uint8_t level);
  // One tick up the screen; its trail shows the ship's laser level (not the shot's spent power).
  void Move(uint8_t level);
  // A tick in which the shot hit counts once for the statistics.
  void CountHits();

  bool InFlight() const { return y > kBulletIdleY; }
  // One hit of the shot is used up; the last one puts it out of flight.
  void SpendHit();
};
