#pragma once
#include <cstdint>
#include <string>

#include "game/enemy.h"

// The saucer glides along a row of the upper field from stage B on, turning
// the plain mushrooms beneath it into poison ones (a chain part that touches
// one dives straight at the player). Shot down it is worth 200 points and may
// leave a powerup, more likely the higher it flew.
class TSaucer : public TEnemy {
 public:
  static constexpr uint8_t DIR_RIGHT = 2, DIR_LEFT = 4;
  static constexpr uint8_t kFrames = 7;
  static constexpr int32_t kSpinFrames = 3;  // game frames between two steps of the spin

  float x = 0;
  uint16_t y = 0;
  uint8_t f = 0;          // spin frame 0..6
  int32_t ftime = 0;      // game frames since the last step of the spin
  uint8_t blink[3] = {};  // blinkcount values at which each of the three lights flashes
  uint8_t blinkfreq = 0;  // frames per light cycle
  uint8_t blinkcount = 0;
  uint16_t row = 0;
  uint8_t dir = 0;     // DIR_*
  std::string c;       // RRGGBB
  uint8_t clr = 0;     // colour family c came from
  int32_t my_sec = 0;  // the cell under the saucer

  // A new saucer (all zero) joins lstEnemies.
  explicit TSaucer(World& world);
  static TSaucer* New(World& world) { return new TSaucer(world); }

  void Die() override;
  // Leaves with its burst but without score or statistics (end of a stage).
  void Suicide();
  void Update() override;
  void PoisonMushroom();
  // The burst, with a pop-up of the points when it scored.
  void Burst(uint8_t showPopup);
  // Shot (or rammed by a shielded, free-moving ship): 200 points, maybe a powerup.
  void Death();
  // The powerup chance in percent, in byte arithmetic as the stage grows.
  uint8_t PowerupChance() const;
};
