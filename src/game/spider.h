#pragma once
#include <cstdint>
#include <string>

#include "game/enemy.h"

// The spider bounces up and down through the player's zone while drifting
// sideways, changing its sideways course at every bounce. It never touches
// the mushrooms. Shooting it close to the ship scores more.
class TSpider : public TEnemy {
 public:
  static constexpr uint8_t VDIR_UP = 1, VDIR_DOWN = 3;
  static constexpr uint8_t HDIR_RIGHT = 2, HDIR_LEFT = 4, HDIR_NONE = 5;
  // The band it bounces in and the field edges it leaves by.
  static constexpr int32_t kTopY = 170, kBottomY = 214, kLeftX = 17, kRightX = 296;

  int32_t x = 0;
  int32_t y = 0;
  std::string c;     // RRGGBB
  uint8_t clr = 0;   // colour family c came from
  uint8_t vdir = 0;  // VDIR_*
  uint8_t hdir = 0;  // HDIR_*

  // A new spider (all zero) joins lstEnemies.
  explicit TSpider(World& world);
  static TSpider* New(World& world) { return new TSpider(world); }

  void Die() override;
  // Leaves with a splat but without score or statistics (end of a stage).
  void Suicide();
  void Update() override;
  // The splat, with a pop-up of the points scored (0: none).
  void Splat(uint16_t points);
  // Shot (or rammed by a shielded ship): score by distance to the ship, splat, count.
  void Death();
};
