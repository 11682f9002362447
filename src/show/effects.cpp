#include "show/effects.h"

#include <cstdio>

#include "audio/audio.h"
#include "audio/sfx.h"
#include "core/common.h"
#include "core/helpers.h"
#include "core/images.h"
#include "core/rainbow_phaser.h"
#include "game/playfield.h"
#include "platform/graphics.h"
#include "platform/image.h"
#include "platform/random.h"
#include "show/particle.h"
#include "show/score_popup.h"

namespace {

constexpr uint8_t kBlastFlash = 15, kAfterFlash = 16, kWardenTrail = 18, kSaucerLight = 5;

uint8_t PopupOf(uint16_t points) {
  switch (points) {
    case 25:
      return POPUP_25;
    case 50:
      return POPUP_50;
    case 75:
      return POPUP_75;
    case 100:
      return POPUP_100;
    default:
      return POPUP_200;
  }
}

void ExplosionFlash(float x, float y, uint8_t type) {
  TParticle* flash = CreateParticle(x, y, type, "FFFFFF", 90, 90);
  flash->ang = uint16_t(ShowRand(0, 359));
}

}  // namespace

void ChainPartBurst(int32_t x, int32_t y, uint8_t family) {
  const uint16_t px = uint16_t(x + 3), py = uint16_t(y + 3);
  const float e = 0.5f + 0.5f * float(ShowRand(1, 3));  // 1.0, 1.5 or 2.0
  static constexpr uint8_t kTypes[7] = {3, 4, 5, 6, 7, 8, PARTICLE_ANY_SPARK};
  const uint8_t type = kTypes[ShowRand(1, 7) - 1];
  auto burst = [&](uint8_t count, float speed_min, float speed_max, uint16_t ang_min, uint16_t ang_max) {
    CreateParticles(px, py, count, family, 20, 60, speed_min, speed_max, type, ang_min, ang_max, 0.95f);
  };
  switch (ShowRand(1, 3)) {
    case 1:
      burst(30, 0.1f, 1.5f * e, 0, 359);
      break;  // spray
    case 2:
      burst(30, 1.4f * e, 1.5f * e, 0, ShowRand(1, 2) == 1 ? 359 : 999);
      break;    // ring
    default: {  // jets, each a 20-degree window
      struct Jets {
        uint8_t count;
        uint8_t n;
        uint16_t start[4];
      };
      static constexpr Jets kJets[4] = {
          {7, 4, {350, 80, 170, 260}},  // cross
          {7, 4, {305, 35, 125, 215}},  // diagonal cross
          {10, 3, {350, 110, 230, 0}},
          {10, 3, {50, 170, 290, 0}},
      };
      const Jets& jets = kJets[ShowRand(1, 4) - 1];
      for (int i = 0; i < jets.n; ++i) burst(jets.count, 0.75f, 1.5f * e, jets.start[i], uint16_t(jets.start[i] + 20));
      break;
    }
  }
}

void SnailSplat(const game_event::SnailSplat& snail) {
  const float x = snail.x, y = snail.y;
  CreateParticle(x - 4.0f, y - 4.0f, PARTICLE_SPLAT, snail.colour.hex, 100);
  CreateParticles(uint16_t(int32_t(x - 4.0f)), uint16_t(int32_t(y - 4.0f)), 8, snail.family, 50, 100, 3, 5,
                  PARTICLE_SPLAT, 0, 359, 0.5f);
  if (snail.points) CreateScorePopup(x - 4.0f, y - 12.0f, PopupOf(snail.points));
}

void SpiderSplat(const game_event::SpiderSplat& spider) {
  const int32_t x = spider.x, y = spider.y;
  CreateParticle(float(x - 4), float(y - 4), PARTICLE_SPLAT, spider.colour.hex, 100);
  CreateParticles(uint16_t(x - 4), uint16_t(y - 4), 8, spider.family, 50, 100, 3, 5, PARTICLE_SPLAT, 0, 359, 0.5f);
  if (spider.points) CreateScorePopup(float(x - 4), float(y - 12), PopupOf(spider.points));
}

void SaucerBurst(const game_event::SaucerBurst& saucer) {
  const float x = saucer.x;
  const uint16_t y = saucer.y;
  const int32_t a = saucer.angle;
  const uint16_t cx = uint16_t(int32_t(x + 4.0f)), cy = uint16_t(y + 4);
  CreateFlash(uint16_t(int32_t(x + 3.0f)), uint16_t(y - 8));
  // Two fans of streaks flung out to opposite sides, then a cloud of sparks.
  CreateParticles(cx, cy, 75, 200, 20, 60, 3, 4, PARTICLE_STREAK, uint16_t(a - 40), uint16_t(a + 40), 0.95f);
  CreateParticles(cx, cy, 75, 200, 20, 60, 3, 4, PARTICLE_STREAK, uint16_t(a + 140), uint16_t(a + 220), 0.95f);
  CreateParticles(cx, cy, 150, saucer.family, 20, 60, 0.1f, 2.75f, PARTICLE_ANY_SPARK, 0, 359, 0.95f);
  if (saucer.points) CreateScorePopup(x - 12.0f, float(y - 20), PopupOf(saucer.points));
}

