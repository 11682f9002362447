#include "game/skitterworm.h"

#include "core/colour_family.h"
#include "game/game_events.h"
#include "game/game_statistics.h"
#include "game/player.h"
#include "game/playfield.h"
#include "game/world.h"
#include "platform/random.h"

namespace {

// Rows of the grid the parts move between: 22 lies just below the last
// mushroom row, and 18..22 is the player's zone where they zig-zag.
constexpr int32_t kBottomRow = 22;
constexpr int32_t kZoneTopRow = 18;
constexpr int32_t kLastCell = kFieldCells - 1;  // 703
// A part turns at the left edge below this x and at the right edge above the other.
constexpr int32_t kLeftEdgeX = 17, kRightEdgeX = 294;

enum class Obstacle { kNothing, kEdge, kShroom, kPoison, kMine };

bool IsMine(World& world, int32_t index) {
  return index >= 0 && index <= kLastCell && world.playfield.data[index] == CELL_SCATTERMINE;
}

}  // namespace

TSkitterworm::TSkitterworm(World& world) : TEnemy(world) { world.lstEnemies.Add(this); }

void TSkitterworm::Die() { world.lstEnemies.Remove(this); }

void TSkitterworm::Update() {
  nrg += world.chainSpeed;
  nrg += nrg_xtra;
  // A fast part may owe more than one pixel; every step tests its own obstacles.
  while (nrg > 1.0f) {
    nrg -= 1.0f;
    bool arrived_row = false;
    switch (dir) {
      case DIR_LEFT:
        x -= 1;
        // A part that died on a mine may already be freed: touch nothing more.
        if (CollideObstacles()) return;
        break;
      case DIR_RIGHT:
        x += 1;
        if (CollideObstacles()) return;
        break;
      case DIR_UP:
        y -= 2;
        arrived_row = (y - kFieldTop) % kCellPitch == 0;
        break;
      case DIR_DOWN:
        y += 1;
        arrived_row = (y - kFieldTop) % kCellPitch == 0;
        break;
      case DIR_DIVE:
        // A dive ignores everything until the bottom row.
        y += 1;
        arrived_row = (y - kFieldTop) % kCellPitch == 0 && (y - kFieldTop) / kCellPitch == kBottomRow;
        break;
      default:
        break;
    }
    // Back on a row: run the other way from before the vertical move.
    if (arrived_row) dir = dir_last == DIR_LEFT ? DIR_RIGHT : DIR_LEFT;
  }
}

bool TSkitterworm::CollideObstacles() {
  const int32_t col = dir == DIR_LEFT ? (x - kFieldLeft) / kCellPitch : (x - kFieldLeft) / kCellPitch + 1;
  const int32_t row = (y - kFieldTop) / kCellPitch;
  const int32_t index = row * kFieldCols + col;

  Obstacle what = Obstacle::kNothing;
  int32_t mine = index;
  if ((dir == DIR_LEFT && x < kLeftEdgeX) || (dir != DIR_LEFT && x > kRightEdgeX)) {
    what = Obstacle::kEdge;
  } else if (index >= 0 && index <= kLastCell) {
    const uint8_t code = world.playfield.data[index];
    if (code <= 3)
      what = Obstacle::kShroom;
    else if (IsPoison(code))
      what = Obstacle::kPoison;
    else if (code == CELL_SCATTERMINE)
      what = Obstacle::kMine;
  }

  // A turn takes the part into the cell below it, so a mine there is met now.
  if (what == Obstacle::kEdge && IsMine(world, index + 32)) {
    what = Obstacle::kMine;
    mine = index + 32;
  } else if (what == Obstacle::kShroom || what == Obstacle::kPoison) {
    const int32_t below = dir == DIR_LEFT ? index + 33 : index + 31;
    if (IsMine(world, below)) {
      what = Obstacle::kMine;
      mine = below;
    }
  }

  switch (what) {
    case Obstacle::kNothing:
      return false;
    case Obstacle::kMine: {
      world.Report(game_event::MineBlast{mine});
      world.playfield.data[mine] = CELL_EMPTY;
      world.ReportSound(GameSound::kMineExplode);
      Death(0);
      return true;
    }
    case Obstacle::kEdge:
    case Obstacle::kShroom:
    case Obstacle::kPoison:
      // At the bottom the part turns back up; at the top of the zone back down.
      if (mode == MODE_DESCENDING && row == kBottomRow) BlockVrt();
      if (mode == MODE_ASCENDING && row == kZoneTopRow) BlockVrt();
      BlockHrz();
      break;
  }
  if (what == Obstacle::kEdge) return false;

  if (what == Obstacle::kPoison) {
    dir = DIR_DIVE;
    world.ReportSound(GameSound::kCrawlDive);
  }
  // Parts wear a mushroom down slowly: 15 bumps per damage step, no score.
  world.playfield.strength[index] -= 1;
  if (world.playfield.strength[index] == 0) {
    world.playfield.strength[index] = kFreshStrength;
    uint8_t& code = world.playfield.data[index];
    if (code == 3 || code == 7) {
      code = CELL_EMPTY;
      world.playfield.strength[index] = 0;
    } else {
      code += 1;
    }
  }
  return false;
}

