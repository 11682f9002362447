#include "platform/sdl/key_map.h"

#include <gtest/gtest.h>

#include <utility>

#include "platform/sdl/gl_renderer.h"
#include "platform/sdl/joypads.h"

// Pure tables and arithmetic of the SDL backend: no display needed.

namespace {

TEST(KeyMapTest, KeysMapToTheirVirtualKeyCodes) {
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_A), 65);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_Z), 90);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_1), 49);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_9), 57);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_0), 48);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_F1), 112);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_F12), 123);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_LEFT), 37);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_UP), 38);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_RIGHT), 39);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_DOWN), 40);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_RETURN), 13);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_KP_ENTER), 13);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_ESCAPE), 27);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_PAGEDOWN), 34);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_KP_0), 96);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_KP_9), 105);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_KP_DIVIDE), 111);
}

TEST(KeyMapTest, ModifierSidesAndPunctuationKeepTheirOwnCodes) {
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_LSHIFT), 160);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_RSHIFT), 161);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_LCTRL), 162);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_RCTRL), 163);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_LALT), 164);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_RALT), 165);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_SEMICOLON), 186);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_EQUALS), 187);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_COMMA), 188);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_MINUS), 189);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_PERIOD), 190);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_SLASH), 191);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_GRAVE), 192);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_LEFTBRACKET), 219);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_BACKSLASH), 220);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_RIGHTBRACKET), 221);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_APOSTROPHE), 222);

  EXPECT_EQ(GenericModifier(160), 16);
  EXPECT_EQ(GenericModifier(163), 17);
  EXPECT_EQ(GenericModifier(165), 18);
  EXPECT_EQ(GenericModifier(65), 0);
}

TEST(KeyMapTest, UnknownAndOutOfRangeScancodesGiveNoCode) {
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_UNKNOWN), 0);
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_AUDIONEXT), 0);
  EXPECT_EQ(VirtualKeyFromScancode(static_cast<SDL_Scancode>(-1)), 0);
  EXPECT_EQ(VirtualKeyFromScancode(static_cast<SDL_Scancode>(SDL_NUM_SCANCODES)), 0);
}

TEST(PictureLayoutTest, TheLargestWholeScaleThatFitsIsCentred) {
  PictureLayout layout = FitPicture(320, 240, 1280, 1024);
  EXPECT_EQ(layout.scale, 4);
  EXPECT_EQ(layout.offset_x, 0);
  EXPECT_EQ(layout.offset_y, 32);

  layout = FitPicture(640, 480, 1920, 1080);
  EXPECT_EQ(layout.scale, 2);
  EXPECT_EQ(layout.offset_x, 320);
  EXPECT_EQ(layout.offset_y, 60);

  // A desktop smaller than the picture still shows it 1:1, cut at the edges.
  layout = FitPicture(640, 480, 600, 400);
  EXPECT_EQ(layout.scale, 1);
  EXPECT_EQ(layout.offset_x, -20);

  // A window of the picture's size shows it 1:1; one the desktop resized gets
  // the same rule as full screen.
  layout = FitPicture(640, 480, 640, 480);
  EXPECT_EQ(layout.scale, 1);
  EXPECT_EQ(layout.offset_x, 0);
  EXPECT_EQ(layout.offset_y, 0);
  layout = FitPicture(320, 240, 1000, 700);
  EXPECT_EQ(layout.scale, 2);
  EXPECT_EQ(layout.offset_x, 180);
  EXPECT_EQ(layout.offset_y, 110);
}

TEST(PictureLayoutTest, PointerPositionsMapBothWays) {
  struct Case {
    int w, h, window_w, window_h;
  };
  for (const Case& c : {Case{320, 240, 320, 240}, Case{320, 240, 1920, 1080}, Case{640, 480, 1280, 1024},
                        Case{640, 480, 600, 400}, Case{320, 240, 1000, 700}}) {
    const PictureLayout layout = FitPicture(c.w, c.h, c.window_w, c.window_h);
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{17, 5}, std::pair{c.w - 1, c.h - 1}}) {
      int sx = 0, sy = 0, px = -1, py = -1;
      PictureToScreen(layout, x, y, sx, sy);
      ScreenToPicture(layout, c.w, c.h, sx, sy, px, py);
      EXPECT_EQ(px, x) << c.w << "x" << c.h << " on " << c.window_w << "x" << c.window_h;
      EXPECT_EQ(py, y) << c.w << "x" << c.h << " on " << c.window_w << "x" << c.window_h;
    }
  }
  // 1920x1080 shows 320x240 at scale 4 from (320, 60): every screen pixel of a
  // picture pixel's square belongs to it, the border clamps to the edge.
  const PictureLayout layout = FitPicture(320, 240, 1920, 1080);
  int px = 0, py = 0;
  ScreenToPicture(layout, 320, 240, 320 + 4 * 10 + 3, 60 + 4 * 20, px, py);
  EXPECT_EQ(px, 10);
  EXPECT_EQ(py, 20);
  ScreenToPicture(layout, 320, 240, 319, 59, px, py);
  EXPECT_EQ(px, 0);
  EXPECT_EQ(py, 0);
  ScreenToPicture(layout, 320, 240, 1919, 1079, px, py);
  EXPECT_EQ(px, 319);
  EXPECT_EQ(py, 239);
}

TEST(JoypadMappingTest, AxesHaveADeadZoneAndReachFullDeflection) {
  EXPECT_EQ(JoyAxisValue(0), 0.0f);
  EXPECT_EQ(JoyAxisValue(3000), 0.0f);
  EXPECT_EQ(JoyAxisValue(-3000), 0.0f);
  EXPECT_FLOAT_EQ(JoyAxisValue(32767), 1.0f);
  EXPECT_FLOAT_EQ(JoyAxisValue(-32768), -1.0f);
  const float half = JoyAxisValue(20000);
  EXPECT_GT(half, 0.3f);
  EXPECT_LT(half, 0.7f);
  EXPECT_FLOAT_EQ(JoyAxisValue(-20000), -half);
}

TEST(JoypadMappingTest, ButtonsFollowThePadLayout) {
  EXPECT_EQ(JoyButtonFromController(SDL_CONTROLLER_BUTTON_A), 0);
  EXPECT_EQ(JoyButtonFromController(SDL_CONTROLLER_BUTTON_B), 1);
  EXPECT_EQ(JoyButtonFromController(SDL_CONTROLLER_BUTTON_X), 2);
  EXPECT_EQ(JoyButtonFromController(SDL_CONTROLLER_BUTTON_Y), 3);
  EXPECT_EQ(JoyButtonFromController(SDL_CONTROLLER_BUTTON_BACK), 6);
  EXPECT_EQ(JoyButtonFromController(SDL_CONTROLLER_BUTTON_START), 7);
  EXPECT_EQ(JoyButtonFromController(SDL_CONTROLLER_BUTTON_GUIDE), -1);
}

}  // namespace
