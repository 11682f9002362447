#include "show/play_picture.h"

#include <cstdio>
#include <string>
#include <string_view>

#include "core/common.h"
#include "core/fader.h"
#include "core/fonts.h"
#include "core/helpers.h"
#include "core/images.h"
#include "core/play_states.h"
#include "core/rainbow_phaser.h"
#include "game/hurry_up.h"
#include "game/play.h"
#include "game/play_timeline.h"
#include "game/player.h"
#include "game/smart_bomb.h"
#include "game/world.h"
#include "platform/font.h"
#include "platform/graphics.h"
#include "platform/image.h"
#include "show/creature_pictures.h"
#include "show/field_picture.h"
#include "show/hud.h"
#include "show/particle.h"
#include "show/ship_picture.h"
#include "show/show.h"
#include "show/weapon_pictures.h"

namespace {

void DrawCentred(std::string_view text, int32_t x, int32_t y) { DrawTextCentred(text, x, y, 1); }

// The banners' big letters are the small font at double size.
void SetDoubleScale(bool on) {
  const float s = on ? 2.0f : 1.0f;
  SetScale(s, s);
}

// A wave that lasts too long: red that fades out over each beat of the
// warning, and a message that grows beat by beat.
void DrawHurryUp(const World& world) {
  if (world.hurryup.state != THurryUp::STATE_WARNING) return;
  SetColor(236 - 4 * world.hurryup.phase, 0, 0);
  const float s = 2.0f + 0.2f * float(world.hurryup.loops);
  SetScale(s, s);
  DrawTextCentred(world.hurryup.msg, 161, 200, 0);
  SetScale(1, 1);
}

void EnteringDraw(const World& world) {
  uint16_t draw = kDrawParticles | kDrawHud;
  if (world.stateTimer >= kFieldAppears) draw |= kDrawPlayfield;
  DrawWorld(world, draw);
  SetImageFont(fntSmall);
  SetColor(255, 255, 255);
  DrawCentred("E n t e r i n g   s t a g e", 160, 100);
  DrawCentred("Get ready!", 160, 130);
  SetDoubleScale(true);
  rainbow.Set();
  DrawCentred(std::string(1, StageLetter(world.player.stage)), 161, 115);
  SetColor(191, 191, 191);
  SetDoubleScale(false);
  SetAlpha(fadeScene.value);
}

void PlayingDraw(const World& world) {
  DrawWorld(world, kDrawAll);
  DrawHurryUp(world);
}

void PausedDraw(const World& world) {
  DrawWorld(world, kDrawAll);
  SetBlend(Blend::kMask);
  SetColor(31, 31, 31);
  DrawImage(gfx.gameinfo_bgd, 0, 97);
  SetBlend(Blend::kLight);
  SetAlpha(fadeScene.value);
  rainbow.Set();
  DrawCentred("-   P   A   U   S   E   D   -", 160, 114);
  SetColor(191, 191, 255);
  DrawCentred("<ESC> to quit - any other key to resume", 160, 124);
}

void TallyLine(const World& world, int32_t at, const char* label, int32_t label_y, uint16_t killed, uint16_t seen) {
  if (world.stateTimer <= at) return;
  SetColor(255, 255, 0);
  DrawCentred(label, 160, label_y);
  SetColor(255, 127, 0);
  char text[32];
  std::snprintf(text, sizeof text, "%u out of %u", unsigned(killed), unsigned(seen));
  DrawCentred(text, 160, label_y + 8);
}

void ClearedDraw(const World& world) {
  DrawWorld(world, kDrawAll);
  SetDoubleScale(true);
  rainbow.Set();
  char text[32];
  std::snprintf(text, sizeof text, "Stage %c cleared!", StageLetter(world.player.stage));
  DrawCentred(text, 161, 30);
  SetDoubleScale(false);

  const TallyTimes at = TallyTimeline(world.player.stage);
  TallyLine(world, 60, "Snails squished", 60, world.statsStage.snails_killed, world.statsStage.snails_seen);
  TallyLine(world, 100, "Spiders splatted", 85, world.statsStage.spiders_killed, world.statsStage.spiders_seen);
  if (at.saucers > 0)
    TallyLine(world, at.saucers, "Saucers smashed", 110, world.statsStage.saucers_killed,
              world.statsStage.saucers_seen);
  if (world.stateTimer > at.mushrooms) {
    SetColor(0, 255, 255);
    DrawCentred("Mushroom multiplier", 106, 135);
    DrawCentred("Mushrooms mangled", 212, 135);
    SetColor(0, 191, 191);
    DrawCentred(MultiplierText(world.mushroomMultiplier), 106, 143);
    std::snprintf(text, sizeof text, "%u", unsigned(world.statsStage.mushrooms));
    DrawCentred(text, 212, 143);
  }
  if (world.stateTimer >= at.bonus) {
    SetColor(127, 255, 127);
    DrawCentred("Stage bonus", 160, 159);
    SetDoubleScale(true);
    SetColor(63, 191, 63);
    std::snprintf(text, sizeof text, "%u", unsigned(uint16_t(StageBonus(world))));
    DrawCentred(text, 160, 170);
    SetDoubleScale(false);
  }
  if (world.stateTimer > kTallyEnd) {
    if (world.stateTimer % 60 < 30)
      SetColor(127, 127, 127);
    else
      SetColor(255, 255, 255);
    DrawCentred("< Press fire button to continue >", 160, 220);
  }
}

void GameOverDraw(const World& world) {
  DrawWorld(world, kDrawAll);
  SetDoubleScale(true);
  rainbow.Set();
  DrawCentred("G A M E   O V E R", 161, 111);
  SetDoubleScale(false);
}

}  // namespace

const char* MultiplierText(float multiplier) {
  // Process-wide scratch: the text is drawn at once, before the next call.
  static char text[8];
  char full[32];
  std::snprintf(full, sizeof full, "%#.9g", double(multiplier));
  std::snprintf(text, sizeof text, "x%.4s", full);
  return text;
}

void DrawGame(const World& world) {
  SetClsColor(world.smartbomb.life, world.smartbomb.life, world.smartbomb.life);
  SetAlpha(fadeScene.value);
  switch (world.gameState) {
    case STATE_ENTERING:
      EnteringDraw(world);
      break;
    case STATE_PLAYING:
      PlayingDraw(world);
      break;
    case STATE_PAUSED:
      PausedDraw(world);
      break;
    case STATE_CLEARED:
      ClearedDraw(world);
      break;
    case STATE_GAMEOVER:
      GameOverDraw(world);
      break;
    default:
      DrawWorld(world, kDrawAll);
      break;
  }
}

void DrawWorld(const World& world, uint16_t passes) {
  if (passes & kDrawPlayfield) DrawPlayfield(world.playfield);
  DrawWardenBullets(world);
  if (passes & kDrawShip) DrawShip(world.player);
  if (passes & kDrawBullet) DrawBullet(world.bullet, world.player);
  if (passes & kDrawParticles) DrawParticles();
  if (passes & kDrawPowerups) DrawPowerups(world);
  if (passes & kDrawChains) DrawChainParts(world);
  if (passes & kDrawSnails) DrawSnails(world);
  if (passes & kDrawSpiders) DrawSpiders(world);
  if (passes & kDrawSaucers) DrawSaucers(world);
  DrawWardens(world);
  DrawMissilesAndRailblasts(world);
  if (passes & kDrawHud) DrawHud(world);
}
