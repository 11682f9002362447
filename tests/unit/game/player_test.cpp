#include <gtest/gtest.h>

#include "core/play_states.h"
#include "game/collisions.h"
#include "game/game_test_world.h"
#include "game/ship.h"
#include "game/warden.h"
#include "game/world.h"
#include "persist/records.h"
#include "platform/image.h"

namespace {

using namespace game_test;

class Ship : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetWorld(world);
    ShipInPlay(world);
  }

  World world;  // the game each test plays in
};

TEST_F(Ship, OneExtraLifePerAwardEvenAcrossTwoThresholds) {
  world.player.scorex = 1;
  world.player.score = 4990;
  world.player.AddScore(6000);  // 10990: past 5000 and 10000
  EXPECT_EQ(world.player.lives, 4);
  EXPECT_EQ(world.player.elife, 10000);
  world.player.AddScore(1);  // already above the new threshold: the second life now
  EXPECT_EQ(world.player.lives, 5);
  EXPECT_EQ(world.player.elife, 15000);
  world.player.AddScore(1);
  EXPECT_EQ(world.player.lives, 5);
}

TEST_F(Ship, LivesAreAByteAndWrap) {
  world.player.scorex = 1;
  world.player.lives = 255;
  world.player.score = 4999;
  world.player.AddScore(1);
  EXPECT_EQ(world.player.lives, 0);
}

TEST_F(Ship, AFourthItemIsLost) {
  world.player.AddItem(ITEM_MISSILES);
  world.player.AddItem(ITEM_SMARTBOMB);
  world.player.AddItem(ITEM_RAILBLAST);
  world.player.AddItem(ITEM_SCATTERMINES);
  EXPECT_EQ(world.player.item[0], ITEM_MISSILES);
  EXPECT_EQ(world.player.item[1], ITEM_SMARTBOMB);
  EXPECT_EQ(world.player.item[2], ITEM_RAILBLAST);
}

TEST_F(Ship, UseItemShiftsEvenWithAnEmptyFirstSlot) {
  world.player.item[0] = ITEM_EMPTY;
  world.player.item[1] = ITEM_RAILBLAST;
  world.player.item[2] = ITEM_SCATTERMINES;
  UseItem(world);
  EXPECT_EQ(world.player.item[0], ITEM_RAILBLAST);
  EXPECT_EQ(world.player.item[1], ITEM_SCATTERMINES);
  EXPECT_EQ(world.player.item[2], ITEM_EMPTY);
}

TEST_F(Ship, ScattermineItemDropsFifteenMines) {
  world.playfield.Clear();
  world.player.item[0] = ITEM_SCATTERMINES;
  UseItem(world);
  int mines = 0;
  for (int i = 0; i < kFieldCells; ++i) mines += world.playfield.data[i] == CELL_SCATTERMINE;
  EXPECT_EQ(mines, 15);
  EXPECT_EQ(world.player.item[0], ITEM_EMPTY);
}

TEST_F(Ship, FreeMovementEndingAboveTheBandSnapsBackOnTheNextStepUp) {
  ShipSticks up, down;
  up.up = true;
  down.down = true;
  world.player.power[POWER_FREEMOVE] = 100;
  world.player.y = 18;
  SteerShip(world, up);
  SteerShip(world, up);
  EXPECT_EQ(world.player.y, 16);

  world.player.power[POWER_FREEMOVE] = 0;
  world.player.y = 100;
  SteerShip(world, down);
  EXPECT_EQ(world.player.y, 102);  // a step down moves as usual
  SteerShip(world, up);
  EXPECT_EQ(world.player.y, 178);  // a step up applies the band's top
}

TEST_F(Ship, FiresWhileRespawningButCannotBeHit) {
  world.player.state = SHIP_RESPAWNING;
  world.player.death_timer = 150;
  world.player.cfire = 1;
  TSkitterworm* part = PlacePart(world, world.player.x, world.player.y);
  const uint8_t parts_before = world.player.wave_parts;
  StepShip(world);
  EXPECT_TRUE(world.bullet.InFlight());
  EXPECT_EQ(world.player.lives, 3);
  EXPECT_EQ(world.player.state, SHIP_RESPAWNING);
  EXPECT_EQ(CountParts(world), 1);
  EXPECT_EQ(world.player.wave_parts, parts_before);

  // Once the respawn ends, the same part is deadly.
  world.player.death_timer = 299;
  StepShip(world);
  EXPECT_EQ(world.player.lives, 2);
  EXPECT_EQ(world.player.state, SHIP_DEAD);
  EXPECT_EQ(world.statsGame.player_wormdeaths, 1);
  part->Die();
}

