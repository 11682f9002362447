#include "game/radar.h"

#include "game/game_events.h"
#include "game/world.h"

namespace {

constexpr int32_t kBlipFrames = 150;  // 2.5 s of play
constexpr uint8_t kDetectTicks = 11, kBlinkTicks = 21;

}  // namespace

void TRadar::Update() {
  // Only the exact ticks 60, 40 and 20 warn: a countdown running two a tick
  // during warden alert may step over them.
  if (world.spiderTimer >= 20 && world.spiderTimer <= 60 && world.spiderTimer % 20 == 0) {
    world.ReportSound(GameSound::kRadarDetect);
    detect = kDetectTicks;
  } else if (world.spiderTimer > 60 && int32_t(uint32_t(world.gameFrames) - uint32_t(lastblink)) > kBlipFrames) {
    world.ReportSound(GameSound::kRadarBlip);
    blink = kBlinkTicks;
    lastblink = int32_t(world.gameFrames);
  }
  if (detect > 0) --detect;
  if (blink > 0) --blink;
}
