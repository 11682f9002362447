#include "game/playfield.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

#include "core/common.h"
#include "core/fader.h"
#include "core/images.h"
#include "core/rainbow_phaser.h"
#include "core/sine_table.h"
#include "game/game_test_world.h"
#include "game/player.h"
#include "game/world.h"
#include "persist/config.h"
#include "persist/records.h"
#include "persist/statistics.h"
#include "platform/atlas.h"
#include "platform/graphics.h"
#include "platform/headless/headless_backend.h"
#include "platform/random.h"
#include "platform/recording_backend.h"
#include "platform/text.h"

namespace {

int Count(const TPlayfield& field, uint8_t code, int first = 0, int last = kFieldCells - 1) {
  int n = 0;
  for (int i = first; i <= last; ++i) n += field.data[i] == code;
  return n;
}

TEST(Playfield, FillPlacesOneMoreThanAskedUnlessACellIsPickedTwice) {
  World world;
  for (int32_t seed : {1, 77, 1000, 31337}) {
    // The same seed gives the same picks: replay them to know what Fill chose.
    world.random.Seed(seed);
    std::set<int> picks;
    for (int i = 0; i <= 60; ++i) picks.insert(world.random.Rand(0, 511));
    world.random.Seed(seed);
    TPlayfield field{world};
    field.clr[5] = "123456";
    field.Fill(60);
    EXPECT_EQ(Count(field, 0), int(picks.size())) << "seed " << seed;
    for (int cell : picks) {
      EXPECT_EQ(field.data[cell], 0);
      EXPECT_EQ(field.strength[cell], kFreshStrength);
    }
    EXPECT_EQ(Count(field, CELL_EMPTY, 512, 703), 192) << "rows 16..21 stay clear";
    EXPECT_EQ(field.clr[5], "123456") << "colours are ChangeColor's business";
  }
  // With enough placements some cell is picked twice.
  world.random.Seed(5);
  TPlayfield crowded{world};
  crowded.Fill(400);
  EXPECT_LT(Count(crowded, 0), 401);
}

TEST(Playfield, FillOverwritesMinesAndPoison) {
  World world;
  TPlayfield field{world};
  for (int i = 0; i < 512; ++i) {
    field.data[i] = i % 2 ? CELL_SCATTERMINE : 6;
    field.strength[i] = 3;
  }
  world.random.Seed(9);
  field.Fill(0);
  EXPECT_EQ(Count(field, 0), 1);
  for (int i = 0; i < 512; ++i)
    if (field.data[i] == 0) EXPECT_EQ(field.strength[i], kFreshStrength);
}

TEST(Playfield, ScatterminesNeverDoubleUpAndStayAboveRowSixteen) {
  World world;
  TPlayfield field{world};
  for (int i = 0; i < kFieldCells; ++i) {
    field.data[i] = uint8_t(i % 3 == 0 ? 2 : i % 3 == 1 ? 5 : CELL_EMPTY);
    field.strength[i] = 9;
  }
  world.random.Seed(2024);
  field.DropScattermines(15);
  EXPECT_EQ(Count(field, CELL_SCATTERMINE), 15);
  field.DropScattermines(15);
  EXPECT_EQ(Count(field, CELL_SCATTERMINE), 30) << "the second drop finds fresh cells";
  EXPECT_EQ(Count(field, CELL_SCATTERMINE, 512, 703), 0);
  for (int i = 0; i < kFieldCells; ++i)
    if (field.data[i] == CELL_SCATTERMINE) EXPECT_EQ(field.strength[i], 0);

  // Nearly full of mines: the last free cells are found, and whatever they
  // held (a mushroom, a poison mushroom) is replaced.
  TPlayfield full{world};
  for (int i = 0; i < 512; ++i) full.data[i] = CELL_SCATTERMINE;
  full.data[17] = 1;
  full.data[400] = 7;
  full.DropScattermines(2);
  EXPECT_EQ(Count(full, CELL_SCATTERMINE, 0, 511), 512);
  full.DropScattermines(15);  // and with none left the drop still returns
}

TEST(Playfield, ClearPoisonKeepsTheDamage) {
  World world;
  TPlayfield field{world};
  const uint8_t codes[] = {0, 1, 2, 3, 4, 5, 6, 7, CELL_SCATTERMINE, CELL_EMPTY};
  for (int i = 0; i < 10; ++i) {
    field.data[i] = codes[i];
    field.strength[i] = uint8_t(i + 1);
  }
  field.ClearPoison();
  const uint8_t expected[] = {0, 1, 2, 3, 0, 1, 2, 3, CELL_SCATTERMINE, CELL_EMPTY};
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(field.data[i], expected[i]) << "cell " << i;
    EXPECT_EQ(field.strength[i], i + 1) << "cell " << i;
  }
}

