// How stages and waves are laid out and one play state leads to the next:
// the rules alone, a game value stepped with no game screen.
#include <gtest/gtest.h>

#include <vector>

#include "core/play_states.h"
#include "game/game_test_world.h"
#include "game/play.h"
#include "game/play_passes.h"
#include "game/player.h"
#include "game/warden.h"
#include "game/world.h"
#include "show/play_picture.h"

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

// A game at the start of play, stage A wave 1.
void Playing(World& world) {
  NewGame(world, {1234, CONTROLS_KEYBOARD});
  while (world.gameState == STATE_ENTERING) StepGame(world, {});
}

void Step(World& world, int frames, FrameInput input = {}) {
  for (int i = 0; i < frames; ++i) StepGame(world, input);
}

TEST_F(GameFlow, EachPlayStateLeadsToTheNext) {
  struct Case {
    const char* name;
    void (*set)(World&);
    int frames;
    uint8_t state, wave;
  };
  const Case cases[] = {
      {"a wave's end: the next wave, a frame later", [](World& w) { w.player.wave_parts = 0; }, 2, STATE_PLAYING, 2},
      {"the sixth wave's end: the tally", [](World& w) { w.player.wave = 6, w.player.wave_parts = 0; }, 1,
       STATE_CLEARED, 6},
      {"the last life lost: game over", [](World& w) { w.player.lives = 1, w.player.LoseLife(); }, 120, STATE_GAMEOVER,
       1},
      {"game over wins over a wave's end in the same frame",
       [](World& w) {
         w.player.lives = 0, w.player.state = SHIP_DEAD, w.player.death_timer = 119, w.player.wave_parts = 0;
       },
       1, STATE_GAMEOVER, 1},
      {"the game-over banner ends the game, even with a life won in it",
       [](World& w) { w.player.lives = 0, w.gameState = STATE_GAMEOVER, w.player.score = 4999, w.player.AddScore(1); },
       300, STATE_ENDED, 1},
  };
  for (const Case& c : cases) {
    Playing(world);
    world.lstEnemies.Clear();
    world.stateTimer = 0;
    c.set(world);
    Step(world, c.frames);
    EXPECT_EQ(world.gameState, c.state) << c.name;
    EXPECT_EQ(world.player.wave, c.wave) << c.name;
  }
}

// A tally from its first frame.
void Tally(World& world, uint8_t stage) {
  world.player.Init();
  world.player.stage = stage, world.player.wave = 6, world.player.wave_parts = 0;
  world.gameState = STATE_CLEARED;
  world.stateTimer = 0;
}

TEST_F(GameFlow, TheTallyMultipliesTheMushroomsByTheShareOfCreaturesKilled) {
  struct Case {
    uint8_t stage;
    uint16_t seen, killed;
    float multiplier;
    int bonus_at;  // the frame the bonus reaches the score: a line later from stage B on, for the saucers'
    int32_t bonus;
  };
  const Case cases[] = {
      {2, 5, 0, 1.0f, 220, 25}, {2, 5, 5, 3.0f, 220, 75}, {1, 4, 1, 1.5f, 180, 37}, {7, 4, 1, 1.5f, 220, 37}};
  for (const Case& c : cases) {
    Tally(world, c.stage);
    world.statsStage.mushrooms = 25;
    world.statsStage.snails_seen = c.seen, world.statsStage.snails_killed = c.killed;
    Step(world, c.bonus_at - 1);
    EXPECT_EQ(world.player.score, 0);
    Step(world, 1);
    EXPECT_FLOAT_EQ(world.mushroomMultiplier, c.multiplier);
    EXPECT_EQ(world.player.score, c.bonus);
  }
  EXPECT_STREQ(MultiplierText(3.0f), "x3.00");
  EXPECT_STREQ(MultiplierText(1.0f + 2.0f / 3.0f), "x1.66");  // shown cut, not rounded
}

// Whatever the control method, fire held past the tally's end neither skips
// the next stage's banner nor shoots in it: it counts once let go.
TEST_F(GameFlow, FireHeldPastTheTallyCountsOnlyOnceLetGo) {
  const FrameInput held{uint8_t(kInputFire | kInputContinue), 0, 0};
  Tally(world, 1);
  Step(world, 310, held);
  EXPECT_EQ(world.gameState, STATE_CLEARED);
  Step(world, 1);
  Step(world, 1, held);
  EXPECT_EQ(world.gameState, STATE_ENTERING);
  Step(world, 300, held);
  EXPECT_EQ(world.gameState, STATE_PLAYING);
  EXPECT_EQ(world.statsGame.bullets_fired, 0u);
  Step(world, 1);
  Step(world, 1, held);
  EXPECT_EQ(world.statsGame.bullets_fired, 1u);
}

TEST_F(GameFlow, NothingLeftAtTheTallyCostsALife) {
  ResetWorld(world, 1234, true);  // the warden hits by its picture's mask
  Tally(world, 2);
  world.player.lives = 1;
  for (int i = 0; i < 3; ++i) {
    TWarden* warden = SpawnWarden(world);
    warden->x = float(world.player.x), warden->y = float(world.player.y);
    TWardenBullet* shot = TWardenBullet::New(world);
    shot->x = float(world.player.x + 3), shot->y = float(world.player.y);
    PlacePart(world, world.player.x, world.player.y);
  }
  Step(world, 300);
  EXPECT_EQ(world.player.lives, 1);
  EXPECT_EQ(world.gameState, STATE_CLEARED);
  EXPECT_EQ(world.player.score, 0) << "what the tally removes scores nothing";
}

}  // namespace
