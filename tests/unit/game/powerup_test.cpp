#include "game/powerup.h"

#include <gtest/gtest.h>

#include "core/play_states.h"
#include "game/enemy_fixture.h"
#include "game/play.h"
#include "game/play_passes.h"
#include "game/saucer.h"
#include "game/ship.h"
#include "game/world.h"
#include "persist/records.h"

namespace {

using enemy_test::Battlefield;
using enemy_test::ExpectShare;

class Powerups : public Battlefield {
 protected:
  void SetUp() override {
    Battlefield::SetUp();
    world.gameState = STATE_PLAYING;
  }
  void TearDown() override {
    world.lstPowerups.Clear();
    Battlefield::TearDown();
  }
  // A powerup of a chosen kind, collected on the spot.
  void Collect(uint8_t kind) {
    auto* powerup = new TPowerup(world);
    powerup->t = kind;
    powerup->Collect();
  }
};

TEST_F(Powerups, RollTableGivesTheStatedShares) {
  // Per mille of each kind, in kind order.
  const double expected[kPowerupKinds] = {120, 60, 20, 100, 120, 60, 20, 20, 150, 75, 90, 75, 60, 30};
  constexpr int kDraws = 100000;
  int seen[kPowerupKinds] = {};
  world.random.Seed(99);
  for (int i = 0; i < kDraws; ++i) {
    const uint8_t kind = RollPowerupKind(world);
    ASSERT_LT(kind, kPowerupKinds);
    ++seen[kind];
  }
  for (int kind = 0; kind < kPowerupKinds; ++kind) {
    SCOPED_TRACE(kind);
    ExpectShare(seen[kind], kDraws, expected[kind] / 1000.0);
  }
}

TEST_F(Powerups, ShotSaucersDropThemAtTheChanceOfTheirRow) {
  world.player.stage = 2;
  constexpr int kSaucers = 4000;
  for (const auto& [row, chance] : {std::pair{0, 0.72}, std::pair{17, 0.21}}) {
    world.lstPowerups.Clear();
    for (int i = 0; i < kSaucers; ++i) {
      TSaucer* saucer = TSaucer::New(world);
      saucer->row = uint16_t(row);
      saucer->y = uint16_t(CellY(row));
      saucer->x = 100.7f;
      saucer->Death();
    }
    SCOPED_TRACE(row);
    ExpectShare(int(world.lstPowerups.Count()), kSaucers, chance);
    // Each lies where its saucer was, the position truncated.
    const float y = float(CellY(row));
    world.lstPowerups.ForEach([&](TPowerup* p) {
      EXPECT_EQ(p->x, 100);
      EXPECT_EQ(p->y, y);
    });
  }
}

TEST_F(Powerups, ALaserLevelReplacesAnyOtherEvenAHigherOne) {
  world.player.power[POWER_LASER4] = 500;
  Collect(POWERUP_LASER2);
  EXPECT_EQ(world.player.power[POWER_LASER2], kPowerupTicks);
  EXPECT_EQ(world.player.power[POWER_LASER3], 0);
  EXPECT_EQ(world.player.power[POWER_LASER4], 0);
  world.player.UpdatePowers();
  EXPECT_EQ(world.player.bpwr, 2);

  // The same goes for the multipliers, and a power collected again restarts
  // at 900 rather than adding up.
  world.player.power[POWER_SCORE5] = 300;
  world.player.power[POWER_SCORE3] = 100;
  Collect(POWERUP_SCORE3);
  EXPECT_EQ(world.player.power[POWER_SCORE2], 0);
  EXPECT_EQ(world.player.power[POWER_SCORE3], kPowerupTicks);
  EXPECT_EQ(world.player.power[POWER_SCORE5], 0);
  world.player.power[POWER_SHIELD] = 850;
  Collect(POWERUP_SHIELD);
  EXPECT_EQ(world.player.power[POWER_SHIELD], kPowerupTicks);
  EXPECT_EQ(world.statsGame.powerups[STAT_LASER], 1);
  EXPECT_EQ(world.statsGame.powerups[STAT_MULTIPLIER], 1);
  EXPECT_EQ(world.statsGame.powerups[STAT_SHIELD], 1);
}

TEST_F(Powerups, AnItemWithEverySlotFullIsLostButCounted) {
  Collect(POWERUP_RAILBLAST);
  Collect(POWERUP_SMARTBOMB);
  Collect(POWERUP_SCATTERMINES);
  Collect(POWERUP_MISSILES);
  EXPECT_EQ(world.player.item[0], ITEM_RAILBLAST);
  EXPECT_EQ(world.player.item[1], ITEM_SMARTBOMB);
  EXPECT_EQ(world.player.item[2], ITEM_SCATTERMINES);
  EXPECT_EQ(world.statsGame.powerups[STAT_MISSILES], 1);
  EXPECT_EQ(world.statsGame.powerups[STAT_RAILBLAST], 1);
  EXPECT_EQ(world.lstPowerups.Count(), 0u);
}

TEST_F(Powerups, RadarIsAFlagAndLivesAndCountersAreBytes) {
  Collect(POWERUP_RADAR);
  Collect(POWERUP_RADAR);
  EXPECT_EQ(world.player.power[POWER_RADAR], 1);
  EXPECT_EQ(world.statsGame.powerups[STAT_RADAR], 2);

  world.player.lives = 255;
  world.statsGame.powerups[STAT_EXTRALIFE] = 255;
  Collect(POWERUP_EXTRALIFE);
  EXPECT_EQ(world.player.lives, 0);
  EXPECT_EQ(world.statsGame.powerups[STAT_EXTRALIFE], 0);

  Collect(POWERUP_FREEMOVE);
  EXPECT_EQ(world.player.power[POWER_FREEMOVE], kPowerupTicks);
  EXPECT_EQ(world.player.MinY(), kShipMinYFree);
}

TEST_F(Powerups, FallsOffScreenAndOnUntilPastY320) {
  TPowerup* powerup = TPowerup::Create(world, 100, 300);
  for (int tick = 1; tick <= 40; ++tick) UpdatePowerups(world);
  // At 320 exactly it is still there, turned by 40 ticks of 5 degrees.
  ASSERT_EQ(world.lstPowerups.Count(), 1u);
  EXPECT_EQ(powerup->y, 320.0f);
  EXPECT_EQ(powerup->r, 200);
  UpdatePowerups(world);
  EXPECT_EQ(world.lstPowerups.Count(), 0u);
}

TEST_F(Powerups, TheShipPicksThemUpAliveOrRespawningButNotDead) {
  TPowerup* touching = TPowerup::Create(world, uint16_t(world.player.x + 6), uint16_t(world.player.y - 7));
  touching->t = POWERUP_SHIELD;
  TPowerup* edge =
      TPowerup::Create(world, uint16_t(world.player.x + 7), uint16_t(world.player.y));  // edges meet: no overlap
  edge->t = POWERUP_SHIELD;
  world.player.state = SHIP_DEAD;
  StepShip(world);
  EXPECT_EQ(world.lstPowerups.Count(), 2u);
  world.player.state = SHIP_RESPAWNING;
  StepShip(world);
  EXPECT_EQ(world.lstPowerups.Count(), 1u);
  EXPECT_GT(world.player.power[POWER_SHIELD], 0);
  EXPECT_EQ(world.statsGame.powerups[STAT_SHIELD], 1);
}

TEST_F(Powerups, ANewStageSweepsThemAway) {
  TPowerup::Create(world, 100, 100);
  TPowerup::Create(world, 200, 150);
  world.player.stage = 0;
  SetupStage(world);
  EXPECT_EQ(world.lstPowerups.Count(), 0u);
  EXPECT_EQ(world.player.stage, 1);
}

}  // namespace
