#include "game/skitterworm.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "game/game_test_world.h"
#include "game/player.h"
#include "game/playfield.h"
#include "game/world.h"
#include "persist/config.h"
#include "persist/records.h"
#include "persist/statistics.h"
#include "platform/headless/headless_backend.h"
#include "platform/random.h"

namespace {

using game_test::Reported;

class ChainTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseHeadlessBackend();
    world.lstEnemies.Clear();
    world.events.clear();
    world.playfield.Clear();
    ResetChains(world);
    world.statsGame.Reset();
    config.sound = 0;
    world.player.Init();  // score 0 at multiplier 1
    world.player.wave = 1;
    world.player.wave_parts = 6;
    world.random.Seed(99);
  }
  void TearDown() override { world.lstEnemies.Clear(); }

  // A part that makes exactly one step on every Update: 0.5 + 1.0 owed, one
  // pixel paid, 0.5 left for the next frame.
  TSkitterworm* Part(int32_t x, int32_t y, uint8_t dir, uint8_t mode = TSkitterworm::MODE_DESCENDING) {
    TSkitterworm* part = TSkitterworm::New(world);
    part->x = x;
    part->y = y;
    part->dir = dir;
    part->mode = mode;
    part->nrg = 0.5f;
    part->c = "FFFFFF";
    part->clr = 11;
    return part;
  }

  void Put(int32_t col, int32_t row, uint8_t code) {
    world.playfield.data[CellIndex(col, row)] = code;
    world.playfield.strength[CellIndex(col, row)] = code == CELL_SCATTERMINE ? 0 : kFreshStrength;
  }

  std::vector<TSkitterworm*> Parts() {
    std::vector<TSkitterworm*> parts;
    world.lstEnemies.ForEachOf<TSkitterworm>([&](TSkitterworm* p) { parts.push_back(p); });
    return parts;
  }

  // Splits the parts, in creation order, into chains: neighbours 9 pixels
  // apart on one row, heading and speed shared.
  std::vector<int> ChainLengths() {
    std::vector<int> lengths;
    const std::vector<TSkitterworm*> parts = Parts();
    for (size_t i = 0; i < parts.size(); ++i) {
      const TSkitterworm* a = i > 0 ? parts[i - 1] : nullptr;
      const TSkitterworm* b = parts[i];
      const int32_t gap = b->dir == TSkitterworm::DIR_RIGHT ? -9 : 9;
      const bool follows =
          a && a->y == b->y && a->dir == b->dir && a->nrg_xtra == b->nrg_xtra && a->clr == b->clr && b->x - a->x == gap;
      if (follows)
        ++lengths.back();
      else
        lengths.push_back(1);
    }
    return lengths;
  }

  // A seed whose first draw of the chain length limit gives the wanted value.
  int32_t SeedForLimit(int32_t limit) {
    for (int32_t seed = 1; seed < 100000; ++seed) {
      world.random.Seed(seed);
      if (world.random.Rand(4, 10) == limit) return seed;
    }
    return 0;
  }

  World world;  // the game each test plays in
};

TEST_F(ChainTest, LeftEdgeAtTheBottomRowTurnsUpAndCallsReinforcements) {
  TSkitterworm* part = Part(17, CellY(22), TSkitterworm::DIR_LEFT);
  part->Update();
  EXPECT_EQ(world.chainBottomReached, 1);
  EXPECT_EQ(part->mode, TSkitterworm::MODE_ASCENDING);
  EXPECT_EQ(part->dir, TSkitterworm::DIR_UP);
  EXPECT_EQ(part->dir_last, TSkitterworm::DIR_LEFT);
  EXPECT_EQ(part->x, 17);  // the pixel into the edge is undone
  EXPECT_EQ(part->y, CellY(22) - 1);
  // A row up takes four more steps of two pixels, then it runs right.
  for (int i = 0; i < 4; ++i) part->Update();
  EXPECT_EQ(part->y, CellY(21));
  EXPECT_EQ(part->dir, TSkitterworm::DIR_RIGHT);
}

