#include "game/saucer.h"

#include "game/collisions.h"
#include "game/enemy_fixture.h"
#include "game/enemy_passes.h"
#include "game/ship.h"
#include "game/spawner.h"
#include "game/world.h"

namespace {

using enemy_test::Battlefield;

class SaucerTest : public Battlefield {
 protected:
  void SetUp() override {
    Battlefield::SetUp();
    world.player.stage = 2;
  }
  TSaucer* Saucer(uint8_t dir, float x, uint16_t row) {
    TSaucer* saucer = TSaucer::New(world);
    saucer->dir = dir;
    saucer->x = x;
    saucer->row = row;
    saucer->y = uint16_t(CellY(row));
    saucer->blinkfreq = 60;
    saucer->clr = 4;
    saucer->c = "0000FF";
    return saucer;
  }
};

TEST_F(SaucerTest, NeverComesInStageA) {
  world.player.stage = 1;
  world.saucerTimer = 0;
  for (int i = 0; i < 5000; ++i) UpdateSpawner(world);
  EXPECT_EQ(Count<TSaucer>(), 0);
  EXPECT_EQ(world.saucerTimer, 0);
  EXPECT_EQ(world.statsStage.saucers_seen, 0);

  world.player.stage = 2;
  UpdateSpawner(world);
  EXPECT_EQ(Count<TSaucer>(), 1);
  EXPECT_GE(world.saucerTimer, 600);
  EXPECT_LE(world.saucerTimer, 1800);
  EXPECT_EQ(world.statsStage.saucers_seen, 1);
}

TEST_F(SaucerTest, PowerupChanceFallsWithTheRowAndWrapsAsAByte) {
  EXPECT_EQ(Saucer(TSaucer::DIR_LEFT, 100, 0)->PowerupChance(), 72);
  EXPECT_EQ(Saucer(TSaucer::DIR_LEFT, 100, 17)->PowerupChance(), 21);
  world.player.stage = 9;
  EXPECT_EQ(Saucer(TSaucer::DIR_LEFT, 100, 10)->PowerupChance(), 49);
  world.player.stage = 250;  // 320 in byte arithmetic
  EXPECT_EQ(Saucer(TSaucer::DIR_LEFT, 100, 0)->PowerupChance(), 64);
}

TEST_F(SaucerTest, PoisonsOnlyPlainMushrooms) {
  TSaucer* saucer = Saucer(TSaucer::DIR_RIGHT, 50, 3);
  const uint8_t codes[] = {0, 1, 2, 3, 4, 7, CELL_SCATTERMINE, CELL_EMPTY};
  const uint8_t after[] = {4, 5, 6, 7, 4, 7, CELL_SCATTERMINE, CELL_EMPTY};
  for (size_t i = 0; i < std::size(codes); ++i) {
    saucer->my_sec = CellIndex(int32_t(i), 3);
    Put(saucer->my_sec, codes[i]);
    saucer->PoisonMushroom();
    EXPECT_EQ(world.playfield.data[saucer->my_sec], after[i]) << "code " << int(codes[i]);
  }
}

TEST_F(SaucerTest, PoisonsTheCellBeneathAboutOneFrameInTwenty) {
  // Every cell of its row a plain mushroom again before each frame.
  Saucer(TSaucer::DIR_RIGHT, 17.0f, 6);
  int poisoned = 0, frames = 0;
  while (Count<TSaucer>() > 0) {
    for (int32_t col = 0; col < kFieldCols; ++col) Put(CellIndex(col, 6), 1);
    UpdateSaucers(world);
    ++frames;
    for (int32_t col = 0; col < kFieldCols; ++col) poisoned += world.playfield.data[CellIndex(col, 6)] == 5;
    if (Count<TSaucer>() == 0) break;
  }
  // 17 to past 304 at 0.75 a frame.
  EXPECT_EQ(frames, 383);
  enemy_test::ExpectShare(poisoned, frames - 1, 0.05);
}

TEST_F(SaucerTest, SpinsEveryThirdFrame) {
  TSaucer* left = Saucer(TSaucer::DIR_LEFT, 200, 2);
  TSaucer* right = Saucer(TSaucer::DIR_RIGHT, 20, 2);
  UpdateSaucers(world);
  UpdateSaucers(world);
  EXPECT_EQ(left->f, 0);
  EXPECT_EQ(right->f, 0);
  UpdateSaucers(world);
  EXPECT_EQ(right->f, 1);
  EXPECT_EQ(left->f, 6);  // leftward spin wraps from 0 to 6
  EXPECT_EQ(UpdateSaucers(world), 2);
}

TEST_F(SaucerTest, PaysEvenInWardenAlertAndCountsTheKill) {
  world.hurryup.state = THurryUp::STATE_ALERT;
  Saucer(TSaucer::DIR_LEFT, 100, 5)->Death();
  EXPECT_EQ(world.player.score, 200);
  ASSERT_EQ(Reported<game_event::SaucerBurst>(world).size(), 1u);
  EXPECT_EQ(Reported<game_event::SaucerBurst>(world)[0].points, 200);
  EXPECT_EQ(world.statsStage.saucers_killed, 1);
  EXPECT_EQ(world.statsGame.killed_saucers, 1);
  EXPECT_EQ(Count<TSaucer>(), 0);
}

TEST_F(SaucerTest, TheShipTouchesSaucersOnlyWithFreeMovement) {
  Saucer(TSaucer::DIR_LEFT, float(world.player.x), 0)->y = uint16_t(world.player.y - 3);
  CollideShipWithEnemies(world.player);
  EXPECT_EQ(world.player.state, SHIP_ALIVE);
  world.player.power[POWER_FREEMOVE] = 100;
  CollideShipWithEnemies(world.player);
  EXPECT_EQ(world.player.state, SHIP_DEAD);
  EXPECT_EQ(world.statsGame.player_saucerdeaths, 1);
}

}  // namespace
