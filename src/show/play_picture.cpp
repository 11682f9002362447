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
void DrawHurryUp() {
  if (hurryup.state != THurryUp::STATE_WARNING) return;
  SetColor(236 - 4 * hurryup.phase, 0, 0);
  const float s = 2.0f + 0.2f * float(hurryup.loops);
  SetScale(s, s);
  DrawTextCentred(hurryup.msg, 161, 200, 0);
  SetScale(1, 1);
}

void EnteringDraw() {
  uint16_t draw = kDrawParticles | kDrawHud;
  if (stateTimer >= kFieldAppears) draw |= kDrawPlayfield;
  DrawWorld(draw);
  SetImageFont(fntSmall);
  SetColor(255, 255, 255);
  DrawCentred("E n t e r i n g   s t a g e", 160, 100);
  DrawCentred("Get ready!", 160, 130);
  SetDoubleScale(true);
  rainbow.Set();
  DrawCentred(std::string(1, StageLetter(player.stage)), 161, 115);
  SetColor(191, 191, 191);
  SetDoubleScale(false);
  SetAlpha(fadeScene.value);
}

void PlayingDraw() {
  DrawWorld(kDrawAll);
  DrawHurryUp();
}

void PausedDraw() {
  DrawWorld(kDrawAll);
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

void TallyLine(int32_t at, const char* label, int32_t label_y, uint16_t killed, uint16_t seen) {
  if (stateTimer <= at) return;
  SetColor(255, 255, 0);
  DrawCentred(label, 160, label_y);
  SetColor(255, 127, 0);
  char text[32];
  std::snprintf(text, sizeof text, "%u out of %u", unsigned(killed), unsigned(seen));
  DrawCentred(text, 160, label_y + 8);
}

void ClearedDraw() {
  DrawWorld(kDrawAll);
  SetDoubleScale(true);
  rainbow.Set();
  char text[32];
  std::snprintf(text, sizeof text, "Stage %c cleared!", StageLetter(player.stage));
  DrawCentred(text, 161, 30);
  SetDoubleScale(false);

  const TallyTimes at = TallyTimeline(player.stage);
  TallyLine(60, "Snails squished", 60, statsStage.snails_killed, statsStage.snails_seen);
  TallyLine(100, "Spiders splatted", 85, statsStage.spiders_killed, statsStage.spiders_seen);
  if (at.saucers > 0) TallyLine(at.saucers, "Saucers smashed", 110, statsStage.saucers_killed, statsStage.saucers_seen);
  if (stateTimer > at.mushrooms) {
    SetColor(0, 255, 255);
    DrawCentred("Mushroom multiplier", 106, 135);
    DrawCentred("Mushrooms mangled", 212, 135);
    SetColor(0, 191, 191);
    DrawCentred(MultiplierText(mushroomMultiplier), 106, 143);
    std::snprintf(text, sizeof text, "%u", unsigned(statsStage.mushrooms));
    DrawCentred(text, 212, 143);
  }
  if (stateTimer >= at.bonus) {
    SetColor(127, 255, 127);
    DrawCentred("Stage bonus", 160, 159);
    SetDoubleScale(true);
    SetColor(63, 191, 63);
    std::snprintf(text, sizeof text, "%u", unsigned(uint16_t(StageBonus())));
    DrawCentred(text, 160, 170);
    SetDoubleScale(false);
  }
  if (stateTimer > kTallyEnd) {
    if (stateTimer % 60 < 30)
      SetColor(127, 127, 127);
    else
      SetColor(255, 255, 255);
    DrawCentred("< Press fire button to continue >", 160, 220);
  }
}

void GameOverDraw() {
  DrawWorld(kDrawAll);
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

void DrawGame() {
  SetClsColor(smartbomb.life, smartbomb.life, smartbomb.life);
  SetAlpha(fadeScene.value);
  switch (gameState) {
    case STATE_ENTERING:
      EnteringDraw();
      break;
    case STATE_PLAYING:
      PlayingDraw();
      break;
    case STATE_PAUSED:
      PausedDraw();
      break;
    case STATE_CLEARED:
      ClearedDraw();
      break;
    case STATE_GAMEOVER:
      GameOverDraw();
      break;
    default:
      DrawWorld(kDrawAll);
      break;
  }
}

void DrawWorld(uint16_t passes) {
  if (passes & kDrawPlayfield) DrawPlayfield(playfield);
  DrawWardenBullets();
  if (passes & kDrawShip) DrawShip(player);
  if (passes & kDrawBullet) DrawBullet(bullet, player);
  if (passes & kDrawParticles) DrawParticles();
  if (passes & kDrawPowerups) DrawPowerups();
  if (passes & kDrawChains) DrawChainParts();
  if (passes & kDrawSnails) DrawSnails();
  if (passes & kDrawSpiders) DrawSpiders();
  if (passes & kDrawSaucers) DrawSaucers();
  DrawWardens();
  DrawMissilesAndRailblasts();
  if (passes & kDrawHud) DrawHud();
}
