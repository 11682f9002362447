#include "game/spawner.h"

#include "game/enemy_fixture.h"
#include "game/saucer.h"
#include "game/snail.h"
#include "game/spider.h"
#include "game/world.h"

namespace {

using enemy_test::Battlefield;

class SpawnerTest : public Battlefield {
 protected:
  void SetUp() override {
    Battlefield::SetUp();
    world.snailTimer = world.spiderTimer = world.saucerTimer = 1000;
  }
};

TEST_F(SpawnerTest, TimersRunFasterInWardenAlert) {
  world.player.stage = 2;
  UpdateSpawner(world);
  EXPECT_EQ(world.snailTimer, 999);
  EXPECT_EQ(world.spiderTimer, 999);
  EXPECT_EQ(world.saucerTimer, 999);
  world.hurryup.state = THurryUp::STATE_WARNING;
  UpdateSpawner(world);
  EXPECT_EQ(world.snailTimer, 998);
  world.hurryup.state = THurryUp::STATE_ALERT;
  UpdateSpawner(world);
  EXPECT_EQ(world.snailTimer, 995);
  EXPECT_EQ(world.spiderTimer, 996);
  EXPECT_EQ(world.saucerTimer, 997);
}

TEST_F(SpawnerTest, EachTimerAtZeroBringsItsEnemyAndANewWaitByThreatLevel) {
  world.player.stage = 2;
  world.player.wave = 3;  // threat level 8
  world.snailTimer = world.spiderTimer = world.saucerTimer = 0;
  UpdateSpawner(world);
  EXPECT_EQ(Count<TSnail>(), 1);
  EXPECT_EQ(Count<TSpider>(), 1);
  EXPECT_EQ(Count<TSaucer>(), 1);
  EXPECT_EQ(CreatureWaitMax(8), 1136);
  EXPECT_EQ(SaucerWaitMax(2, 3), 1784);

  // The new waits stay inside their bounds over many draws.
  int32_t snail_max = 0, saucer_min = 1 << 30;
  for (int i = 0; i < 2000; ++i) {
    world.snailTimer = world.spiderTimer = world.saucerTimer = 0;
    UpdateSpawner(world);
    ASSERT_GE(world.snailTimer, 0);
    ASSERT_LE(world.snailTimer, 1136);
    ASSERT_LE(world.spiderTimer, 1136);
    ASSERT_GE(world.saucerTimer, 600);
    ASSERT_LE(world.saucerTimer, 1784);
    snail_max = std::max(snail_max, world.snailTimer);
    saucer_min = std::min(saucer_min, world.saucerTimer);
    world.lstEnemies.Clear();
  }
  EXPECT_GT(snail_max, 1100);
  EXPECT_LT(saucer_min, 620);
}

TEST_F(SpawnerTest, AtHighThreatTheBoundsSwapAndCreaturesPourIn) {
  // Stage 30 wave 1: threat 174, wait drawn between 1200 - 1392 = -192 and 0.
  world.player.stage = 30;
  world.snailTimer = world.spiderTimer = 0;
  for (int i = 0; i < 50; ++i) {
    UpdateSpawner(world);
    EXPECT_LE(world.snailTimer, 0);
    EXPECT_GE(world.snailTimer, -192);
  }
  EXPECT_EQ(Count<TSnail>(), 50);
  EXPECT_EQ(Count<TSpider>(), 50);
}

TEST_F(SpawnerTest, SendsReinforcementsOnceTheBottomIsReached) {
  UpdateSpawner(world);
  EXPECT_EQ(Count<TSkitterworm>(), 0);
  world.chainBottomReached = 1;
  world.chainReinforceTimer = 0;
  const uint8_t parts = world.player.wave_parts;
  UpdateSpawner(world);
  EXPECT_EQ(Count<TSkitterworm>(), 1);
  EXPECT_EQ(world.player.wave_parts, parts + 1);
  EXPECT_GE(world.chainReinforceTimer, 240);
}

TEST_F(SpawnerTest, StageEndSuicidesUncountTheSeenButKeepTheKills) {
  world.player.stage = 2;
  SpawnSnail(world);
  SpawnSnail(world)->Death();
  SpawnSpider(world);
  SpawnSpider(world);
  SpawnSaucer(world)->Death();
  SpawnSaucer(world);
  const int32_t score = world.player.score;
  RemoveEnemiesAtStageEnd(world);
  EXPECT_EQ(Count<TSnail>() + Count<TSpider>() + Count<TSaucer>(), 0);
  EXPECT_EQ(world.player.score, score);
  EXPECT_EQ(world.statsStage.snails_seen, 1);
  EXPECT_EQ(world.statsStage.snails_killed, 1);
  EXPECT_EQ(world.statsStage.spiders_seen, 0);
  EXPECT_EQ(world.statsStage.spiders_killed, 0);
  EXPECT_EQ(world.statsStage.saucers_seen, 1);
  EXPECT_EQ(world.statsStage.saucers_killed, 1);
  EXPECT_EQ(world.statsGame.killed_spiders, 0);
  // They leave with their bursts but without any pop-up: only the one shot saucer's.
  uint16_t points = 0;
  for (const auto& burst : Reported<game_event::SaucerBurst>(world)) points += burst.points;
  EXPECT_EQ(points, 200);
  EXPECT_EQ(Reported<game_event::SpiderSplat>(world).size(), 2u);
  for (const auto& splat : Reported<game_event::SpiderSplat>(world)) EXPECT_EQ(splat.points, 0);
}

TEST_F(SpawnerTest, ANewGameClearsEveryEnemyWithoutEffects) {
  world.player.stage = 2;
  SpawnSnail(world);
  SpawnSpider(world);
  SpawnSaucer(world);
  SpawnWarden(world)->ShootAtPlayer();
  RemoveAllEnemies(world);
  EXPECT_TRUE(world.lstEnemies.Empty());
  EXPECT_TRUE(world.lstWardenBullets.Empty());
  EXPECT_TRUE(Reported<game_event::SnailSplat>(world).empty());
  EXPECT_EQ(world.statsStage.snails_seen, 1);
}

}  // namespace
