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
  void SetUp() override { ResetWorld(); }
};

TEST_F(GameFlow, WavePartCountsGrowWithTheThreatLevel) {
  player.Init();
  SetupStage();
  std::vector<int> stage_one{player.wave_parts};
  for (int w = 2; w <= 6; ++w) {
    SetupWave();
    stage_one.push_back(player.wave_parts);
  }
  EXPECT_EQ(stage_one, (std::vector<int>{6, 6, 7, 7, 8, 8}));
  EXPECT_EQ(CountParts(), 6 + 6 + 7 + 7 + 8 + 8);  // each wave lays out its count

  SetupStage();
  EXPECT_EQ(player.stage, 2);
  EXPECT_EQ(player.wave, 1);
  EXPECT_EQ(player.wave_parts, 9);

  player.stage = 3;
  player.wave = 5;
  SetupWave();
  EXPECT_EQ(player.wave_parts, 14);
}

TEST_F(GameFlow, StageLettersFollowTheCharacterTableAndWrap) {
  EXPECT_EQ(StageLetter(1), 'A');
  EXPECT_EQ(StageLetter(2), 'B');
  EXPECT_EQ(StageLetter(26), 'Z');
  EXPECT_EQ(StageLetter(27), '[');
  player.Init();
  player.stage = 255;
  SetupStage();
  EXPECT_EQ(player.stage, 0);
  EXPECT_EQ(StageLetter(player.stage), '@');
}

}  // namespace
