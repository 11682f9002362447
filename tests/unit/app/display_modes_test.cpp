#include "app/display_modes.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/common.h"
#include "core/menu_screens.h"
#include "persist/config.h"
#include "persist/records.h"
#include "platform/graphics.h"
#include "platform/headless/headless_backend.h"
#include "platform/image.h"

namespace {

// Each case starts from the default settings on a machine whose full-screen
// modes it names, with no display open.
class DisplayModes : public ::testing::Test {
 protected:
  HeadlessBackend& Machine(std::initializer_list<std::pair<int, int>> modes) {
    HeadlessBackend& backend = UseHeadlessBackend();
    for (auto [size, depth] : modes) backend.AddMode(320 * size, 240 * size, depth);
    config = TConfig{};
    config.GetAllowedVideo();
    config.SetDefaults();
    menuScreen = MENU_MAIN;
    SetDisplayOverride({});
    RestoreOverriddenDisplay();
    return backend;
  }

  static void ExpectDisplay(const HeadlessBackend& backend, int width, int height, int depth, int scale) {
    EXPECT_TRUE(backend.DisplayOpen());
    EXPECT_EQ(backend.width(), width);
    EXPECT_EQ(backend.height(), height);
    EXPECT_EQ(backend.depth(), depth);
    EXPECT_EQ(DrawScale(), scale);
    float sx, sy;
    GetScale(sx, sy);
    EXPECT_EQ(sx, 1.0f);
    EXPECT_EQ(sy, 1.0f);
    EXPECT_EQ(GetBlend(), Blend::kLight);
  }
};

TEST_F(DisplayModes, WindowOfScaleThreeIs960x720) {
  HeadlessBackend& backend = Machine({});
  config.vres = 1;  // a window ignores the full-screen resolution
  config.vscale = 3;
  SetScale(1, 1);
  SetBlend(Blend::kAlpha);
  ASSERT_TRUE(OpenDisplay());
  ExpectDisplay(backend, 960, 720, 0, 3);
}

TEST_F(DisplayModes, F5CyclesTheWindowScaleAndWrapsFromFourToOne) {
  HeadlessBackend& backend = Machine({});
  config.vscale = 4;
  ASSERT_TRUE(OpenDisplay());
  ExpectDisplay(backend, 1280, 960, 0, 4);
  NextWindowScale();
  ExpectDisplay(backend, 320, 240, 0, 1);
  EXPECT_EQ(config.vscale, 1);
  NextWindowScale();
  ExpectDisplay(backend, 640, 480, 0, 2);
}

TEST_F(DisplayModes, F5InFullScreenDoesNothing) {
  HeadlessBackend& backend = Machine({{2, 32}});
  config.vmode = 3;
  config.vres = 2;
  config.vscale = 4;
  ASSERT_TRUE(OpenDisplay());
  NextWindowScale();
  SetWindowScale(1);
  ExpectDisplay(backend, 640, 480, 32, 2);
  EXPECT_EQ(config.vscale, 4);
}

TEST_F(DisplayModes, F4PrefersTheDeepest640ModeAndComesBackToTheSameWindow) {
  HeadlessBackend& backend = Machine({{1, 32}, {2, 16}});
  config.vscale = 3;
  ASSERT_TRUE(OpenDisplay());
  ToggleFullscreen();
  ExpectDisplay(backend, 640, 480, 16, 2);
  EXPECT_EQ(config.vmode, 1);
  EXPECT_EQ(config.vres, 2);
  ToggleFullscreen();
  ExpectDisplay(backend, 960, 720, 0, 3);
  EXPECT_EQ(config.vmode, 4);
  EXPECT_EQ(config.vscale, 3);
}

TEST_F(DisplayModes, F4FallsBackTo320WhenThereIsNo640Mode) {
  HeadlessBackend& backend = Machine({{1, 16}, {1, 24}});
  ASSERT_TRUE(OpenDisplay());
  ToggleFullscreen();
  ExpectDisplay(backend, 320, 240, 24, 1);
}

TEST_F(DisplayModes, WithoutFullScreenModesTheWindowStays) {
  HeadlessBackend& backend = Machine({});
  ASSERT_TRUE(OpenDisplay());
  ToggleFullscreen();
  ExpectDisplay(backend, 640, 480, 0, 2);
  EXPECT_EQ(config.vmode, 4);
  ToggleResolution();
  ExpectDisplay(backend, 640, 480, 0, 2);
  EXPECT_EQ(config.vmode, 4);
}

TEST_F(DisplayModes, ResolutionToggleSwitchesSizesOrReopensTheSameOne) {
  HeadlessBackend& backend = Machine({{1, 24}, {2, 32}});
  config.vmode = 3;
  config.vres = 2;
  ASSERT_TRUE(OpenDisplay());
  ToggleResolution();
  ExpectDisplay(backend, 320, 240, 24, 1);
  EXPECT_EQ(config.vmode, 2);
  EXPECT_EQ(config.vres, 1);
  ToggleResolution();
  ExpectDisplay(backend, 640, 480, 32, 2);

  // No 320x240 mode at all: 640x480 is opened again, unchanged.
  HeadlessBackend& only640 = Machine({{2, 16}});
  config.vmode = 1;
  config.vres = 2;
  ASSERT_TRUE(OpenDisplay());
  ToggleResolution();
  ExpectDisplay(only640, 640, 480, 16, 2);
}

TEST_F(DisplayModes, SetWindowScaleTakesOnlyTheOfferedFactors) {
  HeadlessBackend& backend = Machine({});
  ASSERT_TRUE(OpenDisplay());
  SetWindowScale(4);
  ExpectDisplay(backend, 1280, 960, 0, 4);
  SetWindowScale(0);
  SetWindowScale(5);
  ExpectDisplay(backend, 1280, 960, 0, 4);
  EXPECT_EQ(config.vscale, 4);
}

TEST_F(DisplayModes, ImagesStayDrawableAcrossEverySwitch) {
  HeadlessBackend& backend = Machine({{2, 32}});
  const std::vector<uint32_t> pixels(8 * 8, 0xFFFFFFFFu);
  Image* image = CreateImage(pixels.data(), 8, 8, 8, 8, 1);
  ASSERT_NE(image, nullptr);
  ASSERT_TRUE(OpenDisplay());
  auto drawn = [&] {
    const int64_t before = backend.triangles();
    DrawImage(image, 10, 10);
    Flip();
    return backend.triangles() - before;
  };
  EXPECT_EQ(drawn(), 2);
  ToggleFullscreen();
  EXPECT_EQ(drawn(), 2);
  ToggleFullscreen();
  NextWindowScale();
  EXPECT_EQ(drawn(), 2);
}

TEST_F(DisplayModes, CommandLineOverrideOpensForThisRunOnly) {
  HeadlessBackend& backend = Machine({{2, 32}});
  config.vmode = 3;
  config.vres = 2;
  config.vscale = 2;
  SetDisplayOverride({false, 3});
  OpenStartupDisplay();
  ExpectDisplay(backend, 960, 720, 0, 3);
  RestoreOverriddenDisplay();
  EXPECT_EQ(config.vmode, 3) << "the stored display is what gets saved";
  EXPECT_EQ(config.vscale, 2);

  // Once the player switches the display, the result is theirs to keep.
  Machine({{2, 32}});
  SetDisplayOverride({true, std::nullopt});
  OpenStartupDisplay();
  EXPECT_EQ(config.vmode, 3);
  ToggleFullscreen();
  EXPECT_EQ(config.vmode, 4);
  RestoreOverriddenDisplay();
  EXPECT_EQ(config.vmode, 4);
  SetDisplayOverride({});
}

}  // namespace