TEST_F(Ship, DeathRespawnTimeline) {
  world.player.x = 100;
  world.player.power[POWER_LASER3] = 500;
  world.player.LoseLife();
  EXPECT_EQ(world.player.lives, 2);
  EXPECT_EQ(world.player.power[POWER_LASER3], 0);
  EXPECT_EQ(world.player.x, 156);  // back at the start at once
  for (int i = 0; i < 119; ++i) StepShip(world);
  EXPECT_EQ(world.player.state, SHIP_DEAD);
  StepShip(world);
  EXPECT_EQ(world.player.state, SHIP_RESPAWNING);
  for (int i = 0; i < 179; ++i) StepShip(world);
  EXPECT_EQ(world.player.state, SHIP_RESPAWNING);
  StepShip(world);
  EXPECT_EQ(world.player.state, SHIP_ALIVE);
  EXPECT_EQ(world.player.death_timer, 0);
}

TEST_F(Ship, NoLivesLeftEndsTheGameInsteadOfRespawning) {
  world.player.lives = 1;
  world.player.LoseLife();
  for (int i = 0; i < 120; ++i) StepShip(world);
  EXPECT_EQ(world.gameState, STATE_GAMEOVER);
  EXPECT_EQ(world.player.state, SHIP_DEAD);
}

TEST_F(Ship, ShieldKillsTheChainPartInstead) {
  world.player.power[POWER_SHIELD] = 100;
  world.player.wave_parts = 6;
  PlacePart(world, world.player.x + 3, world.player.y);
  StepShip(world);
  EXPECT_EQ(world.player.lives, 3);
  EXPECT_EQ(CountParts(world), 0);
  EXPECT_EQ(world.player.wave_parts, 5);
}

TEST_F(Ship, ContactBoxOfAChainPartStartsTwoPixelsDown) {
  // The part's box is (x, y + 2, 8, 5): a part whose lower edge only touches
  // the ship's top pixel row misses.
  PlacePart(world, world.player.x, world.player.y - 7);
  StepShip(world);
  EXPECT_EQ(world.player.lives, 3);
  PlacePart(world, world.player.x, world.player.y - 6);
  StepShip(world);
  EXPECT_EQ(world.player.lives, 2);
}

TEST_F(Ship, PowersSetLaserAndMultiplierAndCountDown) {
  world.player.power[POWER_LASER2] = 2;
  world.player.power[POWER_SCORE5] = 900;
  world.player.UpdatePowers();
  EXPECT_EQ(world.player.bpwr, 2);
  EXPECT_EQ(world.player.scorex, 5);
  EXPECT_EQ(world.player.power[POWER_LASER2], 1);
  world.player.UpdatePowers();
  world.player.UpdatePowers();
  EXPECT_EQ(world.player.bpwr, 1);
  EXPECT_EQ(world.player.power[POWER_SCORE5], 897);
}

TEST_F(Ship, PowersFreezeAndFiringStopsDuringTheTally) {
  world.player.power[POWER_SHIELD] = 50;
  world.player.cfire = 1;
  world.gameState = STATE_CLEARED;
  StepShip(world);
  EXPECT_EQ(world.player.power[POWER_SHIELD], 50);
  EXPECT_FALSE(world.bullet.InFlight());
  world.gameState = STATE_PLAYING;
  StepShip(world);
  EXPECT_EQ(world.player.power[POWER_SHIELD], 49);
  EXPECT_TRUE(world.bullet.InFlight());
}

TEST_F(Ship, WardenLayerKillsUnlessShielded) {
  SetDataDir(SKITTERWORM_TEST_DATA_DIR);
  if (!LoadCollisionMasks()) GTEST_SKIP() << "game images not built";
  // A solid 8x8 warden footprint in the layer the ship meets.
  const std::vector<uint32_t> pixels(64, 0xffffffffu);
  const CollisionMask blob = CollisionMask::FromPixels(pixels.data(), 8, 8, false);
  auto WardenFootprintAt = [&](float x, float y) { world.wardenFootprints.Add(blob, x, y, 0); };
  WardenFootprintAt(float(world.player.x + 20), float(world.player.y));
  CollideShipWithWardens(world.player);
  EXPECT_EQ(world.player.lives, 3);  // beside the ship

  WardenFootprintAt(float(world.player.x + 3), float(world.player.y + 2));
  world.player.power[POWER_SHIELD] = 10;
  CollideShipWithWardens(world.player);
  EXPECT_EQ(world.player.lives, 3);
  world.player.power[POWER_SHIELD] = 0;
  CollideShipWithWardens(world.player);
  EXPECT_EQ(world.player.lives, 2);
  EXPECT_EQ(world.statsGame.player_wardendeaths, 1);
  world.wardenFootprints.Clear();
}

}  // namespace
