#include "game/play_timeline.h"

#include "game/world.h"

TallyTimes TallyTimeline(uint8_t stage) {
  // Stage A has no saucers, so its lines come one step earlier.
  if (stage >= 2) return {140, 180, 220};
  return {-1, 140, 180};
}

int32_t StageBonus(const World& world) { return int32_t(float(world.statsStage.mushrooms) * world.mushroomMultiplier); }
