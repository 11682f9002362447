#include "frontend/star.h"

#include <gtest/gtest.h>

#include "frontend/frontend.h"
#include "frontend/star.h"
#include "platform/headless/headless_backend.h"
#include "platform/random.h"

namespace {

TEST(Stars, ANewGameFieldHasItsCountAndKeepsItAsStarsFall) {
  UseHeadlessBackend();
  KillStars();
  CreateGameStars(150);
  EXPECT_EQ(lstStars.Count(), 150u);
  lstStars.ForEach([](TStar* star) {
    EXPECT_GE(star->vel, 0.3f);
    EXPECT_LT(star->vel, 1.0f);
    EXPECT_LE(star->y, 240.0f);
  });
  for (int frame = 0; frame < 2000; ++frame) UpdateStars();
  EXPECT_EQ(lstStars.Count(), 150u);
  lstStars.ForEach([](TStar* star) { EXPECT_LE(star->y, star->ylim); });
  KillStars();
  EXPECT_TRUE(lstStars.Empty());
}

TEST(Stars, AStarPastTheBottomStartsAgainAtTheTop) {
  UseHeadlessBackend();
  KillStars();
  TStar::Create(100, 225.5f, 1.0f);
  UpdateStars();
  ASSERT_EQ(lstStars.Count(), 1u);
  lstStars.ForEach([](TStar* star) {
    EXPECT_EQ(star->y, star->vel);  // its first step is taken at once
    EXPECT_GE(star->x, 0.0f);
    EXPECT_LE(star->x, 320.0f);
  });
  KillStars();
}

}  // namespace
