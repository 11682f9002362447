#include "persist/statistics.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

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
  life.Add(game);
  game.fastest_worm = 90.0f;
  life.Add(game);
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

namespace {

namespace fs = std::filesystem;

class StatisticsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("skitterworm-stats-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    path = (dir / "skitterworm.stats").string();
  }
  void TearDown() override { fs::remove_all(dir); }

  std::string ReadAll() const {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }

  fs::path dir;
  std::string path;
};

TEST_F(StatisticsFile, SavesTheDocumentedLayoutAndReadsItBack) {
  TStatsLife life;
  life.games_played = 7;
  life.player_wardendeaths = 2;
  life.bullets_hit = 0x01020304;
  life.fastest_worm = 123.5f;
  life.powerups[9] = -1;
  ASSERT_TRUE(life.Save(path));

  const std::string bytes = ReadAll();
  ASSERT_EQ(bytes.size(), 107u);
  EXPECT_EQ(bytes.substr(0, 7), "1.2.0\r\n");
  EXPECT_EQ(bytes.substr(7, 4), std::string("\x07\0\0\0", 4));   // games_played first
  EXPECT_EQ(bytes.substr(27, 4), std::string("\x02\0\0\0", 4));  // the fifth death counter
  EXPECT_EQ(bytes.substr(59, 4), "\x04\x03\x02\x01");            // bullets_hit, little-endian
  EXPECT_EQ(bytes.substr(103, 4), "\xFF\xFF\xFF\xFF");           // the last powerup count

  TStatsLife back;
  ASSERT_TRUE(back.Load(path));
  EXPECT_EQ(back.games_played, 7);
  EXPECT_EQ(back.player_wardendeaths, 2);
  EXPECT_EQ(back.bullets_hit, 0x01020304);
  EXPECT_EQ(back.fastest_worm, 123.5f);
  EXPECT_EQ(back.powerups[9], -1);
}

TEST_F(StatisticsFile, AnotherVersionIsIgnoredAndReplacedAtTheNextSave) {
  std::ofstream(path, std::ios::binary) << "1.1.0\r\n" << std::string(100, '\x05');
  TStatsLife life;
  life.games_played = 3;
  EXPECT_FALSE(life.Load(path));
  EXPECT_EQ(life.games_played, 3);
  EXPECT_EQ(life.killed_worms, 0);
  ASSERT_TRUE(life.Save(path));
  EXPECT_EQ(ReadAll().substr(0, 7), "1.2.0\r\n");
}

TEST_F(StatisticsFile, AFileCutShortKeepsWhatWasReadAndZeroForTheRest) {
  TStatsLife full;
  full.games_played = 5;
  full.player_wormdeaths = 6;
  full.killed_worms = 40;
  full.powerups[0] = 9;
  ASSERT_TRUE(full.Save(path));
  fs::resize_file(path, 7 + 4 * 2 + 2);  // two whole counters and half of the third

  TStatsLife life;
  life.killed_worms = 99;
  life.powerups[0] = 99;
  EXPECT_TRUE(life.Load(path));
  EXPECT_EQ(life.games_played, 5);
  EXPECT_EQ(life.player_wormdeaths, 6);
  EXPECT_EQ(life.player_spiderdeaths, 0);
  EXPECT_EQ(life.killed_worms, 0);
  EXPECT_EQ(life.powerups[0], 0);
}

TEST_F(StatisticsFile, TotalsSaturateAndASpeedThatIsNoNumberReadsZero) {
  TStatsLife life;
  life.killed_worms = INT32_MAX - 5;
  life.killed_spiders = INT32_MAX;
  life.powerups[0] = INT32_MAX;
  life.powerups[1] = 1;
  TStatsGame game;
  game.killed_worms = 10;
  game.powerups[0] = 3;
  life.Add(game);
  EXPECT_EQ(life.killed_worms, INT32_MAX);
  EXPECT_EQ(life.powerups[0], INT32_MAX);
  EXPECT_EQ(life.TotalKills(), INT32_MAX);
  EXPECT_EQ(life.TotalPowerups(), INT32_MAX);

  for (float speed : {NAN, INFINITY, -INFINITY}) {
    life.fastest_worm = speed;
    ASSERT_TRUE(life.Save(path));
    TStatsLife read;
    ASSERT_TRUE(read.Load(path));
    EXPECT_EQ(read.fastest_worm, 0.0f) << speed;
  }
}

TEST_F(StatisticsFile, AMissingFileChangesNothing) {
  TStatsLife life;
  life.games_played = 2;
  EXPECT_FALSE(life.Load((dir / "none.stats").string()));
  EXPECT_EQ(life.games_played, 2);
}

}  // namespace
