#include "game/railblast.h"

#include <algorithm>

#include "game/collisions.h"
#include "game/game_events.h"
#include "game/player.h"
#include "game/playfield.h"
#include "game/world.h"

TRailblast::TRailblast(World& world) : world(world) { world.lstRailblasts.Add(this); }

TRailblast* TRailblast::Create(World& world, int32_t x) {
  auto* rail = new TRailblast(world);
  rail->sourcex = uint16_t(x);
  rail->sourcecol = uint8_t((x - 17) / 9);
  // One column each side of the blast line, kept inside the field.
  rail->leftcol = uint8_t(std::max((x - 25) / 9, 0));
  rail->rightcol = uint8_t(std::min((x - 9) / 9, kFieldCols - 1));
  rail->targy = float(world.player.y);
  rail->targyvel = 0.6f;
  world.ReportSound(GameSound::kRailFire);
  return rail;
}

void TRailblast::Die() { world.lstRailblasts.Remove(this); }

void TRailblast::Update() {
  frame = uint16_t(frame + 1);
  if (frame == kChargeAt) world.ReportSound(GameSound::kRailStart);
  if (frame == kFireAt) {
    world.ReportSound(GameSound::kRailblast);
    DestroyShrooms();
  }
  if (frame == kGoneAt) Die();
  if (frame < kFireAt) {
    if (frame > kChargeAt && frame % 20 == 5) world.ReportSound(GameSound::kRailBleep);
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
    for (int32_t row = 0; row < kFieldRows; ++row) BlastCell(world, CellIndex(col, row));
}

void TRailblast::DestroyEnemies() {
  KillEnemiesInBox(
      world, EnemyShape::kBody, 0,
      [this](bool) {
        return WeaponBox{int32_t(sourcex) - kBeamHalf, 0, kBeamWidth, kBeamHeight};
      },
      [] {});
}