TEST_F(ChainTest, AscendingPartTurnsDownAtTheTopOfTheZoneWithoutCallingReinforcements) {
  TSkitterworm* part = Part(294, CellY(18), TSkitterworm::DIR_RIGHT, TSkitterworm::MODE_ASCENDING);
  part->Update();
  EXPECT_EQ(part->mode, TSkitterworm::MODE_DESCENDING);
  EXPECT_EQ(part->dir, TSkitterworm::DIR_DOWN);
  EXPECT_EQ(part->x, 294);
  EXPECT_EQ(part->y, CellY(18) + 1);
  EXPECT_EQ(world.chainBottomReached, 0);
  // Nine pixels down in all, then it runs left.
  for (int i = 0; i < 8; ++i) part->Update();
  EXPECT_EQ(part->y, CellY(19));
  EXPECT_EQ(part->dir, TSkitterworm::DIR_LEFT);
}

TEST_F(ChainTest, RightEdgeLeavesThePartTwoPixelsOffTheColumns) {
  TSkitterworm* part = Part(CellX(31) - 8, CellY(0), TSkitterworm::DIR_RIGHT);
  while (part->dir == TSkitterworm::DIR_RIGHT) part->Update();
  EXPECT_EQ(part->x, 294);
  for (int i = 0; i < 8; ++i) part->Update();
  EXPECT_EQ(part->dir, TSkitterworm::DIR_LEFT);
  EXPECT_EQ(part->y, CellY(1));
  EXPECT_EQ((part->x - kFieldLeft) % kCellPitch, 7);  // 294 - 9k: two left of a column
}

TEST_F(ChainTest, MineUnderAMushroomKillsThePartAndLeavesNoMushroom) {
  // Heading left the cell under the part is one further right than the mushroom.
  Put(5, 3, 0);
  Put(6, 4, CELL_SCATTERMINE);
  Part(CellX(6), CellY(3), TSkitterworm::DIR_LEFT)->Update();
  EXPECT_EQ(world.lstEnemies.Count(), 0u);
  EXPECT_EQ(world.playfield.data[CellIndex(6, 4)], CELL_EMPTY);
  EXPECT_EQ(world.playfield.data[CellIndex(6, 3)], CELL_EMPTY);  // no mushroom where it died
  EXPECT_EQ(world.playfield.data[CellIndex(5, 3)], 0);
  EXPECT_EQ(world.playfield.strength[CellIndex(5, 3)], kFreshStrength);  // the mushroom was not bumped
  EXPECT_EQ(world.player.score, 10);
  EXPECT_EQ(world.player.wave_parts, 5);
  EXPECT_EQ(world.statsGame.killed_worms, 1);
  EXPECT_EQ(Reported<game_event::MineBlast>(world).size(), 1u);

  // Heading right, one further left.
  Put(10, 3, 0);
  Put(9, 4, CELL_SCATTERMINE);
  Part(CellX(9), CellY(3), TSkitterworm::DIR_RIGHT)->Update();
  EXPECT_EQ(world.lstEnemies.Count(), 0u);
  EXPECT_EQ(world.playfield.data[CellIndex(9, 4)], CELL_EMPTY);
  EXPECT_EQ(world.player.wave_parts, 4);
}

TEST_F(ChainTest, MinesAheadAndBelowAnEdgeKillToo) {
  Put(5, 3, CELL_SCATTERMINE);
  Part(CellX(6), CellY(3), TSkitterworm::DIR_LEFT)->Update();
  EXPECT_EQ(world.lstEnemies.Count(), 0u);
  EXPECT_EQ(world.playfield.data[CellIndex(5, 3)], CELL_EMPTY);

  Put(0, 4, CELL_SCATTERMINE);
  Part(17, CellY(3), TSkitterworm::DIR_LEFT)->Update();
  EXPECT_EQ(world.lstEnemies.Count(), 0u);
  EXPECT_EQ(world.playfield.data[CellIndex(0, 4)], CELL_EMPTY);
  EXPECT_EQ(world.statsGame.killed_worms, 2);

  // A mine two rows down is no concern yet.
  Put(0, 5, CELL_SCATTERMINE);
  Part(17, CellY(3), TSkitterworm::DIR_LEFT)->Update();
  EXPECT_EQ(world.lstEnemies.Count(), 1u);
}

