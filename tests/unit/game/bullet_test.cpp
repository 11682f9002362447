#include <gtest/gtest.h>

#include "core/play_states.h"
#include "game/game_test_world.h"
#include "game/ship.h"
#include "game/world.h"

namespace {

using namespace game_test;

class Shot : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetWorld(world);
    world.player.Init();
    world.player.scorex = 1;
    world.gameState = STATE_PLAYING;
    world.playfield.Clear();
    world.bullet.y = kBulletIdleY;
  }

  // A shot of the given power that, after its next 8-pixel move, sits in
  // the cell (col, row).
  void AimAt(int32_t col, int32_t row, uint8_t power) {
    world.player.bpwr = power;
    world.bullet.x = CellX(col) + 1;
    world.bullet.y = CellY(row) + kBulletSpeed;
    world.bullet.pwr = power;
    world.bullet.hit = 0;
  }

  void PutShroom(int32_t col, int32_t row, uint8_t code) {
    world.playfield.data[CellIndex(col, row)] = code;
    world.playfield.strength[CellIndex(col, row)] = kFreshStrength;
    world.playfield.c[CellIndex(col, row)] = 3;
  }

  World world;  // the game each test plays in
};

TEST_F(Shot, LevelFourDestroysAWholeMushroomInOneTick) {
  PutShroom(10, 12, 0);
  AimAt(10, 12, 4);
  StepBullet(world);
  EXPECT_EQ(world.playfield.data[CellIndex(10, 12)], CELL_EMPTY);
  EXPECT_EQ(world.playfield.strength[CellIndex(10, 12)], 0);
  EXPECT_EQ(world.player.score, 1);
  EXPECT_FALSE(world.bullet.InFlight());
  EXPECT_EQ(world.statsStage.mushrooms, 1);
  EXPECT_EQ(world.statsGame.killed_shrooms, 1);
  EXPECT_EQ(world.statsGame.bullets_hit, 1);
}

TEST_F(Shot, LevelOneEndsOnItsFirstMushroomStep) {
  PutShroom(4, 5, 0);
  AimAt(4, 5, 1);
  StepBullet(world);
  EXPECT_EQ(world.playfield.data[CellIndex(4, 5)], 1);
  EXPECT_EQ(world.player.score, 0);
  EXPECT_FALSE(world.bullet.InFlight());
}

TEST_F(Shot, LevelOneEndsOnItsFirstEnemy) {
  world.player.wave_parts = 6;
  AimAt(8, 10, 1);
  PlacePart(world, CellX(8), CellY(10));
  PlacePart(world, CellX(8), CellY(9));  // in the shot's way later on
  StepBullet(world);
  EXPECT_EQ(CountParts(world), 1);
  EXPECT_EQ(world.player.wave_parts, 5);
  EXPECT_EQ(world.player.score, 10);
  EXPECT_FALSE(world.bullet.InFlight());
  StepBullet(world);
  EXPECT_EQ(CountParts(world), 1);
}

TEST_F(Shot, PoisonMushroomOnItsLastStepScoresFifteen) {
  PutShroom(2, 2, 7);
  AimAt(2, 2, 1);
  StepBullet(world);
  EXPECT_EQ(world.playfield.data[CellIndex(2, 2)], CELL_EMPTY);
  EXPECT_EQ(world.player.score, 15);
  EXPECT_EQ(world.statsGame.killed_pshrooms, 1);
  EXPECT_EQ(world.statsGame.killed_shrooms, 0);
}

TEST_F(Shot, ScattermineAndEmptyCellsLetItPass) {
  world.playfield.data[CellIndex(6, 15)] = CELL_SCATTERMINE;
  AimAt(6, 15, 1);
  const int32_t y_before = world.bullet.y;
  StepBullet(world);
  EXPECT_EQ(world.playfield.data[CellIndex(6, 15)], CELL_SCATTERMINE);
  EXPECT_TRUE(world.bullet.InFlight());
  EXPECT_EQ(world.bullet.y, y_before - kBulletSpeed);
  EXPECT_EQ(world.bullet.pwr, 1);
  EXPECT_EQ(world.statsGame.bullets_hit, 0);
}

TEST_F(Shot, HitsCountOncePerTickNotPerThing) {
  PutShroom(12, 14, 2);  // two steps from gone: the first tick uses two hits
  PutShroom(12, 12, 3);  // one more hit, two rows further up
  AimAt(12, 14, 4);
  StepBullet(world);
  EXPECT_EQ(world.playfield.data[CellIndex(12, 14)], CELL_EMPTY);
  EXPECT_EQ(world.statsGame.bullets_hit, 1);
  EXPECT_TRUE(world.bullet.InFlight());
  EXPECT_EQ(world.bullet.pwr, 2);
  for (int i = 0; i < 3 && world.bullet.InFlight(); ++i) StepBullet(world);
  EXPECT_EQ(world.playfield.data[CellIndex(12, 12)], CELL_EMPTY);
  EXPECT_EQ(world.statsGame.bullets_hit, 2);
  EXPECT_EQ(world.player.score, 2);
}

TEST_F(Shot, EveryOverlappingPartIsHitEvenPastThePower) {
  world.player.wave_parts = 6;
  AimAt(8, 10, 1);
  PlacePart(world, CellX(8), CellY(10));
  PlacePart(world, CellX(8) - 2, CellY(10));  // overlapping the same shot
  StepBullet(world);
  EXPECT_EQ(CountParts(world), 0);
  EXPECT_EQ(world.player.wave_parts, 4);
}

TEST_F(Shot, AutofireFiresOnTheFirstIdleTick) {
  world.player.cfire = 1;
  StepShip(world);
  ASSERT_EQ(world.statsGame.bullets_fired, 1);
  int ticks = 0;
  while (world.bullet.InFlight()) {
    StepBullet(world);
    StepShip(world);
    ++ticks;
    ASSERT_LT(ticks, 100);
    if (world.statsGame.bullets_fired == 2) break;
  }
  // The shot leaves from y 213 and is idle once at or above -8: 28 moves.
  EXPECT_EQ(ticks, 28);
  EXPECT_EQ(world.statsGame.bullets_fired, 2);
}

TEST_F(Shot, TrailFollowsTheShipsLaserLevel) {
  AimAt(20, 20, 1);
  world.player.bpwr = 4;
  world.events.clear();
  StepBullet(world);
  const auto trails = Reported<game_event::BulletTrail>(world);
  ASSERT_EQ(trails.size(), 1u);
  EXPECT_EQ(trails[0].level, 4);
}

}  // namespace
