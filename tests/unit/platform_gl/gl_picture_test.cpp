#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "gl_test_support.h"
#include "platform/graphics.h"
#include "platform/image.h"
#include "platform/input.h"
#include "platform/sdl/gl_loader.h"
#include "platform/sdl/gl_renderer.h"
#include "platform/sdl/sdl_backend.h"
#include "window_as_shown.h"

namespace {

// Every pixel of a grab, checked against the expected colour for its position;
// reports the first few mismatches instead of thousands.
template <typename Expect>
void ExpectPixels(const Pixmap& pixmap, Expect expected) {
  int mismatches = 0;
  for (int y = 0; y < pixmap.height; ++y) {
    for (int x = 0; x < pixmap.width; ++x) {
      const uint32_t got = pixmap.pixels[size_t(y) * pixmap.width + x], want = expected(x, y);
      if (got != want && ++mismatches <= 5) {
        ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex << got << ", expected " << want;
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
}

void ExpectNear(uint32_t got, int r, int g, int b) {
  EXPECT_NEAR(Red(got), r, 1);
  EXPECT_NEAR(Green(got), g, 1);
  EXPECT_NEAR(Blue(got), b, 1);
  EXPECT_EQ(Alpha(got), 255);
}

uint32_t PixelAt(int x, int y) { return GrabPixmap(x, y, 1, 1)->pixels[0]; }

using GlBlendTest = GlPictureTest;

TEST_F(GlBlendTest, LightOfHalfWhiteOverMidGreySaturatesToWhite) {
  ASSERT_TRUE(Graphics(320, 240, 0));
  SetClsColor(128, 128, 128);
  Cls();
  SetBlend(Blend::kLight);
  SetAlpha(0.5f);
  DrawRect(10, 20, 30, 40);
  // Additive light only brightens the channels it carries.
  SetColor(255, 0, 0);
  DrawRect(100, 20, 10, 10);
  auto grab = GrabPixmap(0, 0, 320, 240);
  ExpectPixels(*grab, [](int x, int y) {
    if (x >= 10 && x < 40 && y >= 20 && y < 60) return Rgba(255, 255, 255);
    if (x >= 100 && x < 110 && y >= 20 && y < 30) return Rgba(255, 128, 128);
    return Rgba(128, 128, 128);
  });
}

TEST_F(GlBlendTest, AlphaMixesAndShadeMultiplies) {
  ASSERT_TRUE(Graphics(320, 240, 0));
  SetClsColor(0, 0, 200);
  Cls();
  SetBlend(Blend::kAlpha);
  SetAlpha(0.5f);
  SetColor(255, 0, 0);
  DrawRect(0, 0, 10, 10);
  SetAlpha(1);
  SetColor(10, 20, 30);
  DrawRect(20, 0, 10, 10);
  SetBlend(Blend::kShade);
  SetColor(128, 255, 0);
  DrawRect(40, 0, 10, 10);
  ExpectNear(PixelAt(5, 5), 128, 0, 100);
  ExpectNear(PixelAt(25, 5), 10, 20, 30);
  ExpectNear(PixelAt(45, 5), 0, 0, 0);  // blue 200 times 0
  ExpectNear(PixelAt(60, 5), 0, 0, 200);
}

TEST_F(GlBlendTest, MaskDropsTranslucentTexelsAndWritesTheRestOpaque) {
  ASSERT_TRUE(Graphics(320, 240, 0));
  // Alpha 0x7F is just below half, 0x80 just at it.
  const uint32_t texels[4] = {Rgba(255, 0, 0, 0x7F), Rgba(0, 255, 0, 0x80), Rgba(0, 0, 255, 0), Rgba(255, 255, 0)};
  Image* image = CreateImage(texels, 4, 1, 4, 1, 1);
  ASSERT_NE(image, nullptr);
  SetClsColor(100, 100, 100);
  Cls();
  SetBlend(Blend::kMask);
  DrawImage(image, 10, 10);
  // Vertex alpha takes part in the test: at 0.5 a texel of alpha 0x80 falls below half.
  SetAlpha(0.5f);
  DrawImage(image, 10, 12);
  SetAlpha(1);
  // Solid writes every texel, unblended.
  SetBlend(Blend::kSolid);
  DrawImage(image, 10, 14);
  auto grab = GrabPixmap(10, 10, 4, 5);
  const uint32_t grey = Rgba(100, 100, 100), green = Rgba(0, 255, 0), yellow = Rgba(255, 255, 0);
  const uint32_t want[5][4] = {
      {grey, green, grey, yellow},
      {grey, grey, grey, grey},
      // At alpha 0.5 only the opaque texel still reaches half.
      {grey, grey, grey, yellow},
      {grey, grey, grey, grey},
      // Solid writes the colour whatever the texel's alpha.
      {Rgba(255, 0, 0), green, Rgba(0, 0, 255), yellow},
  };
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(grab->pixels[y * 4 + x], want[y][x]) << "pixel " << x << ", " << y;
}

TEST_F(GlBlendTest, AlphaBlendOfAnImageMixesWithItsTexelAlpha) {
  ASSERT_TRUE(Graphics(320, 240, 0));
  const uint32_t texel = Rgba(255, 255, 255, 0x80);
  Image* image = CreateImage(&texel, 1, 1, 1, 1, 1);
  ASSERT_NE(image, nullptr);
  SetClsColor(0, 0, 0);
  Cls();
  SetBlend(Blend::kAlpha);
  DrawImage(image, 3, 3);
  ExpectNear(PixelAt(3, 3), 128, 128, 128);
}

using GlScaleTest = GlPictureTest;

TEST_F(GlScaleTest, EightByEightCellAtScaleTwoCoversSixteenBySixteenWithHardEdges) {
  ASSERT_TRUE(Graphics(640, 480, 0));
  std::vector<uint32_t> checker(64);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) checker[y * 8 + x] = (x + y) % 2 ? Rgba(255, 255, 255) : Rgba(200, 0, 40);
  Image* image = CreateImage(checker.data(), 8, 8, 8, 8, 1);
  ASSERT_NE(image, nullptr);
  // Drawn into the offscreen picture just after the switch, then straight
  // into the window once it has kept its size for a while: the same pixels.
  for (const bool settled : {false, true}) {
    for (int frame = 0; settled && frame < 40; ++frame) {
      Cls();
      Flip();
    }
    SetClsColor(0, 0, 0);
    Cls();
    SetBlend(Blend::kMask);
    SetScale(2, 2);
    DrawImage(image, 301, 157);
    auto grab = GrabPixmap(0, 0, 640, 480);
    ExpectPixels(*grab, [&](int x, int y) {
      if (x < 301 || x >= 317 || y < 157 || y >= 173) return Rgba(0, 0, 0);
      return checker[((y - 157) / 2) * 8 + (x - 301) / 2];
    });
    SetScale(1, 1);
  }
}

using GlDisplayTest = GlPictureTest;

TEST_F(GlDisplayTest, FullScreenShowsThePictureOnADesktopSizeWindow) {
  SDL_DisplayMode desktop{};
  ASSERT_TRUE(GraphicsModeExists(320, 240, 32));
  ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);

  // An image made before the switches must still draw after them.
  const uint32_t texel = Rgba(0, 200, 0);
  Image* image = CreateImage(&texel, 1, 1, 1, 1, 1);
  ASSERT_NE(image, nullptr);
  ASSERT_TRUE(Graphics(640, 480, 0));

  ASSERT_TRUE(Graphics(320, 240, 32));
  EXPECT_EQ(GraphicsWidth(), 320);
  EXPECT_EQ(GraphicsHeight(), 240);
  int w = 0, h = 0;
  ActiveBackend().WindowSize(w, h);
  EXPECT_EQ(w, desktop.w);
  EXPECT_EQ(h, desktop.h);
  SetClsColor(0, 0, 0);
  Cls();
  SetBlend(Blend::kSolid);
  DrawImage(image, 319, 239);
  Flip();
  auto grab = GrabPixmap(0, 0, 320, 240);
  EXPECT_EQ(grab->pixels.size(), 320u * 240u);
  EXPECT_EQ(grab->pixels.back(), Rgba(0, 200, 0));
  EXPECT_EQ(grab->pixels.front(), Rgba(0, 0, 0));

  // Back to a window: the size is restored exactly.
  EndGraphics();
  ASSERT_TRUE(Graphics(640, 480, 0));
  ActiveBackend().WindowSize(w, h);
  EXPECT_EQ(w, 640);
  EXPECT_EQ(h, 480);
  Cls();
  DrawImage(image, 0, 0);
  EXPECT_EQ(PixelAt(0, 0), Rgba(0, 200, 0));
}

// A full-screen picture larger than half the desktop shows 1:1: it is drawn
// straight into the desktop-size window, centred, with the border left black.
TEST_F(GlDisplayTest, AFullScreenPictureShownOneToOneIsDrawnCentredOnBlack) {
  SDL_DisplayMode desktop{};
  ASSERT_TRUE(GraphicsModeExists(640, 480, 16));  // starts the video system
  ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
  const int width = desktop.w - 40, height = desktop.h - 64;
  const uint32_t texel = Rgba(0, 200, 0);
  Image* image = CreateImage(&texel, 1, 1, 1, 1, 1);
  ASSERT_NE(image, nullptr);
  ASSERT_TRUE(Graphics(width, height, 32));
  SetClsColor(0, 0, 200);
  SetBlend(Blend::kSolid);
  // Past the frames a new window is given to settle, every frame is drawn
  // straight into it.
  for (int frame = 0; frame < 40; ++frame) {
    Cls();
    DrawImage(image, float(width - 1), float(height - 1));
    if (frame < 39) Flip();
  }
  EXPECT_EQ(PixelAt(width - 1, height - 1), Rgba(0, 200, 0));
  EXPECT_EQ(PixelAt(0, 0), Rgba(0, 0, 200));
  // The window's own rows, counted from its bottom: the border below the
  // picture, then the picture's bottom-left corner.
  uint32_t window_pixels[2] = {};
  gl::ReadPixels(20, 31, 1, 2, GL_RGBA, GL_UNSIGNED_BYTE, window_pixels);
  EXPECT_EQ(window_pixels[0] | Rgba(0, 0, 0), Rgba(0, 0, 0));
  EXPECT_EQ(window_pixels[1] | Rgba(0, 0, 0), Rgba(0, 0, 200));
  Flip();
  EndGraphics();
}

// A window that keeps its size through the pause before its first frame (the
// game's opening pause) is drawn into straight away: no offscreen picture, and
// none of its memory, for a window that shows the picture 1:1.
TEST_F(GlDisplayTest, AWindowSettledBeforeItsFirstFrameIsDrawnIntoDirectly) {
  const uint32_t texel = Rgba(0, 200, 0);
  Image* image = CreateImage(&texel, 1, 1, 1, 1, 1);
  ASSERT_NE(image, nullptr);
  ASSERT_TRUE(Graphics(320, 240, 0));
  SDL_Delay(600);  // longer than a new window is given to settle
  SetClsColor(0, 0, 200);
  Cls();
  SetBlend(Blend::kSolid);
  DrawImage(image, 5, 5);
  ASSERT_EQ(PixelAt(5, 5), Rgba(0, 200, 0));
  // The window's own buffer, its rows counted from the bottom.
  uint32_t window_pixel = 0;
  gl::BindFramebuffer(GL_FRAMEBUFFER, 0);
  gl::ReadPixels(5, 240 - 1 - 5, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, &window_pixel);
  EXPECT_EQ(window_pixel | Rgba(0, 0, 0), Rgba(0, 200, 0));
  EndGraphics();
}

// A full-screen picture far smaller than the desktop is shown at the largest
// whole factor: every picture pixel becomes a square of the screen, exactly,
// with black around the picture and wherever nothing was drawn.
TEST_F(GlDisplayTest, AScaledFullScreenPictureShowsEveryPixelAsASquare) {
  ASSERT_TRUE(GraphicsModeExists(320, 240, 32));
  // An odd size at an odd place, across the edges of the parts the picture is shown in.
  constexpr int kW = 29, kH = 19, kX = 21, kY = 13;
  std::vector<uint32_t> texels(kW * kH);
  for (size_t i = 0; i < texels.size(); ++i) texels[i] = Rgba(i * 7 % 256, 40 + i / kW, i * 13 / 5 % 256);
  Image* image = CreateImage(texels.data(), kW, kH, kW, kH, 1);
  ASSERT_NE(image, nullptr);
  ASSERT_TRUE(Graphics(320, 240, 32));
  SetBlend(Blend::kSolid);
  // The display server makes the window desktop-size a moment after it opens,
  // and clears it when it does: the frames go on, events read, until it has,
  // and past the frames a new size is given to settle.
  SDL_DisplayMode desktop{};
  ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
  int frames_at_desktop_size = 0;
  for (int frame = 0; frame < 600 && frames_at_desktop_size < 40; ++frame) {
    PollSystem();
    Cls();
    DrawImage(image, kX, kY);
    Flip();
    int w = 0, h = 0;
    const bool settled = ShownWindowSize(w, h) && w == desktop.w && h == desktop.h;
    frames_at_desktop_size = settled ? frames_at_desktop_size + 1 : 0;
  }

  Pixmap shown;
  ASSERT_TRUE(ReadWindowAsShown(shown.pixels, shown.width, shown.height)) << "the X server gave no window contents";
  const PictureLayout layout = FitPicture(320, 240, shown.width, shown.height);
  ASSERT_GE(layout.scale, 2);
  ExpectPixels(shown, [&](int x, int y) {
    const int px = (x - layout.offset_x) / layout.scale - kX, py = (y - layout.offset_y) / layout.scale - kY;
    const bool inside =
        x >= layout.offset_x + kX * layout.scale && y >= layout.offset_y + kY * layout.scale && px < kW && py < kH;
    return inside ? texels[size_t(py) * kW + px] : Rgba(0, 0, 0);
  });
}

TEST_F(GlDisplayTest, ModesUpToTheDesktopSizeExist) {
  SDL_DisplayMode desktop{};
  ASSERT_TRUE(GraphicsModeExists(640, 480, 16));  // starts the video system
  ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
  EXPECT_TRUE(GraphicsModeExists(desktop.w, desktop.h, 24));
  EXPECT_FALSE(GraphicsModeExists(desktop.w + 1, desktop.h, 32));
  EXPECT_FALSE(GraphicsModeExists(320, 240, 8));
}

TEST_F(GlDisplayTest, ReadingBeyondThePictureGivesTransparentBlack) {
  ASSERT_TRUE(Graphics(320, 240, 0));
  SetClsColor(50, 60, 70);
  Cls();
  auto grab = GrabPixmap(318, 238, 4, 4);
  EXPECT_EQ(grab->pixels[0], Rgba(50, 60, 70));
  EXPECT_EQ(grab->pixels[1 * 4 + 1], Rgba(50, 60, 70));
  EXPECT_EQ(grab->pixels[1 * 4 + 2], 0u);
  EXPECT_EQ(grab->pixels[3 * 4 + 0], 0u);
}

// One crowded frame (a hostile scoreboard answer drawn whole) leaves no
// buffer of its size behind to slow every later frame.
TEST_F(GlDisplayTest, ACrowdedFrameGivesItsBuffersBack) {
  ASSERT_TRUE(Graphics(320, 240, 0));
  const auto frame = [](int quads) {
    Cls();
    for (int i = 0; i < quads; ++i) DrawRect(float(i % 300), float(i % 200), 2, 2);
    Flip();
    return static_cast<SdlBackend&>(ActiveBackend()).renderer_bytes();
  };
  const size_t usual = frame(500);
  EXPECT_GT(frame(200'000), 20 * usual);
  EXPECT_LE(frame(500), usual);
}

}  // namespace
