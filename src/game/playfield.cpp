#include "game/playfield.h"

#include "core/colour_family.h"
#include "game/game_events.h"
#include "game/game_statistics.h"
#include "game/world.h"
#include "platform/random.h"

namespace {

// Statistics and the show's effects belong to others; these are the only
// places the grid reaches them.
void CountShroomKill(World& world, bool poison) {
  world.statsStage.mushrooms += 1;
  if (poison)
    world.statsGame.killed_pshrooms += 1;
  else
    world.statsGame.killed_shrooms += 1;
}
void PlayMineAppear(World& world) { world.ReportSound(GameSound::kMineAppear); }
void SpawnMineAppear(World& world, int32_t x, int32_t y) { world.Report(game_event::MineAppeared{x, y}); }
void SpawnFlash(World& world, int32_t x, int32_t y, int32_t frame) {
  world.Report(game_event::ShroomFlash{x, y, frame});
}

int32_t RandomCell(World& world) { return world.random.Rand(0, kFieldRandomCells - 1); }

// How many draws a loop waits for a number it needs: far more than play ever
// takes (the odds of reaching them are nil), so they change no game.
constexpr int32_t kMaxCellDraws = 1 << 16;
constexpr int32_t kMaxStyleDraws = 64;

}  // namespace

TPlayfield::TPlayfield(World& world) : world(world) {
  Clear();
  for (std::string& colour : clr) colour = "FFFFFF";
}

int TPlayfield::Flash() {
  // Column by column, so the flashes appear in the order the field is drawn.
  for (int col = 0; col < kFieldCols; ++col) {
    for (int row = 0; row < kFieldRows; ++row) {
      const uint8_t code = data[CellIndex(col, row)];
      if (!IsShroom(code)) continue;
      const int damage = IsPoison(code) ? code - CELL_POISON : code;
      SpawnFlash(world, CellX(col), CellY(row), damage + 4 * style);
    }
  }
  return 0;
}

int TPlayfield::Clear() {
  for (int i = 0; i < kFieldCells; ++i) {
    data[i] = CELL_EMPTY;
    strength[i] = 0;
  }
  return 0;
}

int TPlayfield::Fill(uint16_t n) {
  // n + 1 placements; a cell picked twice just gets a fresh mushroom again,
  // so a stage may start with fewer.
  for (uint32_t i = 0; i <= n; ++i) {
    const int32_t cell = RandomCell(world);
    data[cell] = 0;
    strength[cell] = kFreshStrength;
  }
  return 0;
}

int TPlayfield::DropScattermines(uint16_t n) {
  for (uint32_t i = 1; i <= n; ++i) {
    int32_t cell = RandomCell(world);
    // A free cell turns up within a few draws while the field has any; a
    // field whose top is all mines takes no more.
    for (int32_t tries = 0; data[cell] == CELL_SCATTERMINE && tries < kMaxCellDraws; ++tries) cell = RandomCell(world);
    if (data[cell] == CELL_SCATTERMINE) break;
    const int32_t col = cell % kFieldCols, row = cell / kFieldCols;
    SpawnMineAppear(world, CellX(col) - 4, CellY(row) - 4);
    data[cell] = CELL_SCATTERMINE;
    strength[cell] = 0;
  }
  PlayMineAppear(world);
  return 0;
}

int TPlayfield::ChangeColor() {
  const uint8_t family = uint8_t(world.random.Rand(1, 11));
  for (int i = 0; i < kFieldCells; ++i) {
    c[i] = family;
    clr[i] = RandomColour(family, world.random);  // every mushroom its own shade
  }
  return 0;
}

int TPlayfield::ChangeStyle() {
  uint8_t next = uint8_t(world.random.Rand(0, 7));
  // Another style comes within a few draws; the bound only guards the loop.
  for (int32_t tries = 0; next == style && tries < kMaxStyleDraws; ++tries) next = uint8_t(world.random.Rand(0, 7));
  style = next != style ? next : uint8_t((style + 1) % 8);
  return 0;
}

// Poison stays where the saucers put it until the player respawns.
int TPlayfield::HandlePoison() { return 0; }

int TPlayfield::ClearPoison() {
  for (int i = 0; i < kFieldCells; ++i)
    if (IsPoison(data[i])) data[i] -= CELL_POISON;
  return 0;
}

int TPlayfield::SmartBomb(void (*award)(World& world, uint16_t points)) {
  for (int i = 0; i < kFieldCells; ++i) {
    const uint8_t code = data[i];
    if (IsPoison(code)) {
      data[i] = CELL_EMPTY;
      award(world, 15);
      CountShroomKill(world, true);
    } else if (code <= 3 && world.random.Rand(1, 100) < 76) {
      // The blast may take all remaining hits at once, or leave it damaged.
      const uint8_t damaged = uint8_t(code + world.random.Rand(1, 4 - code));
      if (damaged >= 4) {
        data[i] = CELL_EMPTY;
        award(world, 1);
        CountShroomKill(world, false);
      } else {
        data[i] = damaged;
      }
    }
  }
  return 0;
}

int TPlayfield::DebugFillColumn(uint8_t col) {
  if (col >= kFieldCols) return 0;
  for (int row = 0; row <= 16; ++row) {
    const int cell = CellIndex(col, row);
    data[cell] = world.random.Rand(1, 10) < 8 ? 0 : CELL_POISON;
    strength[cell] = kFreshStrength;
  }
  return 0;
}
