#pragma once
#include <cstdint>

#include "core/object_list.h"

struct World;

// A spinning token a destroyed saucer may leave behind. It drifts down the
// screen at half a pixel per tick; when the ship touches it, it grants a timed
// power, an item for later, the spider radar or an extra life. Uncollected,
// it keeps falling off screen until y 320, and a new stage sweeps it away.

// Kinds (`t`); the item kinds double as the codes held in TPlayer::item.
constexpr uint8_t POWERUP_LASER2 = 0, POWERUP_LASER3 = 1, POWERUP_LASER4 = 2, POWERUP_SHIELD = 3, POWERUP_SCORE2 = 4,
                  POWERUP_SCORE3 = 5, POWERUP_SCORE5 = 6, POWERUP_FREEMOVE = 7, POWERUP_RADAR = 8, POWERUP_MISSILES = 9,
                  POWERUP_SMARTBOMB = 10, POWERUP_RAILBLAST = 11, POWERUP_SCATTERMINES = 12, POWERUP_EXTRALIFE = 13;
constexpr int kPowerupKinds = 14;
constexpr uint16_t kPowerupTicks = 900;  // a timed power restarts at this, it never adds up
constexpr float kPowerupGoneY = 320.0f;

class TPowerup : public Listed {
 public:
  uint8_t t = 0;   // kind
  uint16_t x = 0;  // left edge
  float y = 0;     // top edge
  uint16_t r = 0;  // ring rotation, degrees 0..359

  // A new powerup (all zero) joins lstPowerups.
  explicit TPowerup(World& world);
  World& world;  // the game it is part of
  // One at (x, y) of a kind rolled from the table.
  static TPowerup* Create(World& world, uint16_t x, uint16_t y);

  void Die();
  void Update();
  // The ship touched it: the effect, its sound and its statistic, then gone.
  void Collect();
};

// The roll table: which kind a fresh powerup is. Items come up most often,
// the extra life and free movement rarely.
uint8_t RollPowerupKind(World& world);

// The powerups falling from destroyed saucers; a destroyed saucer leaves one
// at its place (the saucer rolls the chance).
void UpdatePowerups(World& world);
void RemoveAllPowerups(World& world);
void CreatePowerup(World& world, uint16_t x, uint16_t y);