void SaucerLight(float x, float y, float xvel) {
  // A white dot that drifts along with the saucer for 3 frames.
  TParticle* light = CreateParticle(x, y, kSaucerLight, "FFFFFF", 3);
  light->f = 1.0f;
  light->xvel = xvel;
}

void WardenTrail(float x, float y) {
  // The rainbow's colour as the particles take it.
  char hex[7];
  std::snprintf(hex, sizeof hex, "%02X%02X%02X", rainbow.r, rainbow.g, rainbow.b);
  CreateParticle(x, y, kWardenTrail, hex, 60, 60);
}

void ShipBurst(int32_t x, int32_t y) {
  CreateParticles(uint16_t(x + 3), uint16_t(y + 3), 150, 200, 30, 100, 0.1f, 3.0f, 8, 0, 359, 0.98f);
  CreateParticles(uint16_t(x + 3), uint16_t(y + 3), 150, 200, 30, 100, 0.1f, 3.0f, 10, 0, 359, 0.98f);
  CreateFlash(uint16_t(x + 2), uint16_t(y - 8));
}

void BulletTrail(int32_t x, int32_t y, uint8_t level) {
  const int32_t count = level <= 1 ? 1 : ShowRand(1, 2);
  for (int32_t i = 0; i < count; ++i) {
    uint8_t type = 13, family = 5;
    int32_t life = 0;
    switch (level) {
      case 0:
      case 1:
        life = ShowRand(10, 15);
        break;
      case 2:
        family = 7;
        break;
      case 3:
        family = 9;
        type = ShowRand(0, 1) ? 14 : 13;
        break;
      default:
        family = 200;
        type = 14;
        break;
    }
    if (life == 0) life = ShowRand(20, 30);
    const float px = float(x + ShowRand(0, 2));
    const float py = float(y + ShowRand(3, 11));
    CreateParticle(px, py, type, RandomColour(family, ShowRandom()), life, life);
  }
}

void MuzzleFlash(int32_t x, int32_t y) {
  SetColor(255, 255, 255);
  SetRotation(float(ShowRand(0, 359)));
  DrawImage(gfx.particle[6], float(x), float(y), 0);
  SetRotation(0);
}

void MineBlast(int32_t cell) {
  // A single white frame.
  const int32_t col = cell % kFieldCols, row = cell / kFieldCols;
  SetColor(255, 255, 255);
  DrawImage(gfx.scattermine_explode, float(col * 9 + 9), float(row * 9 + 8), 0);
}

void ShroomChips(uint16_t x, uint16_t y, uint8_t family, uint8_t code) {
  CreateParticles(x, y, 2, family, 15, 50, 0.1f, 0.4f, code >= 4 ? 4 : 3, 0, 359, 1.0f);
}

void ShroomShotDown(uint16_t x, uint16_t y, uint8_t family, bool poison) {
  CreateParticles(x, y, poison ? 10 : 5, family, 15, 50, 0.1f, 0.4f, poison ? 4 : 3, 0, 359, 1.0f);
}

void ShroomFlash(int32_t x, int32_t y, int32_t frame) {
  TParticle* flash = CreateParticle(float(x), float(y), PARTICLE_SHROOM_FLASH, "FFFFFF", 120, 120);
  flash->ang = uint16_t(frame);  // the flash shows the mushroom's own frame
}

void MineAppears(int32_t x, int32_t y) { CreateParticle(float(x), float(y), PARTICLE_MINE_APPEAR, "FFFFFF", 60, 60); }

void ExplosionStarts(int32_t x, int32_t y) {
  ExplosionFlash(float(x), float(y), kBlastFlash);
  const uint16_t px = uint16_t(x), py = uint16_t(y);
  CreateParticles(px, py, 30, 200, 40, 60, 1.4f, 1.5f, 6, 0, 999, 0.95f);
  CreateParticles(px, py, 50, 200, 40, 60, 2.9f, 3.0f, 3, 0, 999, 0.95f);
}

void ExplosionBurns(int32_t x, int32_t y) {
  if (ShowRand(1, 100) <= 85) return;
  const float fx = float(x + ShowRand(-10, 10)), fy = float(y + ShowRand(-10, 10));
  ExplosionFlash(fx, fy, kAfterFlash);
  const uint8_t count = uint8_t(ShowRand(5, 10));
  const uint8_t type = uint8_t(ShowRand(3, 7));
  CreateParticles(uint16_t(int32_t(fx)), uint16_t(int32_t(fy)), count, 200, 40, 60, 0.9f, 1.0f, type, 0, 999, 0.95f);
  PlayEffect(sfx.sndMissileExplode);
}
