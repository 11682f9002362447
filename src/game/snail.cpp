#include "game/snail.h"

#include <algorithm>

#include "core/colour_family.h"
#include "game/game_events.h"
#include "game/game_statistics.h"
#include "game/hurry_up.h"
#include "game/player.h"
#include "game/playfield.h"
#include "game/world.h"
#include "platform/random.h"

namespace {

constexpr int32_t kLastCell = kFieldCells - 1;

// Rand(1, 100) above the threshold: 88 gives 12 %, 92 gives 8 %.
bool Chance(World& world, int32_t above) { return world.random.Rand(1, 100) > above; }

int32_t ClampToRow(int32_t cell, uint16_t row) {
  return std::clamp<int32_t>(cell, row * kFieldCols, row * kFieldCols + kFieldCols - 1);
}

}  // namespace

TSnail::TSnail(World& world) : TEnemy(world) {
  world.lstEnemies.Add(this);
  world.ReportSound(GameSound::kSnailSpawn);
}

void TSnail::Die() { world.lstEnemies.Remove(this); }

void TSnail::Suicide() {
  Splat(0);
  Die();
}

void TSnail::Update() {
  // Snails speed up with every stage and wave.
  const float s = float(world.player.stage - 1) * 0.09f + float(world.player.wave - 1) * 0.015f;
  const float rows = float(row * kFieldCols);
  int32_t mine = 0;
  switch (dir) {
    case DIR_LEFT:
      x -= 2.0f + s;
      if (x < 9.0f) Die();
      mine = int32_t((x - 7.0f) / 9.0f + (y - 16.0f) / 9.0f * 32.0f);
      my_sec = ClampToRow(int32_t((x - 1.0f) / 9.0f + rows), row);
      if (x < 288.0f && Chance(world, 88)) DropMushroom();
      break;
    case DIR_RIGHT:
      x += 2.0f + s;
      if (x > 304.0f) Die();
      mine = int32_t((x - 20.0f) / 9.0f + (y - 16.0f) / 9.0f * 32.0f);
      my_sec = ClampToRow(int32_t((x - 25.0f) / 9.0f + rows), row);
      if (x > 25.0f && Chance(world, 88)) DropMushroom();
      break;
    default: {  // falling
      y += 1.125f + s;
      if (y > 214.0f) Die();
      const int32_t ty = int32_t(y);
      mine = int32_t(float(int32_t((x - 17.0f) / 9.0f)) + float((ty - 16) / 9 * 32));
      my_sec = std::clamp<int32_t>(int32_t((x - 17.0f) / 9.0f + float((ty - 24) / 9 * 32)), 0, kLastCell);
      if (Chance(world, 92)) DropMushroom();
      break;
    }
  }

  // Seen as a 16-bit cell number, a position above the field is far out of it.
  const uint16_t m = uint16_t(mine);
  if (m < kFieldCells && world.playfield.data[m] == CELL_SCATTERMINE) {
    world.Report(game_event::MineBlast{m});
    world.playfield.data[m] = CELL_EMPTY;
    world.ReportSound(GameSound::kMineExplode);
    Death();
  }

  // The trail: every cell passed over takes the snail's colour, mushroom or not.
  if (world.playfield.c[my_sec] != clr) {
    world.playfield.c[my_sec] = clr;
    world.playfield.clr[my_sec] = RandomColour(clr, world.random);
  }
}

void TSnail::DropMushroom() {
  if (world.playfield.data[my_sec] <= CELL_SCATTERMINE) return;  // only empty cells take one
  world.playfield.data[my_sec] = 0;
  world.playfield.strength[my_sec] = kFreshStrength;
  world.ReportSound(GameSound::kSnailDropShroom);
}

void TSnail::Splat(uint8_t showPopup) {
  // During warden alert snails are worth nothing, so no pop-up either.
  const bool popup = showPopup && world.hurryup.state < THurryUp::STATE_ALERT;
  world.Report(game_event::SnailSplat{x, y, game_event::ColourOf(c), clr, uint16_t(!popup ? 0 : Falling() ? 50 : 100)});
}

void TSnail::Death() {
  if (world.hurryup.state < THurryUp::STATE_ALERT) world.player.AddScore(Falling() ? 50 : 100);
  Splat(1);
  world.statsStage.snails_killed += 1;
  world.statsGame.killed_snails += 1;
  world.ReportSound(GameSound::kSnailDie);
  // Last: outside a walk the list frees the object at once.
  Die();
}
