#include "player/statistics.h"

#include <gtest/gtest.h>

namespace {

TEST(Statistics, ResetClearsEveryCounter) {
  TStatsStage stage;
  stage.snails_seen = 3;
  stage.mushrooms = 65535;
  stage.mushrooms += 1;  // 16-bit: wraps
  EXPECT_EQ(stage.mushrooms, 0);
  stage.saucers_killed = 9;
  stage.Reset();
  EXPECT_EQ(stage.snails_seen, 0);
  EXPECT_EQ(stage.saucers_killed, 0);

  TStatsGame game;
  game.killed_worms = 12;
  game.fastest_worm = 99.5f;
  game.powerups[9] = 4;
  game.player_wardendeaths = 2;
  game.Reset();
  EXPECT_EQ(game.killed_worms, 0);
  EXPECT_EQ(game.fastest_worm, 0.0f);
  EXPECT_EQ(game.powerups[9], 0);
  EXPECT_EQ(game.player_wardendeaths, 0);
}

TEST(Statistics, AGameJoinsTheLifetimeTotals) {
  TStatsLife life;
  life.fastest_worm = 80.0f;
  TStatsGame game;
  game.player_wormdeaths = 255;
  game.player_wormdeaths += 1;  // a 256th death in one game wraps before it is added
  game.player_spiderdeaths = 3;
  game.killed_worms = 40;
  game.killed_saucers = 2;
  game.bullets_fired = 100;
  game.bullets_hit = 30;
  game.fastest_worm = 70.0f;
  game.powerups[0] = 200;
  game.AddToLifetime(life);
  game.fastest_worm = 90.0f;
  game.AddToLifetime(life);
  EXPECT_EQ(life.games_played, 2);
  EXPECT_EQ(life.player_wormdeaths, 0);
  EXPECT_EQ(life.player_spiderdeaths, 6);
  EXPECT_EQ(life.killed_worms, 80);
  EXPECT_EQ(life.bullets_hit, 60);
  EXPECT_EQ(life.powerups[0], 400);  // bytes widen in the totals
  EXPECT_EQ(life.fastest_worm, 90.0f);
  EXPECT_EQ(life.TotalKills(), 84);
  EXPECT_EQ(life.TotalDeaths(), 6);
  EXPECT_EQ(life.TotalPowerups(), 400);
}

TEST(Statistics, DerivedFiguresOfAFreshAndAPlayedRecord) {
  TStatsLife life;
  EXPECT_EQ(life.KillRatio(), 0.0f);
  EXPECT_EQ(life.Accuracy(), 100.0f);
  life.killed_worms = 6;
  life.killed_spiders = 4;
  life.killed_shrooms = 100;  // mushrooms are not kills
  life.killed_pshrooms = 7;
  EXPECT_EQ(life.TotalShrooms(), 107);
  EXPECT_EQ(life.KillRatio(), 10.0f);
  life.player_snaildeaths = 1;
  life.player_wardendeaths = 3;
  EXPECT_EQ(life.KillRatio(), 2.5f);
  life.bullets_fired = 4;
  life.bullets_hit = 6;  // one shot can hit several things
  EXPECT_EQ(life.Accuracy(), 150.0f);
}

}  // namespace
