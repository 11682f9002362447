#include "game/snail.h"

#include "game/collisions.h"
#include "game/enemy_fixture.h"
#include "game/enemy_passes.h"
#include "game/ship.h"
#include "game/spawner.h"
#include "game/world.h"

namespace {

using enemy_test::Battlefield;

class SnailTest : public Battlefield {
 protected:
  TSnail* Falling(int32_t col) {
    TSnail* snail = TSnail::New(world);
    snail->x = float(CellX(col));
    snail->y = 16.0f;
    snail->dir = TSnail::DIR_DOWN;
    snail->clr = 7;
    snail->c = "FF00FF";
    return snail;
  }
  TSnail* Crawling(uint8_t dir, float x, uint16_t row) {
    TSnail* snail = TSnail::New(world);
    snail->x = x;
    snail->row = row;
    snail->y = float(CellY(row));
    snail->dir = dir;
    snail->clr = 7;
    snail->c = "FF00FF";
    return snail;
  }
  // Runs the snails until none is left (or the frame limit).
  int RunOut(int frames) {
    int n = 0;
    while (Count<TSnail>() > 0 && n < frames) {
      UpdateSnails(world);
      ++n;
    }
    return n;
  }
};

TEST_F(SnailTest, DropsOnlyIntoEmptyCells) {
  TSnail* snail = Falling(4);
  snail->my_sec = CellIndex(4, 3);
  Put(snail->my_sec, 2);
  world.playfield.strength[snail->my_sec] = 5;
  snail->DropMushroom();
  EXPECT_EQ(world.playfield.data[snail->my_sec], 2);  // the damaged mushroom stays as it was
  EXPECT_EQ(world.playfield.strength[snail->my_sec], 5);
  for (uint8_t code : {uint8_t(6), CELL_SCATTERMINE}) {
    Put(snail->my_sec, code);
    snail->DropMushroom();
    EXPECT_EQ(world.playfield.data[snail->my_sec], code);
  }
  Put(snail->my_sec, CELL_EMPTY);
  snail->DropMushroom();
  EXPECT_EQ(world.playfield.data[snail->my_sec], 0);
  EXPECT_EQ(world.playfield.strength[snail->my_sec], kFreshStrength);
}

TEST_F(SnailTest, AFallingSnailOverMushroomsDropsNoneButRecoloursEveryCellItPasses) {
  // A whole column of mushrooms: nowhere to drop, everything to paint.
  for (int32_t row = 0; row < kFieldRows; ++row) {
    Put(CellIndex(9, row), uint8_t(row % 4));
    world.playfield.c[CellIndex(9, row)] = 2;
    world.playfield.clr[CellIndex(9, row)] = "000000";
  }
  Falling(9);
  const int frames = RunOut(1000);
  // 198 pixels at 1.125 per frame on stage A.
  EXPECT_EQ(frames, 177);
  for (int32_t row = 0; row < kFieldRows; ++row) EXPECT_EQ(world.playfield.data[CellIndex(9, row)], uint8_t(row % 4));
  for (int32_t row = 0; row < 21; ++row) {
    EXPECT_EQ(world.playfield.c[CellIndex(9, row)], 7) << "row " << row;
    EXPECT_NE(world.playfield.clr[CellIndex(9, row)], "000000") << "row " << row;
  }
}

TEST_F(SnailTest, ACrawlingSnailDropsAboutOneMushroomInEightCellsAndPaintsItsRow) {
  int dropped = 0, frames = 0;
  for (int run = 0; run < 40; ++run) {
    world.playfield.Clear();
    Crawling(TSnail::DIR_RIGHT, 18.0f, 5);
    frames += RunOut(1000);
    for (int32_t col = 0; col < kFieldCols; ++col) dropped += world.playfield.data[CellIndex(col, 5)] == 0;
    EXPECT_EQ(world.playfield.c[CellIndex(16, 5)], 7);
  }
  // One roll of 12 % each frame beyond x 25; a drop may fall into a cell that
  // already holds one, so the count is a little below the rolls.
  EXPECT_GT(dropped, int(frames * 0.12 * 0.6));
  EXPECT_LT(dropped, int(frames * 0.12 * 1.1));
}

TEST_F(SnailTest, ARunIntoAMineKillsItWithPoints) {
  // Crawling right along row 10 into a mine in column 12.
  Put(CellIndex(12, 10), CELL_SCATTERMINE);
  Crawling(TSnail::DIR_RIGHT, 18.0f, 10);
  RunOut(1000);
  EXPECT_EQ(world.playfield.data[CellIndex(12, 10)], CELL_EMPTY);
  EXPECT_EQ(world.player.score, 100);
  EXPECT_EQ(Reported<game_event::SnailSplat>(world).back().points, 100);
  EXPECT_EQ(world.statsStage.snails_killed, 1);
  EXPECT_EQ(world.statsGame.killed_snails, 1);

  // A falling one is worth 50; in warden alert nothing, but it still counts.
  Put(CellIndex(3, 8), CELL_SCATTERMINE);
  Falling(3);
  RunOut(1000);
  EXPECT_EQ(world.playfield.data[CellIndex(3, 8)], CELL_EMPTY);
  EXPECT_EQ(world.player.score, 150);
  EXPECT_EQ(Reported<game_event::SnailSplat>(world).back().points, 50);
  world.hurryup.state = THurryUp::STATE_ALERT;
  Put(CellIndex(20, 4), CELL_SCATTERMINE);
  Falling(20);
  RunOut(1000);
  EXPECT_EQ(world.playfield.data[CellIndex(20, 4)], CELL_EMPTY);
  EXPECT_EQ(world.player.score, 150);
  EXPECT_EQ(Reported<game_event::SnailSplat>(world).back().points, 0);
  EXPECT_EQ(world.statsGame.killed_snails, 3);
}

TEST_F(SnailTest, SpawnsSevenInTenFalling) {
  int falling = 0;
  const int n = 6000;
  for (int i = 0; i < n; ++i) {
    TSnail* snail = SpawnSnail(world);
    if (snail->Falling()) {
      ++falling;
      EXPECT_EQ((int32_t(snail->x) - 17) % 9, 0);
      EXPECT_FLOAT_EQ(snail->y, 16.0f);
    } else {
      EXPECT_TRUE(snail->x == 293.0f || snail->x == 18.0f);
      EXPECT_LE(snail->row, 17);
      EXPECT_FLOAT_EQ(snail->y, float(CellY(snail->row)));
    }
    snail->Die();
  }
  enemy_test::ExpectShare(falling, n, 0.70);
  EXPECT_EQ(world.statsStage.snails_seen, n);
}

TEST_F(SnailTest, TheBulletAndTheShipMeetIt) {
  Crawling(TSnail::DIR_LEFT, 100.0f, 15);  // y 151
  world.bullet.x = 103;
  world.bullet.y = 160;
  world.bullet.pwr = 1;
  StepBullet(world);
  EXPECT_EQ(Count<TSnail>(), 0);
  EXPECT_EQ(world.player.score, 100);

  // The ship's contact box is one pixel narrower at the snail's left.
  TSnail* snail = Crawling(TSnail::DIR_LEFT, float(world.player.x - 7), 0);
  snail->y = float(world.player.y);
  CollideShipWithEnemies(world.player);
  EXPECT_EQ(world.statsGame.player_snaildeaths, 0);
  snail->x = float(world.player.x - 6);
  CollideShipWithEnemies(world.player);
  EXPECT_EQ(world.statsGame.player_snaildeaths, 1);
}

}  // namespace
