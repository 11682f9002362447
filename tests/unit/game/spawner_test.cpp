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
    snailTimer = spiderTimer = saucerTimer = 1000;
  }
};

TEST_F(SpawnerTest, TimersRunFasterInWardenAlert) {
  player.stage = 2;
  UpdateSpawner();
  EXPECT_EQ(snailTimer, 999);
  EXPECT_EQ(spiderTimer, 999);
  EXPECT_EQ(saucerTimer, 999);
  hurryup.state = THurryUp::STATE_WARNING;
  UpdateSpawner();
  EXPECT_EQ(snailTimer, 998);
  hurryup.state = THurryUp::STATE_ALERT;
  UpdateSpawner();
  EXPECT_EQ(snailTimer, 995);
  EXPECT_EQ(spiderTimer, 996);
  EXPECT_EQ(saucerTimer, 997);
}

TEST_F(SpawnerTest, EachTimerAtZeroBringsItsEnemyAndANewWaitByThreatLevel) {
  player.stage = 2;
  player.wave = 3;  // threat level 8
  snailTimer = spiderTimer = saucerTimer = 0;
  UpdateSpawner();
  EXPECT_EQ(Count<TSnail>(), 1);
  EXPECT_EQ(Count<TSpider>(), 1);
  EXPECT_EQ(Count<TSaucer>(), 1);
  EXPECT_EQ(CreatureWaitMax(8), 1136);
  EXPECT_EQ(SaucerWaitMax(2, 3), 1784);

  // The new waits stay inside their bounds over many draws.
  int32_t snail_max = 0, saucer_min = 1 << 30;
  for (int i = 0; i < 2000; ++i) {
    snailTimer = spiderTimer = saucerTimer = 0;
    UpdateSpawner();
    ASSERT_GE(snailTimer, 0);
    ASSERT_LE(snailTimer, 1136);
    ASSERT_LE(spiderTimer, 1136);
    ASSERT_GE(saucerTimer, 600);
    ASSERT_LE(saucerTimer, 1784);
    snail_max = std::max(snail_max, snailTimer);
    saucer_min = std::min(saucer_min, saucerTimer);
    lstEnemies.Clear();
  }
  EXPECT_GT(snail_max, 1100);
  EXPECT_LT(saucer_min, 620);
}

TEST_F(SpawnerTest, AtHighThreatTheBoundsSwapAndCreaturesPourIn) {
  // Stage 30 wave 1: threat 174, wait drawn between 1200 - 1392 = -192 and 0.
  player.stage = 30;
  snailTimer = spiderTimer = 0;
  for (int i = 0; i < 50; ++i) {
    UpdateSpawner();
    EXPECT_LE(snailTimer, 0);
    EXPECT_GE(snailTimer, -192);
  }
  EXPECT_EQ(Count<TSnail>(), 50);
  EXPECT_EQ(Count<TSpider>(), 50);
}

TEST_F(SpawnerTest, SendsReinforcementsOnceTheBottomIsReached) {
  UpdateSpawner();
  EXPECT_EQ(Count<TSkitterworm>(), 0);
  chainBottomReached = 1;
  chainReinforceTimer = 0;
  const uint8_t parts = player.wave_parts;
  UpdateSpawner();
  EXPECT_EQ(Count<TSkitterworm>(), 1);
  EXPECT_EQ(player.wave_parts, parts + 1);
  EXPECT_GE(chainReinforceTimer, 240);
}

TEST_F(SpawnerTest, StageEndSuicidesUncountTheSeenButKeepTheKills) {
  player.stage = 2;
  SpawnSnail();
  SpawnSnail()->Death();
  SpawnSpider();
  SpawnSpider();
  SpawnSaucer()->Death();
  SpawnSaucer();
  const int32_t score = player.score;
  RemoveEnemiesAtStageEnd();
  EXPECT_EQ(Count<TSnail>() + Count<TSpider>() + Count<TSaucer>(), 0);
  EXPECT_EQ(player.score, score);
  EXPECT_EQ(statsStage.snails_seen, 1);
  EXPECT_EQ(statsStage.snails_killed, 1);
  EXPECT_EQ(statsStage.spiders_seen, 0);
  EXPECT_EQ(statsStage.spiders_killed, 0);
  EXPECT_EQ(statsStage.saucers_seen, 1);
  EXPECT_EQ(statsStage.saucers_killed, 1);
  EXPECT_EQ(statsGame.killed_spiders, 0);
  // They leave with their bursts but without any pop-up: only the one shot saucer's.
  uint16_t points = 0;
  for (const auto& burst : Reported<game_event::SaucerBurst>()) points += burst.points;
  EXPECT_EQ(points, 200);
  EXPECT_EQ(Reported<game_event::SpiderSplat>().size(), 2u);
  for (const auto& splat : Reported<game_event::SpiderSplat>()) EXPECT_EQ(splat.points, 0);
}

TEST_F(SpawnerTest, ANewGameClearsEveryEnemyWithoutEffects) {
  player.stage = 2;
  SpawnSnail();
  SpawnSpider();
  SpawnSaucer();
  SpawnWarden()->ShootAtPlayer();
  RemoveAllEnemies();
  EXPECT_TRUE(lstEnemies.Empty());
  EXPECT_TRUE(lstWardenBullets.Empty());
  EXPECT_TRUE(Reported<game_event::SnailSplat>().empty());
  EXPECT_EQ(statsStage.snails_seen, 1);
}

}  // namespace