TEST_F(ChainTest, FifteenBumpsAreOneDamageStepAndSixtyDestroyAMushroom) {
  const int32_t cell = CellIndex(5, 3);
  for (uint8_t first : {uint8_t(0), uint8_t(4)}) {
    Put(5, 3, first);
    TSkitterworm* part = Part(0, 0, 0);
    for (int bump = 1; bump <= 60; ++bump) {
      part->x = CellX(6);
      part->y = CellY(3);
      part->dir = TSkitterworm::DIR_LEFT;
      part->Update();
      if (bump == 14) {
        EXPECT_EQ(world.playfield.data[cell], first);
        EXPECT_EQ(world.playfield.strength[cell], 1);
      }
      if (bump == 15) {
        EXPECT_EQ(world.playfield.data[cell], first + 1);
        EXPECT_EQ(world.playfield.strength[cell], kFreshStrength);
      }
      if (bump == 45) EXPECT_EQ(world.playfield.data[cell], first + 3);
    }
    EXPECT_EQ(world.playfield.data[cell], CELL_EMPTY) << "first code " << int(first);
    EXPECT_EQ(world.player.score, 0);  // worn away, not shot
    part->Die();
  }
}

TEST_F(ChainTest, PoisonDiveIgnoresMushroomsAndEndsOnTheBottomRowReversed) {
  Put(10, 5, CELL_POISON);
  for (int row = 6; row < kFieldRows; ++row) Put(9, row, 0);
  TSkitterworm* part = Part(CellX(9), CellY(5), TSkitterworm::DIR_RIGHT);
  part->Update();
  ASSERT_EQ(part->dir, TSkitterworm::DIR_DIVE);
  EXPECT_EQ(part->dir_last, TSkitterworm::DIR_RIGHT);
  EXPECT_EQ(world.playfield.strength[CellIndex(10, 5)], kFreshStrength - 1);

  int frames = 0;
  while (part->dir == TSkitterworm::DIR_DIVE && frames < 1000) {
    part->Update();
    ++frames;
  }
  EXPECT_EQ(part->y, CellY(22));
  EXPECT_EQ(part->x, CellX(9));
  EXPECT_EQ(part->dir, TSkitterworm::DIR_LEFT);
  EXPECT_EQ(part->mode, TSkitterworm::MODE_DESCENDING);
  EXPECT_EQ(frames, CellY(22) - (CellY(5) + 1));
  for (int row = 6; row < kFieldRows; ++row) {
    EXPECT_EQ(world.playfield.data[CellIndex(9, row)], 0);
    EXPECT_EQ(world.playfield.strength[CellIndex(9, row)], kFreshStrength);
  }
}

TEST_F(ChainTest, EveryStepOfAFastFrameTestsItsOwnObstacle) {
  Put(5, 3, 0);
  // The second of two steps meets the mushroom: turned after one frame.
  TSkitterworm* late = Part(CellX(6) + 1, CellY(3), TSkitterworm::DIR_LEFT);
  late->nrg_xtra = 0.6f;  // 0.5 + 1.0 + 0.6 = 2.1 owed
  late->Update();
  EXPECT_EQ(late->x, CellX(6));
  EXPECT_EQ(late->y, CellY(3) + 1);
  EXPECT_EQ(late->dir, TSkitterworm::DIR_DOWN);
  EXPECT_NEAR(late->nrg, 0.1f, 1e-5);

  // The first step meets it, the second is already the first pixel down.
  TSkitterworm* early = Part(CellX(6), CellY(3), TSkitterworm::DIR_LEFT);
  early->nrg_xtra = 0.6f;
  early->Update();
  EXPECT_EQ(early->x, CellX(6));
  EXPECT_EQ(early->y, CellY(3) + 2);
  EXPECT_EQ(world.playfield.strength[CellIndex(5, 3)], kFreshStrength - 2);

  // Exactly one pixel owed is not yet a step.
  TSkitterworm* slow = Part(CellX(20), CellY(0), TSkitterworm::DIR_LEFT);
  slow->nrg = 0;
  slow->Update();
  EXPECT_EQ(slow->x, CellX(20));
  slow->Update();
  EXPECT_EQ(slow->x, CellX(20) - 1);
}

