#pragma once
#include <cstdint>

struct World;

// The world's update passes in their fixed order, and the steps a stage and a
// wave begin with: what one frame of the play states runs (game/play.cpp),
// and what tests and benchmarks step on their own.

// The on/off switches of UpdateWorld; a pass's set is a bit mask.
enum UpdatePass : uint16_t {
  kUpdateEffects = 1u << 1,  // the show's effects move (game_event::EffectsMove)
  kUpdatePowerups = 1u << 3,
  kUpdateChains = 1u << 4,
  kUpdateSnails = 1u << 5,
  kUpdateSpiders = 1u << 6,
  kUpdateSaucers = 1u << 7,
  kUpdateShip = 1u << 8,
  kUpdateBullet = 1u << 9,
  kUpdateSpawner = 1u << 10,
  kUpdateKeys = 1u << 11,
  kUpdateAll = 0xffe,
};

void UpdateWorld(World& world, uint16_t passes);  // UpdatePass bits
void SetupStage(World& world);
void SetupWave(World& world);
