#include "show/hud.h"

#include <string>

#include "core/fonts.h"
#include "core/images.h"
#include "core/play_states.h"
#include "game/hurry_up.h"
#include "game/player.h"
#include "game/world.h"
#include "persist/highscores.h"
#include "platform/font.h"
#include "platform/graphics.h"
#include "platform/image.h"

namespace {

void DrawPowerColumn(const World& world) {
  int32_t k = 0;
  for (int i = 0; i < kTimedPowers; ++i) {
    const uint16_t left = world.player.power[i];
    if (left == 0) continue;
    DrawImage(gfx.powerup, 4, 205 - 35 * k, i);
    // One pixel per remaining second plus one, growing upward.
    DrawRect(7, 203 - 35 * k, 2, -float(left / 60 + 1));
    ++k;
  }
}

void DrawSpareLives(const World& world) {
  if (world.player.lives > 6) {
    for (int32_t i = 1; i <= 5; ++i) DrawImage(gfx.player, 10 * i - 5, 230, 0);
    DrawText("+", 55, 230);
    return;
  }
  for (int32_t i = 1; i <= int32_t(world.player.lives) - 1; ++i) DrawImage(gfx.player, 10 * i - 5, 230, 0);
}

}  // namespace

void DrawHud(const World& world) {
  if (HurryUpState(world) == 2)
    SetColor(255, 0, 0);
  else
    SetColor(255, 255, 255);
  DrawImage(gfx.hud_bgd, 0, 227, 0);

  // The values use whatever font is current; the HUD leaves the small font
  // selected, so from the second frame on that is the one.
  SetColor(255, 255, 255);
  DrawText(std::to_string(world.player.score), 102, 229);
  DrawText(std::to_string(TopLocalScore()), 225, 229);
  DrawText(std::string(1, StageLetter(world.player.stage)) + ":" + std::to_string(world.player.wave), 298, 229);

  for (int i = 0; i < kItemSlots; ++i) DrawImage(gfx.powerup, 146 + 10 * i, 230, world.player.item[i]);
  DrawPowerColumn(world);
  DrawSpareLives(world);

  SetImageFont(fntSmall);
  SetColor(255, 191, 63);
  DrawText("Score:", 70, 229);
  SetColor(63, 191, 255);
  DrawText("Hi:", 210, 229);
  SetColor(127, 255, 127);
  DrawText("Stage:", 266, 229);
}