TEST(Playfield, ChangeStyleNeverRepeatsAndReachesEveryStyle) {
  World world;
  world.random.Seed(11);
  TPlayfield field{world};
  std::set<int> styles;
  for (int i = 0; i < 500; ++i) {
    const uint8_t before = field.style;
    field.ChangeStyle();
    ASSERT_NE(field.style, before);
    ASSERT_LE(field.style, 7);
    styles.insert(field.style);
  }
  EXPECT_EQ(styles.size(), 8u);
}

TEST(Playfield, ChangeColorGivesEveryCellAShadeOfOneFamily) {
  World world;
  world.random.Seed(12);
  TPlayfield field{world};
  int repeats = 0;
  uint8_t previous = 0;
  std::set<int> families;
  for (int round = 0; round < 200; ++round) {
    field.ChangeColor();
    const uint8_t family = field.c[0];
    ASSERT_GE(family, 1);
    ASSERT_LE(family, 11);
    families.insert(family);
    repeats += family == previous;
    previous = family;
    for (int i = 0; i < kFieldCells; ++i) {
      ASSERT_EQ(field.c[i], family);
      ASSERT_EQ(field.clr[i].size(), 6u);
    }
  }
  EXPECT_EQ(families.size(), 11u);
  EXPECT_GT(repeats, 0) << "a stage may keep the previous family";

  // Each cell draws its own shade.
  std::set<std::string> shades(field.clr, field.clr + kFieldCells);
  EXPECT_GT(shades.size(), 20u);
}

// Outcome frequencies of one smart bomb over many seeded fields, each field
// holding 512 cells of one code.
struct Outcomes {
  double destroyed = 0, unchanged = 0;
  double became[4] = {};
};
Outcomes Bomb(uint8_t code, int runs) {
  World world;
  Outcomes o;
  int total = 0;
  for (int run = 0; run < runs; ++run) {
    world.random.Seed(1000 + run);
    TPlayfield field{world};
    for (int i = 0; i < 512; ++i) {
      field.data[i] = code;
      field.strength[i] = 15;
    }
    field.SmartBomb([](World& w, uint16_t points) { w.player.AddScore(points); });
    for (int i = 0; i < 512; ++i) {
      ++total;
      const uint8_t now = field.data[i];
      if (now == CELL_EMPTY) {
        o.destroyed += 1;
      } else {
        EXPECT_EQ(field.strength[i], 15) << "survivors keep their strength";
        if (now == code) o.unchanged += 1;
        if (now <= 3) o.became[now] += 1;
      }
    }
  }
  o.destroyed /= total;
  o.unchanged /= total;
  for (double& b : o.became) b /= total;
  return o;
}

// Within five standard deviations of p for n samples.
void ExpectNear(double measured, double p, int n, const char* what) {
  const double sigma = std::sqrt(p * (1 - p) / n);
  EXPECT_NEAR(measured, p, 5 * sigma + 1e-9) << what;
}

