#pragma once
#include <cstdint>

struct World;

// When the play states' steps come, which the show follows: the stage
// banner, the tally's lines and its bonus.

// The stage banner's field shows halfway through it.
constexpr int32_t kFieldAppears = 120;
// The tally's last step: from the next frame on, fire continues.
constexpr int32_t kTallyEnd = 300;
// The tally's lines: one every 40 frames, the mushroom multiplier, then the
// bonus (-1: no saucer line, as at stage A).
struct TallyTimes {
  int32_t saucers, mushrooms, bonus;
};
TallyTimes TallyTimeline(uint8_t stage);
// The stage's mushrooms at the tally's multiplier.
int32_t StageBonus(const World& world);
