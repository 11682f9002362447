#include "show/ship_picture.h"

#include "core/common.h"
#include "core/fader.h"
#include "core/helpers.h"
#include "core/images.h"
#include "core/rainbow_phaser.h"
#include "game/bullet.h"
#include "game/player.h"
#include "game/radar.h"
#include "game/world.h"
#include "platform/graphics.h"
#include "platform/image.h"
#include "platform/random.h"

namespace {

// The radar's two lamps, at the bottom-left and bottom-right of the field.
constexpr int32_t kLampX[2] = {4, 308};
constexpr int32_t kPostY = 219, kLampY = 217;

void DrawLampPair(const Image* image, int32_t y) {
  for (int32_t x : kLampX) DrawImage(image, float(x), float(y), 0);
}

}  // namespace

void DrawShip(const TPlayer& ship) {
  SetColor(255, 255, 255);
  const bool blink_on = ship.death_timer % 10 >= 5;  // respawning: 5 ticks on, 5 off
  if (ship.state == SHIP_ALIVE || (ship.state == SHIP_RESPAWNING && blink_on)) {
    SetColorHex(ship.c);
    DrawImage(gfx.player, float(ship.x), float(ship.y), 0);
  }
  const uint16_t shield = ship.power[POWER_SHIELD];
  if (shield > 0) {
    rainbowFast.Set();
    // A running-out shield flickers more and more often.
    if (shield < 240 && ShowRand(0, 239) > shield) SetAlpha(0.25f * fadeScene.value);
    DrawImage(gfx.shield, float(ship.x - 2), float(ship.y - 2), 0);
    SetAlpha(fadeScene.value);
  }
  const uint16_t free_left = ship.power[POWER_FREEMOVE];
  if (free_left >= 1 && free_left <= 239 && ship.y < kShipMinY) {
    DrawImage(gfx.freeaction_warn, float(ship.x), float(ship.y + 10), free_left % 60 >= 30 ? 1 : 0);
  }
  if (ship.power[POWER_RADAR] != 0) DrawRadar(ship.world.radar);
}

void DrawBullet(const TBullet& shot, const TPlayer& ship) {
  SetColor(255, 255, 255);
  if (shot.y > 0) DrawImage(gfx.bullet, float(shot.x), float(shot.y), ship.bpwr > 0 ? ship.bpwr - 1 : 0);
}

void DrawRadar(const TRadar& radar) {
  SetColor(255, 255, 255);
  DrawLampPair(gfx.radar_post, kPostY);
  if (radar.detect > 0) {
    SetAlpha(float(radar.detect + 10) / 20.0f);
    DrawLampPair(gfx.radar_detect, kLampY);
  } else if (radar.blink > 0) {
    SetAlpha(float(radar.blink) / 20.0f);
    DrawLampPair(gfx.radar_blink, kLampY);
  }
  SetAlpha(fadeScene.value);
}
