#include "game/railblast.h"

#include <algorithm>

#include "core/common.h"
#include "core/fader.h"
#include "core/images.h"
#include "core/rainbow_phaser.h"
#include "game/game_events.h"
#include "game/player.h"
#include "game/playfield.h"
#include "game/weapon_hits.h"
#include "game/world.h"
#include "platform/graphics.h"
#include "platform/image.h"

namespace {

// The beam: 21 pixels wide round the centre line, from the top of the screen
// down to the ship's zone.
constexpr int32_t kBeamHalf = 10, kBeamWidth = 21, kBeamHeight = 227;

}  // namespace

TRailblast::TRailblast() { lstRailblasts.Add(this); }

TRailblast* TRailblast::Create(int32_t x) {
  auto* rail = new TRailblast();
  rail->sourcex = uint16_t(x);
  rail->sourcecol = uint8_t((x - 17) / 9);
  // One column each side of the blast line, kept inside the field.
  rail->leftcol = uint8_t(std::max((x - 25) / 9, 0));
  rail->rightcol = uint8_t(std::min((x - 9) / 9, kFieldCols - 1));
  rail->targy = float(player.y);
  rail->targyvel = 0.6f;
  ReportSound(GameSound::kRailFire);
  return rail;
}

void TRailblast::Die() { lstRailblasts.Remove(this); }

void TRailblast::Update() {
  frame = uint16_t(frame + 1);
  if (frame == kChargeAt) ReportSound(GameSound::kRailStart);
  if (frame == kFireAt) {
    ReportSound(GameSound::kRailblast);
    DestroyShrooms();
  }
  if (frame == kGoneAt) Die();
  if (frame < kFireAt) {
    if (frame > kChargeAt && frame % 20 == 5) ReportSound(GameSound::kRailBleep);
    // The drone climbs about 36 pixels, slowing to a stop.
    if (targyvel > 0) {
      targyvel -= 0.005f;
      targy -= targyvel;
    }
  } else if (frame < kBurnUntil) {
    DestroyEnemies();
  }
}

void TRailblast::DestroyShrooms() {
  for (int32_t col = leftcol; col <= rightcol; ++col)
    for (int32_t row = 0; row < kFieldRows; ++row) BlastCell(CellIndex(col, row));
}

void TRailblast::DestroyEnemies() {
  KillEnemiesInBox(
      EnemyShape::kBody, 0,
      [this](bool) {
        return WeaponBox{int32_t(sourcex) - kBeamHalf, 0, kBeamWidth, kBeamHeight};
      },
      [] {});
}

void TRailblast::Draw() {
  if (frame < kFireAt) {
    // The drone's height is cut to whole picture pixels, so it is placed in those.
    const int ds = DrawScale();
    const float px = float(sourcex * ds), py = float(int32_t(targy * float(ds)));
    SetRawPixels(true);
    SetScale(float(ds), float(ds));
    SetColor(127, 127, 127);
    DrawImage(gfx.particle[1], px, py, 0);
    if (frame > kChargeAt && frame % 20 <= 5) {
      rainbow.Set();
      DrawImage(gfx.raildrone_flash, px, py, 0);
    }
    SetScale(1, 1);
    SetRawPixels(false);
    return;
  }
  // The beam fades from full to nothing over its last 120 ticks.
  SetAlpha(float(kFireAt - (frame - kFireAt)) / float(kFireAt) * fadeScene.value);
  SetColor(255, 255, 0);
  DrawImageRect(gfx.railblast, float(int32_t(sourcex) - kBeamHalf), 0, float(kBeamWidth), float(kBeamHeight), 0);
  SetAlpha(fadeScene.value);
}
