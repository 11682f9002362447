#include "app/frame_driver.h"

#include <gtest/gtest.h>

#include <string>

#include "app/live_game.h"
#include "app/save_notice.h"
#include "app/splash.h"
#include "persist/records.h"
#include "platform/recording_backend.h"
#include "platform/stream.h"

namespace {

using namespace game_test;

// A screen that writes what happens to it into a shared log.
struct LoggingScreen : Screen {
  LoggingScreen(std::string name, std::string& log) : name(std::move(name)), log(log) {}
  void Enter() override { log += name + "+ "; }
  void Step() override {
    log += name + " ";
    if (next_on_step) SwitchScreen(next);
  }
  void Leave() override { log += name + "- "; }
  std::string name;
  std::string& log;
  bool next_on_step = false;
  Screen* next = nullptr;
};

TEST(FrameDriver, SwitchesHappenBetweenFramesAndNoScreenEndsTheProgram) {
  ResetProgram();
  std::string log;
  LoggingScreen a("a", log), b("b", log);
  SwitchScreen(&a);
  EXPECT_TRUE(StepFrame());
  a.next_on_step = true;
  a.next = &b;
  EXPECT_TRUE(StepFrame());  // a asks for b: a's frame ends first
  EXPECT_TRUE(StepFrame());
  b.next_on_step = true;
  EXPECT_FALSE(StepFrame());  // b asks for no screen at all
  EXPECT_EQ(log, "a+ a a a- b+ b b b- ");
  EXPECT_EQ(CurrentScreen(), nullptr);
}

// A save that fails is named on screen, with its folder, for a few seconds.
TEST(FrameDriver, AFailedSaveIsShownOnScreen) {
  ResetProgram(1, true);
  RecordingBackend& backend = UseRecordingBackend();
  std::string log;
  LoggingScreen a("a", log);
  SwitchScreen(&a);
  EXPECT_FALSE(highscores.Save("/nonexistent-folder/skitterworm.hi"));
  EXPECT_TRUE(StepFrame());
  EXPECT_FALSE(backend.batches.empty()) << "the screen itself draws nothing";
  EXPECT_EQ(SaveNoticeText(), "Could not save the highscores in /nonexistent-folder");
  backend.AdvanceMillis(9000);
  backend.Forget();
  EXPECT_TRUE(StepFrame());
  EXPECT_TRUE(backend.batches.empty());
  SwitchScreen(nullptr);
  StepFrame();
  ClearFailedSaves();  // the next test starts with none on record
}

TEST(FrameDriver, TheCloseRequestGoesToTheScreenNotItsStep) {
  ResetProgram();
  std::string log;
  LoggingScreen a("a", log);
  SwitchScreen(&a);
  StepFrame();
  Input().close_requested = true;
  EXPECT_FALSE(StepFrame());
  EXPECT_EQ(log, "a+ a a- ");
}

TEST(FrameDriver, UnpacedFramesDoNotWaitForTheClock) {
  ResetProgram();
  NewLiveGame();
  for (bool unpaced : {false, true}) {
    SetUnpaced(unpaced);
    const int32_t before = MilliSecs();
    for (int i = 0; i < 60; ++i) GameFrame();
    EXPECT_EQ(MilliSecs() - before >= 990, !unpaced) << "unpaced " << unpaced;
  }
  SetUnpaced(false);
}

// Play keeps the clock's 60 steps a second whatever the display: a flip that
// waits for the display's next refresh (vsync) delays only the picture, which
// shows the latest step at the display's own pace.
TEST(FrameDriver, ScreensStepSixtyTimesASecondOnEveryDisplay) {
  for (int hertz : {0, 50, 60, 75, 144}) {  // 0: vsync off
    HeadlessBackend& backend = ResetProgram();
    backend.SetRefreshHertz(hertz);
    struct : Screen {
      int steps = 0;
      void Step() override { ++steps; }
    } counted;
    SwitchScreen(&counted);
    StepFrame();  // starts the timer's schedule
    const int32_t start = MilliSecs();
    const int steps_before = counted.steps, pictures_before = backend.presents();
    while (MilliSecs() - start < 10'000) StepFrame();
    EXPECT_NEAR(counted.steps - steps_before, 600, 1) << hertz << " Hz";
    EXPECT_LE(backend.presents() - pictures_before, hertz ? hertz * 10 + 1 : 601) << hertz << " Hz";
    SwitchScreen(nullptr);
    ApplyScreenSwitch();
  }
}

TEST(Splash, AKeyFadesEachCardOutThenTheNextScreenStarts) {
  for (bool close : {false, true}) {
    ResetProgram();
    std::string log;
    LoggingScreen after("after", log);
    SetScreenAfterSplash(&after);
    SwitchScreen(TheSplashScreen());
    int frames = 0;
    bool running = true;
    for (; running && log.empty() && frames < 200; ++frames) {
      if (frames == 10) close ? void(Input().close_requested = true) : Input().TypeChar('x');
      if (frames == 60 && !close) Input().TypeChar('x');
      running = StepFrame();
    }
    // Fade in for 10 frames, out for 10; the second card fades in and out.
    EXPECT_LT(frames, 100) << "close " << close;
    EXPECT_EQ(running, !close);
    EXPECT_EQ(log, close ? "" : "after+ ");
    SwitchScreen(nullptr);
    ApplyScreenSwitch();
  }
}

}  // namespace