void TSkitterworm::BlockHrz() {
  dir_last = dir;
  x += dir == DIR_LEFT ? 1 : -1;
  if (mode == MODE_DESCENDING) {
    y += 1;
    dir = DIR_DOWN;
  } else {
    y -= 1;
    dir = DIR_UP;
  }
}

void TSkitterworm::BlockVrt() {
  if (mode == MODE_DESCENDING) {
    world.chainBottomReached = 1;
    mode = MODE_ASCENDING;
  } else {
    mode = MODE_DESCENDING;
  }
}

void TSkitterworm::TurnIntoMushroom() {
  int32_t cell = (x - 13) / kCellPitch + (y - 12) / kCellPitch * kFieldCols;
  cell = cell < 0 ? 0 : cell > kLastCell ? kLastCell : cell;
  world.playfield.data[cell] = 0;
  world.playfield.strength[cell] = kFreshStrength;
  world.playfield.c[cell] = clr;
  world.playfield.clr[cell] = c;
}

void TSkitterworm::Death(uint8_t leaveMushroom) {
  world.player.AddScore(10);
  world.player.wave_parts -= 1;
  if (leaveMushroom) TurnIntoMushroom();
  world.Report(game_event::ChainPartDied{x, y, clr});
  world.statsGame.killed_worms += 1;
  world.ReportSound(GameSound::kCrawlDie);
  // Last: outside a walk the list frees the object at once.
  Die();
}

void ResetChains(World& world) {
  world.chainSpeed = 1.0f;
  world.chainBottomReached = 0;
  world.chainReinforceTimer = 0;
}

void StartChainWave(World& world) {
  world.chainSpeed += 0.01f;
  world.chainReinforceTimer = 0;
  world.chainBottomReached = 0;
}

void GenerateWave(World& world) {
  const int32_t n = world.player.wave_parts;
  const int32_t limit = world.random.Rand(4, 10);  // longest chain of this wave
  const int32_t chains = n / limit + (n % limit != 0 ? 1 : 0);
  int32_t created = 0;
  for (int32_t j = 1; j <= chains; ++j) {
    // The first chain always runs at the plain speed; later ones may be fast.
    const bool fast = j > 1 && world.random.Rand(1, 2) == 1 && world.player.wave > 0;
    const float xtra = fast ? world.random.Rnd(0.2f, 0.6f) : world.random.Rnd(-0.05f, 0.05f);
    const uint8_t family = uint8_t(world.random.Rand(1, 11));
    const bool right = world.random.Rand(1, 2) == 1;
    const int32_t lead = right ? world.random.Rand(8, 31) : world.random.Rand(0, 23);
    const int32_t row = world.random.Rand(0, 2);
    // Followers trail the lead part, so the chain enters the field in order.
    for (int32_t k = 0; k < limit && created < n; ++k, ++created) {
      TSkitterworm* part = TSkitterworm::New(world);
      part->dir = right ? TSkitterworm::DIR_RIGHT : TSkitterworm::DIR_LEFT;
      part->x = CellX(lead) + (right ? -9 : 9) * k;
      part->y = CellY(row);
      part->c = RandomColour(family, world.random);
      part->clr = family;
      part->f = uint8_t(world.random.Rand(0, 1));
      part->mode = TSkitterworm::MODE_DESCENDING;
      part->nrg_xtra = xtra;
      const float speed = (xtra + world.chainSpeed) * 60.0f;  // pixels per second
      if (speed > world.statsGame.fastest_worm) world.statsGame.fastest_worm = speed;
    }
  }
}

void UpdateReinforcements(World& world) {
  if (!world.chainBottomReached) return;
  if (world.chainReinforceTimer > 0) {
    world.chainReinforceTimer -= 1;
    return;
  }
  CreateReinforcement(world);
  world.chainReinforceTimer = uint16_t(world.random.Rand(240, 360));
}

TSkitterworm* CreateReinforcement(World& world) {
  TSkitterworm* part = TSkitterworm::New(world);
  const bool left = world.random.Rand(1, 2) == 1;
  part->dir = left ? TSkitterworm::DIR_LEFT : TSkitterworm::DIR_RIGHT;
  part->x = left ? 296 : 17;
  part->y = CellY(17);
  part->clr = uint8_t(world.random.Rand(1, 11));
  part->c = RandomColour(part->clr, world.random);
  part->f = uint8_t(world.random.Rand(0, 1));
  part->mode = TSkitterworm::MODE_DESCENDING;
  part->nrg_xtra = world.random.Rnd(-0.1f, 0.1f);
  world.player.wave_parts += 1;
  return part;
}
