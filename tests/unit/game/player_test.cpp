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
    ResetWorld();
    ShipInPlay();
  }
};

TEST_F(Ship, OneExtraLifePerAwardEvenAcrossTwoThresholds) {
  player.scorex = 1;
  player.score = 4990;
  player.AddScore(6000);  // 10990: past 5000 and 10000
  EXPECT_EQ(player.lives, 4);
  EXPECT_EQ(player.elife, 10000);
  player.AddScore(1);  // already above the new threshold: the second life now
  EXPECT_EQ(player.lives, 5);
  EXPECT_EQ(player.elife, 15000);
  player.AddScore(1);
  EXPECT_EQ(player.lives, 5);
}

TEST_F(Ship, LivesAreAByteAndWrap) {
  player.scorex = 1;
  player.lives = 255;
  player.score = 4999;
  player.AddScore(1);
  EXPECT_EQ(player.lives, 0);
}

TEST_F(Ship, AFourthItemIsLost) {
  player.AddItem(ITEM_MISSILES);
  player.AddItem(ITEM_SMARTBOMB);
  player.AddItem(ITEM_RAILBLAST);
  player.AddItem(ITEM_SCATTERMINES);
  EXPECT_EQ(player.item[0], ITEM_MISSILES);
  EXPECT_EQ(player.item[1], ITEM_SMARTBOMB);
  EXPECT_EQ(player.item[2], ITEM_RAILBLAST);
}

TEST_F(Ship, UseItemShiftsEvenWithAnEmptyFirstSlot) {
  player.item[0] = ITEM_EMPTY;
  player.item[1] = ITEM_RAILBLAST;
  player.item[2] = ITEM_SCATTERMINES;
  UseItem();
  EXPECT_EQ(player.item[0], ITEM_RAILBLAST);
  EXPECT_EQ(player.item[1], ITEM_SCATTERMINES);
  EXPECT_EQ(player.item[2], ITEM_EMPTY);
}

TEST_F(Ship, ScattermineItemDropsFifteenMines) {
  playfield.Clear();
  player.item[0] = ITEM_SCATTERMINES;
  UseItem();
  int mines = 0;
  for (int i = 0; i < kFieldCells; ++i) mines += playfield.data[i] == CELL_SCATTERMINE;
  EXPECT_EQ(mines, 15);
  EXPECT_EQ(player.item[0], ITEM_EMPTY);
}

TEST_F(Ship, FreeMovementEndingAboveTheBandSnapsBackOnTheNextStepUp) {
  ShipSticks up, down;
  up.up = true;
  down.down = true;
  player.power[POWER_FREEMOVE] = 100;
  player.y = 18;
  SteerShip(up);
  SteerShip(up);
  EXPECT_EQ(player.y, 16);

  player.power[POWER_FREEMOVE] = 0;
  player.y = 100;
  SteerShip(down);
  EXPECT_EQ(player.y, 102);  // a step down moves as usual
  SteerShip(up);
  EXPECT_EQ(player.y, 178);  // a step up applies the band's top
}

TEST_F(Ship, FiresWhileRespawningButCannotBeHit) {
  player.state = SHIP_RESPAWNING;
  player.death_timer = 150;
  player.cfire = 1;
  TSkitterworm* part = PlacePart(player.x, player.y);
  const uint8_t parts_before = player.wave_parts;
  StepShip();
  EXPECT_TRUE(bullet.InFlight());
  EXPECT_EQ(player.lives, 3);
  EXPECT_EQ(player.state, SHIP_RESPAWNING);
  EXPECT_EQ(CountParts(), 1);
  EXPECT_EQ(player.wave_parts, parts_before);

  // Once the respawn ends, the same part is deadly.
  player.death_timer = 299;
  StepShip();
  EXPECT_EQ(player.lives, 2);
  EXPECT_EQ(player.state, SHIP_DEAD);
  EXPECT_EQ(statsGame.player_wormdeaths, 1);
  part->Die();
}

