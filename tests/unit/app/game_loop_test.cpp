#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/frame_driver.h"
#include "app/live_game.h"
#include "app/splash.h"
#include "core/common.h"
#include "core/play_states.h"
#include "game/play.h"
#include "game/player.h"
#include "game/world.h"
#include "persist/highscores.h"
#include "persist/records.h"
#include "persist/temp_dir.h"
#include "platform/clock.h"
#include "show/particle.h"
#include "show/play_picture.h"
#include "show/show.h"

namespace {

using namespace game_test;

// The player's files (a screenshot of the pause, a finished game's replay) go
// to a scratch folder, never to the one the tests run from.
class GameFlow : public ::testing::Test {
 protected:
  void SetUp() override { backend_ = &ResetProgram(), SettleFilesDir(files_.path()); }
  void TearDown() override { SettleFilesDir("."); }
  HeadlessBackend* backend_ = nullptr;
  TempDir files_;
};

TEST_F(GameFlow, BannerLastsFourSecondsThenPlayStarts) {
  World& world = ShownGame();
  NewLiveGame();
  const int64_t start = timeNow;
  EXPECT_EQ(world.gameState, STATE_ENTERING);
  for (int i = 0; i < 239; ++i) GameFrame();
  EXPECT_EQ(world.gameState, STATE_ENTERING);
  EXPECT_EQ(world.player.stage, 1);
  GameFrame();
  EXPECT_EQ(world.gameState, STATE_PLAYING);
  EXPECT_EQ(world.waveFrames, 0);
  EXPECT_EQ(world.stateTimer, 0);
  // The frame timer alone paces: 60 frames a second.
  EXPECT_NEAR(double(timeNow - start), 4000.0, 20.0);
}

TEST_F(GameFlow, PausedFramesAreNoFramesOfTheGame) {
  World& world = ShownGame();
  StartPlaying();
  for (int i = 0; i < 30; ++i) GameFrame();
  const uint32_t frames = world.gameFrames;
  const int32_t wave_frames = world.waveFrames;
  Tap(vk::kP);
  GameFrame();
  ASSERT_EQ(world.gameState, STATE_PAUSED);
  for (int i = 0; i < 600; ++i) GameFrame();  // ten seconds paused
  Press(vk::kSpace);
  GameFrame();
  Release(vk::kSpace);
  EXPECT_EQ(world.gameState, STATE_PLAYING);
  // The frame that paused played; the paused ones did not, nor did the one that resumed.
  EXPECT_EQ(world.gameFrames, frames + 1);
  EXPECT_EQ(world.waveFrames, wave_frames + 1);
}

TEST_F(GameFlow, TheHeldPauseKeyNeitherResumesNorQuits) {
  World& world = ShownGame();
  StartPlaying();
  Press(vk::kEscape);
  GameFrame();
  ASSERT_EQ(world.gameState, STATE_PAUSED);
  for (int i = 0; i < 10; ++i) EXPECT_TRUE(GameFrame());
  EXPECT_EQ(world.quitGame, 0);
  Release(vk::kEscape);
  Press(vk::kF12);  // a screenshot of the pause screen
  GameFrame();
  Release(vk::kF12);
  EXPECT_EQ(world.gameState, STATE_PAUSED);
  GameFrame();
  Press(vk::kEscape);
  EXPECT_FALSE(GameFrame());  // a fresh Escape quits
  EXPECT_EQ(world.quitGame, 1);
}

TEST_F(GameFlow, PDoesNothingInGameOver) {
  World& world = ShownGame();
  StartPlaying();
  world.gameState = STATE_GAMEOVER;
  world.stateTimer = 10;
  Tap(vk::kP);
  GameFrame();
  EXPECT_EQ(world.gameState, STATE_GAMEOVER);
  Tap(vk::kEscape);
  GameFrame();
  EXPECT_EQ(world.gameState, STATE_GAMEOVER);
}

TEST_F(GameFlow, APauseDuringTheNextWaveFrameStops) {
  World& world = ShownGame();
  StartPlaying();
  world.lstEnemies.Clear();
  world.player.wave_parts = 0;
  GameFrame();
  ASSERT_EQ(world.gameState, STATE_NEXTWAVE);
  Tap(vk::kP);
  GameFrame();
  EXPECT_EQ(world.gameState, STATE_PAUSED);
  EXPECT_EQ(world.player.wave, 2);  // the next wave was laid out first
}

TEST_F(GameFlow, WaveEndWinsOverAPauseInTheSameFrame) {
  World& world = ShownGame();
  StartPlaying();
  world.lstEnemies.Clear();
  world.player.wave_parts = 0;
  Tap(vk::kP);
  GameFrame();
  EXPECT_EQ(world.gameState, STATE_NEXTWAVE);
}

TEST_F(GameFlow, SixthWaveLeadsToTheTally) {
  World& world = ShownGame();
  StartPlaying();
  world.player.wave = 6;
  world.lstEnemies.Clear();
  world.player.wave_parts = 0;
  GameFrame();
  EXPECT_EQ(world.gameState, STATE_CLEARED);
  // A pause from the tally comes back into the tally, its timer kept.
  for (int i = 0; i < 50; ++i) GameFrame();
  const int32_t timer = world.stateTimer;
  Tap(vk::kP);
  GameFrame();
  ASSERT_EQ(world.gameState, STATE_PAUSED);
  Press('R');  // the pause screen reads held keys
  GameFrame();
  Release('R');
  EXPECT_EQ(world.gameState, STATE_CLEARED);
  EXPECT_EQ(world.stateTimer, timer + 1);
}

// The window goes to the background in the next input poll.
void LoseFocus(HeadlessBackend& backend) {
  backend.QueueEvents([](InputState& input) { input.window_active = false; });
}

TEST_F(GameFlow, AWindowInTheBackgroundPausesPlayOnly) {
  World& world = ShownGame();
  const auto tally = [] {
    StartPlaying();
    ShownGame().player.wave = 6;
    ShownGame().lstEnemies.Clear();
    ShownGame().player.wave_parts = 0;
    GameFrame();
  };
  const auto game_over = [] {
    StartPlaying();
    ShownGame().gameState = STATE_GAMEOVER;
  };
  const auto banner = [] {
    NewLiveGame();
    for (int i = 0; i < 100; ++i) GameFrame();
  };
  struct Case {
    const char* name;
    void (*setup)();
    bool autopilot;
    int frames;  // after the focus was lost
    uint8_t expected;
  } cases[] = {
      {"playing", StartPlaying, false, 1, STATE_PAUSED},
      {"banner: play begins paused", banner, false, 150, STATE_PAUSED},
      {"tally", tally, false, 20, STATE_CLEARED},
      {"game over", game_over, false, 20, STATE_GAMEOVER},
      {"autopilot", StartPlaying, true, 20, STATE_PLAYING},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    backend_ = &ResetProgram();
    HidePointer();
    c.setup();
    autopilotOn = c.autopilot;
    LoseFocus(*backend_);
    for (int i = 0; i < c.frames; ++i) GameFrame();
    EXPECT_EQ(world.gameState, c.expected);
    EXPECT_TRUE(backend_->pointer_visible()) << "a window in the background never hides the pointer";
  }
}

TEST_F(GameFlow, MouseSteeringLetsThePointerGoUntilPlayResumes) {
  World& world = ShownGame();
  config.controls = CONTROLS_MOUSE;
  HidePointer();
  StartPlaying();
  LoseFocus(*backend_);
  GameFrame();
  ASSERT_EQ(world.gameState, STATE_PAUSED);
  const int warps = backend_->pointer_warps();
  backend_->QueueEvents([](InputState& input) { input.window_active = true; });
  for (int i = 0; i < 10; ++i) GameFrame();
  EXPECT_EQ(world.gameState, STATE_PAUSED) << "the player resumes, not the returning focus";
  EXPECT_TRUE(backend_->pointer_visible());
  EXPECT_EQ(backend_->pointer_warps(), warps);
  Press(vk::kSpace);
  GameFrame();
  Release(vk::kSpace);
  EXPECT_EQ(world.gameState, STATE_PLAYING);
  EXPECT_FALSE(backend_->pointer_visible());
  EXPECT_GT(backend_->pointer_warps(), warps);
}

TEST_F(GameFlow, ClosingTheWindowEndsTheProgramMidGame) {
  StartPlaying();
  Input().close_requested = true;
  EXPECT_FALSE(GameFrame());
  EXPECT_TRUE(quitProgram);
}

TEST_F(GameFlow, AWindowClosedDuringTheSplashCountsNoGame) {
  statsLife = TStatsLife{};
  SetScreenAfterSplash(TheGameScreen());
  SwitchScreen(TheSplashScreen());
  Input().close_requested = true;  // closed during the splash
  for (int frame = 0; frame < 1000 && StepFrame(); ++frame) {
  }
  EXPECT_EQ(CurrentScreen(), nullptr);
  EXPECT_EQ(statsLife.games_played, 0);
}

TEST(GameRecords, AFinishedGameIsSavedAtOnce) {
  World& world = ShownGame();
  TempDir folder;
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(folder.path());
  ResetProgram();
  statsLife = TStatsLife{};
  SwitchScreen(TheGameScreen());
  StepFrame();
  world.quitGame = 1;  // quit from the pause screen
  StepFrame();
  TStatsLife saved;
  EXPECT_TRUE(saved.Load(kStatsFile));
  EXPECT_EQ(saved.games_played, 1);
  EXPECT_TRUE(std::filesystem::exists(kHighscoreFile));
  SwitchScreen(nullptr);
  ApplyScreenSwitch();
  std::filesystem::current_path(previous);
}

TEST_F(GameFlow, AutofireKeyTogglesContinuousFireWithANotice) {
  World& world = ShownGame();
  StartPlaying();
  KillParticles();
  Tap(config.key[key_slot::kAutofire]);
  GameFrame();
  EXPECT_EQ(world.player.cfire, 1);
  bool notice = false;
  lstParticles.ForEach([&](TParticle* p) { notice |= p->t == PARTICLE_CFIRE_ON; });
  EXPECT_TRUE(notice);
  Tap(config.key[key_slot::kAutofire]);
  GameFrame();
  EXPECT_EQ(world.player.cfire, 0);
}

}  // namespace
