// How stages and waves are laid out: the rules alone, no game screen.
#include <gtest/gtest.h>

#include <vector>

#include "core/play_states.h"
#include "game/game_test_world.h"
#include "game/play.h"
#include "game/play_passes.h"
#include "game/player.h"

namespace {

using namespace game_test;

class GameFlow : public ::testing::Test {
 protected:
  void SetUp() override { ResetWorld(world); }

  World world;  // the game each test plays in
};

TEST_F(GameFlow, WavePartCountsGrowWithTheThreatLevel) {
  world.player.Init();
  SetupStage(world);
  std::vector<int> stage_one{world.player.wave_parts};
  for (int w = 2; w <= 6; ++w) {
    SetupWave(world);
    stage_one.push_back(world.player.wave_parts);
  }
  EXPECT_EQ(stage_one, (std::vector<int>{6, 6, 7, 7, 8, 8}));
  EXPECT_EQ(CountParts(world), 6 + 6 + 7 + 7 + 8 + 8);  // each wave lays out its count

  SetupStage(world);
  EXPECT_EQ(world.player.stage, 2);
  EXPECT_EQ(world.player.wave, 1);
  EXPECT_EQ(world.player.wave_parts, 9);

  world.player.stage = 3;
  world.player.wave = 5;
  SetupWave(world);
  EXPECT_EQ(world.player.wave_parts, 14);
}

TEST_F(GameFlow, StageLettersFollowTheCharacterTableAndWrap) {
  EXPECT_EQ(StageLetter(1), 'A');
  EXPECT_EQ(StageLetter(2), 'B');
  EXPECT_EQ(StageLetter(26), 'Z');
  EXPECT_EQ(StageLetter(27), '[');
  world.player.Init();
  world.player.stage = 255;
  SetupStage(world);
  EXPECT_EQ(world.player.stage, 0);
  EXPECT_EQ(StageLetter(world.player.stage), '@');
}

}  // namespace
