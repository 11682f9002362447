#include <gtest/gtest.h>

#include <cmath>

#include "core/common.h"
#include "core/fader.h"
#include "core/mouse.h"
#include "core/object_list.h"
#include "core/rainbow_phaser.h"
#include "core/sine_table.h"
#include "platform/headless/headless_backend.h"
#include "platform/input.h"
#include "platform/input_state.h"

namespace {

TEST(Fader, ReachesExactLimitsAndStays) {
  TFader fader;
  fader.Set(0, 1, 0, 0.05f, 0, 0);
  for (int i = 0; i < 19; ++i) fader.Update();
  EXPECT_LT(fader.value, 1.0f);
  fader.Update();
  fader.Update();
  EXPECT_EQ(fader.value, 1.0f);
  fader.Update();
  EXPECT_EQ(fader.value, 1.0f);
  fader.SetChange(-0.05f);
  for (int i = 0; i < 25; ++i) fader.Update();
  EXPECT_EQ(fader.value, 0.0f);
}

TEST(Fader, CyclingBouncesBetweenTheLimits) {
  TFader fader;
  fader.Set(0, 1, 0.9f, 0.2f, 1, 0);
  fader.Update();
  EXPECT_LT(fader.change, 0.0f);
}

// The six edges of the colour walk: one channel 255, one 0, the third anywhere.
bool OnEdge(const TRainbowPhaser& c) {
  const int full = (c.r == 255) + (c.g == 255) + (c.b == 255);
  const int empty = (c.r == 0) + (c.g == 0) + (c.b == 0);
  return full >= 1 && empty >= 1;
}

TEST(Rainbow, NeverLeavesItsPathAndGoesRoundInLaps) {
  for (uint8_t speed : {uint8_t(5), uint8_t(15)}) {
    TRainbowPhaser rainbow;
    rainbow.speed = speed;
    rainbow.Update(1);
    const uint8_t r = rainbow.r, g = rainbow.g, b = rainbow.b;
    // Six edges of 255 / speed steps; a rule that lands on a corner lets the
    // next edge's rule run in the same repetition, so a lap is a little shorter.
    const int edge = 255 / speed;
    int lap = 0;
    for (int i = 1; i <= 6 * edge && lap == 0; ++i) {
      rainbow.Update(1);
      ASSERT_TRUE(OnEdge(rainbow)) << "speed " << int(speed) << " step " << i;
      if (rainbow.r == r && rainbow.g == g && rainbow.b == b) lap = i;
    }
    EXPECT_GT(lap, 5 * edge) << "speed " << int(speed);
  }
}

TEST(Rainbow, FirstStepsHeadTowardsMagenta) {
  TRainbowPhaser rainbow;
  rainbow.Update(3);
  EXPECT_EQ(rainbow.b, 15);
  EXPECT_EQ(rainbow.r, 255);
}

TEST(Sine, PhaseWrapsEveryTwelveDozenFrames) {
  TSine sine;
  const float start = sine.GetVal(-1);
  sine.Update();
  EXPECT_NE(sine.GetVal(-1), start);
  for (int i = 1; i < 72; ++i) sine.Update();
  EXPECT_EQ(sine.ang, 0);
  EXPECT_EQ(sine.GetVal(-1), start);
  EXPECT_NEAR(sine.GetVal(90), 1.0f, 1e-6f);
  TCosine cosine;
  EXPECT_NEAR(cosine.GetVal(180), -1.0f, 1e-6f);
}

TEST(Mouse, HeldButtonClicksOnlyOnItsFirstFrame) {
  UseHeadlessBackend();
  TMouse mouse;
  Input().PressMouse(1);
  mouse.Update();
  EXPECT_EQ(mouse.clicked[0], 1);
  EXPECT_EQ(mouse.anydown, 1);
  EXPECT_EQ(mouse.over, -1);
  mouse.over = 4;
  mouse.Update();
  EXPECT_EQ(mouse.clicked[0], 0);
  EXPECT_EQ(mouse.m1, 2);
  EXPECT_EQ(mouse.over, -1);
  Input().ReleaseMouse(1);
  mouse.Update();
  EXPECT_EQ(mouse.m1, 0);
  EXPECT_EQ(mouse.anydown, 0);
  Input().PressMouse(1);
  mouse.Update();
  EXPECT_EQ(mouse.clicked[0], 1);
}

TEST(Mouse, AClickOrKeyStrokeWithinOnePollIsHeldForOneFrame) {
  HeadlessBackend& backend = UseHeadlessBackend();
  TMouse mouse;
  backend.QueueEvents([](InputState& input) {
    input.PressMouse(1);
    input.ReleaseMouse(1);
    input.PressKey('A');
    input.ReleaseKey('A');
  });
  const bool clicked[] = {true, false};
  for (bool expected : clicked) {
    PollSystem();
    mouse.Update();
    EXPECT_EQ(mouse.clicked[0], expected);
    EXPECT_EQ(KeyDown('A'), expected);
    EXPECT_EQ(KeyHit('A'), expected ? 1 : 0);
  }
}

TEST(Mouse, WheelDirection) {
  UseHeadlessBackend();
  TMouse mouse;
  Input().mouse_z = 2;
  mouse.Update();
  EXPECT_EQ(mouse.wup, 1);
  Input().mouse_z = 1;
  mouse.Update();
  EXPECT_EQ(mouse.wdn, 1);
  EXPECT_EQ(mouse.wup, 0);
}

struct Thing : Listed {
  explicit Thing(int v, int* deaths = nullptr) : value(v), deaths(deaths) {}
  ~Thing() override {
    if (deaths) ++*deaths;
  }
  int value;
  int* deaths;
};

TEST(ObjectList, WalkToleratesRemovalAndSeesAppendedObjects) {
  int deaths = 0;
  ObjectList<Thing> list;
  for (int i = 0; i < 5; ++i) list.Add(new Thing(i, &deaths));
  std::vector<int> seen;
  list.ForEach([&](Thing* t) {
    seen.push_back(t->value);
    if (t->value == 1) list.Remove(t);  // the current one
    if (t->value == 2) {
      list.ForEach([&](Thing* other) {  // a nested walk removes a later one
        if (other->value == 4) list.Remove(other);
      });
      list.Add(new Thing(9, &deaths));  // appended during the walk
    }
    EXPECT_EQ(deaths, 0);  // nothing is freed while a walk runs
  });
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, 9}));
  EXPECT_EQ(deaths, 2);
  EXPECT_EQ(list.Count(), 4u);
  list.Clear();
  EXPECT_EQ(deaths, 6);
  EXPECT_TRUE(list.Empty());
}

TEST(ObjectList, PoolReusesStorage) {
  static Pool<Thing> pool(4);
  ObjectList<Thing> list([](Thing* t) { pool.Release(t); });
  for (int round = 0; round < 100; ++round) {
    for (int i = 0; i < 4; ++i) list.Add(pool.Create(i));
    list.ForEach([&](Thing* t) { list.Remove(t); });
  }
  EXPECT_EQ(pool.capacity(), 4u);
  EXPECT_EQ(pool.in_use(), 0u);
}

}  // namespace