TEST_F(ChainTest, SixPartsSplitByTheLengthLimit) {
  const struct {
    int32_t limit;
    uint8_t parts;
    std::vector<int> lengths;
  } cases[] = {
      {4, 6, {4, 2}}, {5, 6, {5, 1}}, {6, 6, {6}}, {10, 6, {6}}, {4, 14, {4, 4, 4, 2}},
  };
  for (const auto& c : cases) {
    world.lstEnemies.Clear();
    const int32_t seed = SeedForLimit(c.limit);
    ASSERT_NE(seed, 0);
    world.random.Seed(seed);
    world.player.wave_parts = c.parts;
    GenerateWave(world);
    EXPECT_EQ(world.lstEnemies.Count(), c.parts);
    EXPECT_EQ(world.player.wave_parts, c.parts);  // generation does not count them again
    EXPECT_EQ(ChainLengths(), c.lengths) << "limit " << c.limit << ", " << int(c.parts) << " parts";
  }
}

TEST_F(ChainTest, GeneratedChainsStartInTheTopRowsWithinTheField) {
  float fastest = 0;
  int fast_followers = 0;
  for (int32_t seed = 1; seed <= 200; ++seed) {
    world.lstEnemies.Clear();
    world.statsGame.Reset();
    world.random.Seed(seed);
    world.player.wave_parts = 20;
    GenerateWave(world);
    const std::vector<TSkitterworm*> parts = Parts();
    ASSERT_EQ(parts.size(), 20u);
    float wave_fastest = 0;
    for (const TSkitterworm* p : parts) {
      EXPECT_GE(p->y, CellY(0));
      EXPECT_LE(p->y, CellY(2));
      EXPECT_EQ((p->y - kFieldTop) % kCellPitch, 0);
      EXPECT_EQ(p->mode, TSkitterworm::MODE_DESCENDING);
      wave_fastest = std::max(wave_fastest, (p->nrg_xtra + world.chainSpeed) * 60.0f);
      if (p != parts[0] && p->nrg_xtra >= 0.2f) ++fast_followers;
    }
    // The first chain never runs fast.
    EXPECT_LE(std::fabs(parts[0]->nrg_xtra), 0.05f);
    // Lead parts start on a column the heading allows.
    const TSkitterworm* lead = parts[0];
    const int32_t col = (lead->x - kFieldLeft) / kCellPitch;
    if (lead->dir == TSkitterworm::DIR_RIGHT)
      EXPECT_GE(col, 8);
    else
      EXPECT_LE(col, 23);
    EXPECT_FLOAT_EQ(world.statsGame.fastest_worm, wave_fastest);
    fastest = std::max(fastest, wave_fastest);
  }
  EXPECT_GT(fast_followers, 0);
  EXPECT_LE(fastest, (0.6f + world.chainSpeed) * 60.0f);
}

TEST_F(ChainTest, FastestWormIsNeverLowered) {
  world.statsGame.fastest_worm = 500.0f;
  GenerateWave(world);
  EXPECT_EQ(world.statsGame.fastest_worm, 500.0f);
}

TEST_F(ChainTest, DeathLeavesAMushroomOfThePartsColour) {
  TSkitterworm* part = Part(CellX(5) - 2, CellY(3) + 4, TSkitterworm::DIR_LEFT);
  part->c = "12AB34";
  part->clr = 7;
  part->Death(1);
  const int32_t cell = CellIndex(5, 3);
  EXPECT_EQ(world.playfield.data[cell], 0);
  EXPECT_EQ(world.playfield.strength[cell], kFreshStrength);
  EXPECT_EQ(world.playfield.clr[cell], "12AB34");
  EXPECT_EQ(world.playfield.c[cell], 7);
  EXPECT_EQ(world.player.score, 10);
  EXPECT_EQ(world.player.wave_parts, 5);
  EXPECT_EQ(world.statsGame.killed_worms, 1);
  EXPECT_EQ(world.lstEnemies.Count(), 0u);
  ASSERT_EQ(Reported<game_event::ChainPartDied>(world).size(), 1u);
  EXPECT_EQ(Reported<game_event::ChainPartDied>(world)[0].family, 7);

  // Below the last mushroom row the cell index runs past the grid: the last cell takes it.
  Part(CellX(3), CellY(22), TSkitterworm::DIR_LEFT)->Death(1);
  EXPECT_EQ(world.playfield.data[kFieldCells - 1], 0);
}

