#include "show/weapon_pictures.h"

#include "core/common.h"
#include "core/fader.h"
#include "core/images.h"
#include "core/rainbow_phaser.h"
#include "game/missile.h"
#include "game/powerup.h"
#include "game/railblast.h"
#include "game/world.h"
#include "platform/graphics.h"
#include "platform/image.h"

void DrawPowerup(const TPowerup& powerup) {
  SetColor(255, 255, 255);
  DrawImage(gfx.powerup, float(powerup.x), powerup.y, powerup.t);
  rainbow.Set();
  SetRotation(float(powerup.r));
  DrawImage(gfx.powerup_spin, float(powerup.x + 4), powerup.y + 4.0f, 0);
  SetRotation(0);
}

void DrawMissile(const TMissile& missile) {
  SetColor(255, 255, 255);
  DrawImage(gfx.missile, float(missile.x), missile.y, 0);
}

void DrawRailblast(const TRailblast& rail) {
  const uint16_t frame = rail.frame;
  if (frame < TRailblast::kFireAt) {
    // The drone's height is cut to whole picture pixels, so it is placed in those.
    const int ds = DrawScale();
    const float px = float(rail.sourcex * ds), py = float(int32_t(rail.targy * float(ds)));
    SetRawPixels(true);
    SetScale(float(ds), float(ds));
    SetColor(127, 127, 127);
    DrawImage(gfx.particle[1], px, py, 0);
    if (frame > TRailblast::kChargeAt && frame % 20 <= 5) {
      rainbow.Set();
      DrawImage(gfx.raildrone_flash, px, py, 0);
    }
    SetScale(1, 1);
    SetRawPixels(false);
    return;
  }
  // The beam fades from full to nothing over its last 120 ticks.
  constexpr uint16_t kFireAt = TRailblast::kFireAt;
  SetAlpha(float(kFireAt - (frame - kFireAt)) / float(kFireAt) * fadeScene.value);
  SetColor(255, 255, 0);
  DrawImageRect(gfx.railblast, float(int32_t(rail.sourcex) - TRailblast::kBeamHalf), 0, float(TRailblast::kBeamWidth),
                float(TRailblast::kBeamHeight), 0);
  SetAlpha(fadeScene.value);
}

void DrawPowerups(const World& world) {
  world.lstPowerups.ForEach([](const TPowerup* powerup) { DrawPowerup(*powerup); });
}

void DrawMissilesAndRailblasts(const World& world) {
  world.lstMissiles.ForEach([](const TMissile* missile) { DrawMissile(*missile); });
  world.lstRailblasts.ForEach([](const TRailblast* rail) { DrawRailblast(*rail); });
}
