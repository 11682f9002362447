#include "game/snail.h"

#include <algorithm>

#include "core/helpers.h"
#include "core/images.h"
#include "game/game_events.h"
#include "game/hurry_up.h"
#include "game/particle.h"
#include "game/player.h"
#include "game/playfield.h"
#include "game/score_popup.h"
#include "game/world.h"
#include "persist/statistics.h"
#include "platform/graphics.h"
#include "platform/random.h"

namespace {

constexpr int32_t kLastCell = kFieldCells - 1;

// Rand(1, 100) above the threshold: 88 gives 12 %, 92 gives 8 %.
bool Chance(int32_t above) { return Rand(1, 100) > above; }

int32_t ClampToRow(int32_t cell, uint16_t row) {
  return std::clamp<int32_t>(cell, row * kFieldCols, row * kFieldCols + kFieldCols - 1);
}

}  // namespace

TSnail::TSnail() {
  lstEnemies.Add(this);
  ReportSound(GameSound::kSnailSpawn);
}

void TSnail::Die() { lstEnemies.Remove(this); }

void TSnail::Suicide() {
  Particles(0);
  Die();
}

void TSnail::Update() {
  // Snails speed up with every stage and wave.
  const float s = float(player.stage - 1) * 0.09f + float(player.wave - 1) * 0.015f;
  const float rows = float(row * kFieldCols);
  int32_t mine = 0;
  switch (dir) {
    case DIR_LEFT:
      x -= 2.0f + s;
      if (x < 9.0f) Die();
      mine = int32_t((x - 7.0f) / 9.0f + (y - 16.0f) / 9.0f * 32.0f);
      my_sec = ClampToRow(int32_t((x - 1.0f) / 9.0f + rows), row);
      if (x < 288.0f && Chance(88)) DropMushroom();
      break;
    case DIR_RIGHT:
      x += 2.0f + s;
      if (x > 304.0f) Die();
      mine = int32_t((x - 20.0f) / 9.0f + (y - 16.0f) / 9.0f * 32.0f);
      my_sec = ClampToRow(int32_t((x - 25.0f) / 9.0f + rows), row);
      if (x > 25.0f && Chance(88)) DropMushroom();
      break;
    default: {  // falling
      y += 1.125f + s;
      if (y > 214.0f) Die();
      const int32_t ty = int32_t(y);
      mine = int32_t(float(int32_t((x - 17.0f) / 9.0f)) + float((ty - 16) / 9 * 32));
      my_sec = std::clamp<int32_t>(int32_t((x - 17.0f) / 9.0f + float((ty - 24) / 9 * 32)), 0, kLastCell);
      if (Chance(92)) DropMushroom();
      break;
    }
  }

  // Seen as a 16-bit cell number, a position above the field is far out of it.
  const uint16_t m = uint16_t(mine);
  if (m < kFieldCells && playfield.data[m] == CELL_SCATTERMINE) {
    const int32_t col = m % kFieldCols, mrow = m / kFieldCols;
    SetColor(255, 255, 255);
    DrawImage(gfx.scattermine_explode, float(col * 9 + 9), float(mrow * 9 + 8));
    playfield.data[m] = CELL_EMPTY;
    ReportSound(GameSound::kMineExplode);
    Death();
  }

  // The trail: every cell passed over takes the snail's colour, mushroom or not.
  if (playfield.c[my_sec] != clr) {
    playfield.c[my_sec] = clr;
    playfield.clr[my_sec] = RandomColour(clr);
  }
}

void TSnail::DropMushroom() {
  if (playfield.data[my_sec] <= CELL_SCATTERMINE) return;  // only empty cells take one
  playfield.data[my_sec] = 0;
  playfield.strength[my_sec] = kFreshStrength;
  ReportSound(GameSound::kSnailDropShroom);
}

void TSnail::Particles(uint8_t showPopup) {
  CreateParticle(x - 4.0f, y - 4.0f, PARTICLE_SPLAT, c, 100);
  CreateParticles(uint16_t(int32_t(x - 4.0f)), uint16_t(int32_t(y - 4.0f)), 8, clr, 50, 100, 3, 5, PARTICLE_SPLAT, 0,
                  359, 0.5f);
  if (showPopup && hurryup.state < THurryUp::STATE_ALERT)
    CreateScorePopup(x - 4.0f, y - 12.0f, Falling() ? POPUP_50 : POPUP_100);
}

void TSnail::Death() {
  if (hurryup.state < THurryUp::STATE_ALERT) player.AddScore(Falling() ? 50 : 100);
  Particles(1);
  Die();
  statsStage.snails_killed += 1;
  statsGame.killed_snails += 1;
  ReportSound(GameSound::kSnailDie);
}