TEST_F(ChainTest, ReinforcementsComeOnlyOnceTheBottomIsReached) {
  for (int i = 0; i < 100; ++i) UpdateReinforcements(world);
  EXPECT_EQ(world.lstEnemies.Count(), 0u);

  world.statsGame.fastest_worm = 0;
  world.chainBottomReached = 1;
  UpdateReinforcements(world);
  ASSERT_EQ(world.lstEnemies.Count(), 1u);
  EXPECT_EQ(world.player.wave_parts, 7);
  EXPECT_GE(world.chainReinforceTimer, 240);
  EXPECT_LE(world.chainReinforceTimer, 360);
  const TSkitterworm* part = Parts()[0];
  EXPECT_EQ(part->y, 169);
  if (part->dir == TSkitterworm::DIR_LEFT)
    EXPECT_EQ(part->x, 296);
  else
    EXPECT_EQ(part->x, 17);
  EXPECT_LE(std::fabs(part->nrg_xtra), 0.1f);
  EXPECT_EQ(world.statsGame.fastest_worm, 0.0f);

  const uint16_t wait = world.chainReinforceTimer;
  for (int i = 0; i < wait; ++i) UpdateReinforcements(world);
  EXPECT_EQ(world.lstEnemies.Count(), 1u);
  UpdateReinforcements(world);
  EXPECT_EQ(world.lstEnemies.Count(), 2u);

  StartChainWave(world);
  EXPECT_EQ(world.chainBottomReached, 0);
  EXPECT_EQ(world.chainReinforceTimer, 0);
  EXPECT_FLOAT_EQ(world.chainSpeed, 1.01f);
}

TEST_F(ChainTest, PartsStayInTheFieldWhateverTheyMeet) {
  // Busy fields of mushrooms, poison and mines, fast and slow parts, with the
  // reinforcements coming: after every frame each part is inside the field,
  // moving in a known direction, and the wave count matches the live parts.
  for (int32_t seed = 1; seed <= 20; ++seed) {
    world.lstEnemies.Clear();
    world.playfield.Clear();
    ResetChains(world);
    StartChainWave(world);
    world.random.Seed(seed);
    world.playfield.Fill(60);
    for (int i = 0; i < 15; ++i)
      world.playfield.data[world.random.Rand(0, kFieldCells - 1)] = uint8_t(CELL_POISON + world.random.Rand(0, 3));
    world.playfield.DropScattermines(10);
    world.player.wave_parts = 20;
    GenerateWave(world);
    for (int frame = 0; frame < 4000; ++frame) {
      world.lstEnemies.ForEach([](TEnemy* e) { e->Update(); });
      UpdateReinforcements(world);
      world.events.clear();
      for (const TSkitterworm* p : Parts()) {
        ASSERT_GE(p->y, CellY(0)) << "seed " << seed << ", frame " << frame;
        ASSERT_LE(p->y, CellY(22)) << "seed " << seed << ", frame " << frame;
        ASSERT_GE(p->x, 17) << "seed " << seed << ", frame " << frame;
        ASSERT_LE(p->x, 296) << "seed " << seed << ", frame " << frame;
        ASSERT_TRUE(p->dir == 1 || p->dir == 2 || p->dir == 3 || p->dir == 4 || p->dir == 9);
      }
      ASSERT_EQ(world.player.wave_parts, world.lstEnemies.Count()) << "seed " << seed << ", frame " << frame;
    }
    EXPECT_EQ(world.chainBottomReached, 1) << "seed " << seed;
  }
}

}  // namespace