TEST(Playfield, SmartBombOdds) {
  constexpr int kRuns = 40, kSamples = kRuns * 512;
  const Outcomes whole = Bomb(0, kRuns);
  ExpectNear(whole.destroyed, 0.75 / 4, kSamples, "whole mushroom destroyed");
  ExpectNear(whole.unchanged, 0.25, kSamples, "whole mushroom missed");
  ExpectNear(whole.became[1], 0.75 / 4, kSamples, "whole mushroom one step");
  ExpectNear(whole.became[3], 0.75 / 4, kSamples, "whole mushroom three steps");

  const Outcomes worn = Bomb(3, kRuns);
  ExpectNear(worn.destroyed, 0.75, kSamples, "last-hit mushroom destroyed whenever hit");
  ExpectNear(worn.unchanged, 0.25, kSamples, "last-hit mushroom missed");

  const Outcomes half = Bomb(2, kRuns);
  ExpectNear(half.destroyed, 0.375, kSamples, "half-worn mushroom destroyed");
  ExpectNear(half.became[3], 0.375, kSamples, "half-worn mushroom damaged");

  const Outcomes poison = Bomb(5, 2);
  EXPECT_EQ(poison.destroyed, 1.0) << "poison mushrooms always go";
}

TEST(Playfield, SmartBombScoresAndCountsEveryMushroomItClears) {
  World world;
  config.sound = 0;
  world.player.score = 0;
  world.player.scorex = 1;
  world.player.elife = 5000;
  world.statsStage.mushrooms = 0;
  world.statsGame.killed_shrooms = 0;
  world.statsGame.killed_pshrooms = 0;
  TPlayfield field{world};
  for (int i = 0; i < 10; ++i) field.data[i] = uint8_t(4 + i % 4);
  for (int i = 10; i < 400; ++i) field.data[i] = 3;
  for (int i = 400; i < 450; ++i) field.data[i] = CELL_SCATTERMINE;
  world.random.Seed(55);
  field.SmartBomb([](World& w, uint16_t points) { w.player.AddScore(points); });
  EXPECT_EQ(Count(field, CELL_SCATTERMINE), 50) << "mines are left alone";
  const int plain = 390 - Count(field, 3);
  EXPECT_GT(plain, 0);
  EXPECT_EQ(world.statsGame.killed_pshrooms, 10);
  EXPECT_EQ(world.statsGame.killed_shrooms, plain);
  EXPECT_EQ(world.statsStage.mushrooms, 10 + plain);
  EXPECT_EQ(world.player.score, 10 * 15 + plain) << "15 a poison mushroom, 1 a plain one";
}

TEST(Playfield, FlashAndMineDropReportTheirEffects) {
  World world;
  world.events.clear();
  TPlayfield field{world};
  field.style = 2;
  field.data[CellIndex(3, 4)] = 2;
  field.data[CellIndex(6, 1)] = 7;
  field.data[CellIndex(7, 1)] = CELL_SCATTERMINE;
  field.Flash();
  const auto flashes = game_test::Reported<game_event::ShroomFlash>(world);
  ASSERT_EQ(flashes.size(), 2u) << "mushrooms and poison mushrooms flash, mines do not";
  EXPECT_EQ(flashes[0].x, CellX(3));
  EXPECT_EQ(flashes[0].y, CellY(4));
  EXPECT_EQ(flashes[0].frame, 2 + 4 * 2);
  EXPECT_EQ(flashes[1].frame, 3 + 4 * 2) << "a poison mushroom flashes with its damage";

  world.events.clear();
  world.random.Seed(4);
  field.DropScattermines(15);
  const auto mines = game_test::Reported<game_event::MineAppeared>(world);
  EXPECT_EQ(mines.size(), 15u);
  for (const game_event::MineAppeared& mine : mines) {
    const int col = (mine.x + 4 - kFieldLeft) / kCellPitch, row = (mine.y + 4 - kFieldTop) / kCellPitch;
    EXPECT_EQ(field.data[CellIndex(col, row)], CELL_SCATTERMINE);
  }
}

}  // namespace
