#pragma once
#include <cstdint>
#include <string>

#include "game/enemy.h"

// The snail either falls straight down a column or crawls along a row. It
// drops fresh mushrooms now and then into empty cells it leaves, and paints
// every cell it passes in its own colour, so the field changes behind it.
// Unlike spiders and saucers it dies on scattermines (and scores for it).
class TSnail : public TEnemy {
 public:
  static constexpr uint8_t DIR_RIGHT = 2, DIR_DOWN = 3, DIR_LEFT = 4;

  float x = 0;
  float y = 0;
  uint16_t row = 0;    // grid row of a crawling snail
  uint8_t dir = 0;     // DIR_*
  std::string c;       // RRGGBB
  uint8_t clr = 0;     // colour family c came from
  int32_t my_sec = 0;  // the cell it is leaving: where it drops and paints

  // A new snail (all zero) joins lstEnemies and announces itself.
  explicit TSnail(World& world);
  static TSnail* New(World& world) { return new TSnail(world); }

  void Die() override;
  // Leaves with a splat but without score or statistics (end of a stage).
  void Suicide();
  // Runs inside a walk of lstEnemies: a snail that leaves the field still
  // finishes its frame (drop, mine, paint) before it is freed.
  void Update() override;
  void DropMushroom();
  // The splat, with a pop-up of the points when it scored.
  void Splat(uint8_t showPopup);
  // Shot, rammed by a shielded ship, or blown up on a mine.
  void Death();

  bool Falling() const { return dir == DIR_DOWN; }
};