TEST_F(Ship, DeathRespawnTimeline) {
  player.x = 100;
  player.power[POWER_LASER3] = 500;
  player.LoseLife();
  EXPECT_EQ(player.lives, 2);
  EXPECT_EQ(player.power[POWER_LASER3], 0);
  EXPECT_EQ(player.x, 156);  // back at the start at once
  for (int i = 0; i < 119; ++i) StepShip();
  EXPECT_EQ(player.state, SHIP_DEAD);
  StepShip();
  EXPECT_EQ(player.state, SHIP_RESPAWNING);
  for (int i = 0; i < 179; ++i) StepShip();
  EXPECT_EQ(player.state, SHIP_RESPAWNING);
  StepShip();
  EXPECT_EQ(player.state, SHIP_ALIVE);
  EXPECT_EQ(player.death_timer, 0);
}

TEST_F(Ship, NoLivesLeftEndsTheGameInsteadOfRespawning) {
  player.lives = 1;
  player.LoseLife();
  for (int i = 0; i < 120; ++i) StepShip();
  EXPECT_EQ(gameState, STATE_GAMEOVER);
  EXPECT_EQ(player.state, SHIP_DEAD);
}

TEST_F(Ship, ShieldKillsTheChainPartInstead) {
  player.power[POWER_SHIELD] = 100;
  player.wave_parts = 6;
  PlacePart(player.x + 3, player.y);
  StepShip();
  EXPECT_EQ(player.lives, 3);
  EXPECT_EQ(CountParts(), 0);
  EXPECT_EQ(player.wave_parts, 5);
}

TEST_F(Ship, ContactBoxOfAChainPartStartsTwoPixelsDown) {
  // The part's box is (x, y + 2, 8, 5): a part whose lower edge only touches
  // the ship's top pixel row misses.
  PlacePart(player.x, player.y - 7);
  StepShip();
  EXPECT_EQ(player.lives, 3);
  PlacePart(player.x, player.y - 6);
  StepShip();
  EXPECT_EQ(player.lives, 2);
}

TEST_F(Ship, PowersSetLaserAndMultiplierAndCountDown) {
  player.power[POWER_LASER2] = 2;
  player.power[POWER_SCORE5] = 900;
  player.UpdatePowers();
  EXPECT_EQ(player.bpwr, 2);
  EXPECT_EQ(player.scorex, 5);
  EXPECT_EQ(player.power[POWER_LASER2], 1);
  player.UpdatePowers();
  player.UpdatePowers();
  EXPECT_EQ(player.bpwr, 1);
  EXPECT_EQ(player.power[POWER_SCORE5], 897);
}

TEST_F(Ship, PowersFreezeAndFiringStopsDuringTheTally) {
  player.power[POWER_SHIELD] = 50;
  player.cfire = 1;
  gameState = STATE_CLEARED;
  StepShip();
  EXPECT_EQ(player.power[POWER_SHIELD], 50);
  EXPECT_FALSE(bullet.InFlight());
  gameState = STATE_PLAYING;
  StepShip();
  EXPECT_EQ(player.power[POWER_SHIELD], 49);
  EXPECT_TRUE(bullet.InFlight());
}

TEST_F(Ship, WardenLayerKillsUnlessShielded) {
  SetDataDir(SKITTERWORM_TEST_DATA_DIR);
  if (!LoadCollisionMasks()) GTEST_SKIP() << "game images not built";
  // A solid 8x8 warden footprint in the layer the ship meets.
  const std::vector<uint32_t> pixels(64, 0xffffffffu);
  const CollisionMask blob = CollisionMask::FromPixels(pixels.data(), 8, 8, false);
  auto WardenFootprintAt = [&](float x, float y) { world.wardenFootprints.Add(blob, x, y, 0); };
  WardenFootprintAt(float(player.x + 20), float(player.y));
  CollideShipWithWardens(player);
  EXPECT_EQ(player.lives, 3);  // beside the ship

  WardenFootprintAt(float(player.x + 3), float(player.y + 2));
  player.power[POWER_SHIELD] = 10;
  CollideShipWithWardens(player);
  EXPECT_EQ(player.lives, 3);
  player.power[POWER_SHIELD] = 0;
  CollideShipWithWardens(player);
  EXPECT_EQ(player.lives, 2);
  EXPECT_EQ(statsGame.player_wardendeaths, 1);
  world.wardenFootprints.Clear();
}

}  // namespace
