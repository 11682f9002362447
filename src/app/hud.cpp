#include "app/hud.h"

#include <string>

#include "app/game_loop.h"
#include "app/game_state.h"
#include "app/images.h"
#include "app/world_seams.h"
#include "platform/font.h"
#include "platform/graphics.h"
#include "platform/image.h"
#include "player/player.h"

namespace {

float S(int32_t logical) { return float(logical * drawScale); }

void DrawPowerColumn() {
  int32_t k = 0;
  for (int i = 0; i < kTimedPowers; ++i) {
    const uint16_t left = player.power[i];
    if (left == 0) continue;
    DrawImage(gfx.powerup, S(4), S(205 - 35 * k), i);
    // One pixel per remaining second plus one, growing upward.
    DrawRect(S(7), S(203 - 35 * k), 2, -float(left / 60 + 1));
    ++k;
  }
}

void DrawSpareLives() {
  if (player.lives > 6) {
    for (int32_t i = 1; i <= 5; ++i) DrawImage(gfx.player, S(10 * i - 5), S(230), 0);
    DrawText("+", S(55), S(230));
    return;
  }
  for (int32_t i = 1; i <= int32_t(player.lives) - 1; ++i) DrawImage(gfx.player, S(10 * i - 5), S(230), 0);
}

}  // namespace

void DrawHud() {
  if (HurryUpState() == 2)
    SetColor(255, 0, 0);
  else
    SetColor(255, 255, 255);
  DrawImage(gfx.hud_bgd, 0, S(227), 0);

  // The values use whatever font is current; the HUD leaves the small font
  // selected, so from the second frame on that is the one.
  SetColor(255, 255, 255);
  DrawText(std::to_string(player.score), S(102), S(229));
  DrawText(std::to_string(TopLocalScore()), S(225), S(229));
  DrawText(std::string(1, StageLetter(player.stage)) + ":" + std::to_string(player.wave), S(298), S(229));

  for (int i = 0; i < kItemSlots; ++i) DrawImage(gfx.powerup, S(146 + 10 * i), S(230), player.item[i]);
  DrawPowerColumn();
  DrawSpareLives();

  SetImageFont(fntSmall);
  SetColor(255, 191, 63);
  DrawText("Score:", S(70), S(229));
  SetColor(63, 191, 255);
  DrawText("Hi:", S(210), S(229));
  SetColor(127, 255, 127);
  DrawText("Stage:", S(266), S(229));
}
