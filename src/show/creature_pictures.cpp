#include "show/creature_pictures.h"

#include "core/common.h"
#include "core/fader.h"
#include "core/helpers.h"
#include "core/images.h"
#include "core/rainbow_phaser.h"
#include "game/saucer.h"
#include "game/skitterworm.h"
#include "game/snail.h"
#include "game/spider.h"
#include "game/warden.h"
#include "game/world.h"
#include "platform/graphics.h"
#include "platform/image.h"
#include "platform/random.h"

void DrawChainPart(const TSkitterworm& part) {
  SetReadableColorHex(part.c);
  DrawImage(gfx.skitterworm, float(part.x), float(part.y), part.f);
}

void DrawSnail(const TSnail& snail) {
  SetReadableColorHex(snail.c);
  // Two fading copies behind it, on the light blending the playfield left.
  float bx = 8.0f, by = 0.0f;  // offset of the far copy
  int frame = 0;
  if (snail.dir == TSnail::DIR_LEFT) {
    bx = -8.0f;
    frame = 1;
  } else if (snail.dir == TSnail::DIR_DOWN) {
    bx = 0.0f;
    by = 8.0f;
    frame = 2;
  }
  const float x = snail.x, y = snail.y;
  SetAlpha(0.25f * fadeScene.value);
  DrawImage(gfx.snail, float(int32_t(x - bx)), float(int32_t(y - by)), frame);
  SetAlpha(0.5f * fadeScene.value);
  DrawImage(gfx.snail, float(int32_t(x - bx / 2)), float(int32_t(y - by / 2)), frame);
  SetBlend(Blend::kMask);
  SetAlpha(fadeScene.value);
  DrawImage(gfx.snail, float(int32_t(x)), float(int32_t(y)), frame);
  SetBlend(Blend::kLight);
}

void DrawSpider(const TSpider& spider) {
  SetReadableColorHex(spider.c);
  DrawImage(gfx.spider, float(spider.x), float(spider.y));
}

void DrawSaucer(const TSaucer& saucer) {
  const float px = float(int32_t(saucer.x)), py = float(saucer.y);
  SetReadableColorHex(saucer.c);
  SetBlend(Blend::kAlpha);
  DrawImage(gfx.saucer, px, py, saucer.f);
  SetBlend(Blend::kLight);
  rainbowFast.Set();
  DrawImage(gfx.saucer_glow, px, py, saucer.f);
}

void DrawWarden(const TWarden& warden) {
  const float px = warden.x, py = warden.sy;
  rainbow.Set();
  DrawImage(gfx.warden_inner, px, py);
  SetAlpha(ShowRnd(0.0f, 0.5f) * fadeScene.value);  // the glow flickers
  DrawImage(gfx.warden_glow, px, py);
  SetAlpha(fadeScene.value);
  SetBlend(Blend::kAlpha);
  SetColor(255, 255, 255);
  DrawImage(gfx.warden, px, py);
  SetAlpha(0.75f * fadeScene.value);
  if (warden.whichlight == 1)
    DrawImage(gfx.warden_alarms, warden.x - 6.0f, py, 1);
  else
    DrawImage(gfx.warden_alarms, warden.x + 6.0f, py, 0);
  SetAlpha(fadeScene.value);
  SetBlend(Blend::kLight);
}

void DrawWardenBullet(const TWardenBullet& shot) {
  SetRotation(shot.ang);
  SetColor(0, 255, 255);
  DrawImage(gfx.warden_bullet, shot.x, shot.y);
  SetRotation(0);
}

void DrawChainParts(const World& world) {
  world.lstEnemies.ForEachOf<TSkitterworm>([](const TSkitterworm* part) { DrawChainPart(*part); });
}

void DrawSnails(const World& world) {
  world.lstEnemies.ForEachOf<TSnail>([](const TSnail* snail) { DrawSnail(*snail); });
}

void DrawSpiders(const World& world) {
  world.lstEnemies.ForEachOf<TSpider>([](const TSpider* spider) { DrawSpider(*spider); });
}

void DrawSaucers(const World& world) {
  world.lstEnemies.ForEachOf<TSaucer>([](const TSaucer* saucer) { DrawSaucer(*saucer); });
}

void DrawWardens(const World& world) {
  world.lstEnemies.ForEachOf<TWarden>([](const TWarden* warden) { DrawWarden(*warden); });
}

void DrawWardenBullets(const World& world) {
  world.lstWardenBullets.ForEach([](const TWardenBullet* shot) { DrawWardenBullet(*shot); });
}
