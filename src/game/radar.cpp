#include "game/radar.h"

#include "core/common.h"
#include "core/fader.h"
#include "core/images.h"
#include "game/game_events.h"
#include "game/world.h"
#include "platform/graphics.h"
#include "platform/image.h"

namespace {

constexpr int32_t kBlipFrames = 150;  // 2.5 s of play
constexpr uint8_t kDetectTicks = 11, kBlinkTicks = 21;
// The two lamps, at the bottom-left and bottom-right of the field.
constexpr int32_t kLampX[2] = {4, 308};
constexpr int32_t kPostY = 219, kLampY = 217;

void DrawPair(const Image* image, int32_t y) {
  for (int32_t x : kLampX) DrawImage(image, float(x), float(y), 0);
}

}  // namespace

void TRadar::Update() {
  // Only the exact ticks 60, 40 and 20 warn: a countdown running two a tick
  // during warden alert may step over them.
  if (spiderTimer >= 20 && spiderTimer <= 60 && spiderTimer % 20 == 0) {
    ReportSound(GameSound::kRadarDetect);
    detect = kDetectTicks;
  } else if (spiderTimer > 60 && int32_t(uint32_t(gameFrames) - uint32_t(lastblink)) > kBlipFrames) {
    ReportSound(GameSound::kRadarBlip);
    blink = kBlinkTicks;
    lastblink = int32_t(gameFrames);
  }
  if (detect > 0) --detect;
  if (blink > 0) --blink;
}

void TRadar::Draw() {
  SetColor(255, 255, 255);
  DrawPair(gfx.radar_post, kPostY);
  if (detect > 0) {
    SetAlpha(float(detect + 10) / 20.0f);
    DrawPair(gfx.radar_detect, kLampY);
  } else if (blink > 0) {
    SetAlpha(float(blink) / 20.0f);
    DrawPair(gfx.radar_blink, kLampY);
  }
  SetAlpha(fadeScene.value);
}
