#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "gl_test_support.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/input_state.h"

// Events are put into SDL's own queue and gathered the way a frame gathers
// them, so the whole path from SDL event to polled input is exercised.

namespace {

void PushKey(SDL_Scancode scancode, bool down, bool repeat = false) {
  SDL_Event event{};
  event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.key.repeat = repeat ? 1 : 0;
  event.key.keysym.scancode = scancode;
  ASSERT_EQ(SDL_PushEvent(&event), 1);
}

void PushText(const char* utf8) {
  SDL_Event event{};
  event.type = SDL_TEXTINPUT;
  std::strncpy(event.text.text, utf8, sizeof(event.text.text) - 1);
  ASSERT_EQ(SDL_PushEvent(&event), 1);
}

void PushMotion(int x, int y) {
  SDL_Event event{};
  event.type = SDL_MOUSEMOTION;
  event.motion.x = x;
  event.motion.y = y;
  ASSERT_EQ(SDL_PushEvent(&event), 1);
}

void PushButton(Uint8 button, bool down, int x, int y) {
  SDL_Event event{};
  event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  event.button.button = button;
  event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.button.x = x;
  event.button.y = y;
  ASSERT_EQ(SDL_PushEvent(&event), 1);
}

class SdlInputTest : public GlPictureTest {
 protected:
  void Open(int width, int height, int depth) {
    ASSERT_TRUE(Graphics(width, height, depth));
    // Whatever the X server sent on opening (focus, a pointer position, the
    // new size) goes first: polled until the window has kept its size a while.
    for (int i = 0, kept = 0, w = 0, h = 0; i < 100 && kept < 3; ++i) {
      SDL_Delay(5);
      PollSystem();
      const int was_w = w, was_h = h;
      SDL_GetWindowSize(SDL_GL_GetCurrentWindow(), &w, &h);
      kept = w == was_w && h == was_h ? kept + 1 : 0;
    }
    FlushKeys();
    FlushMouse();
    while (GetChar()) {
    }
    AppTerminate();
  }
};

TEST_F(SdlInputTest, AHeldKeyCountsOnePressAndReleases) {
  Open(320, 240, 0);
  PushKey(SDL_SCANCODE_A, true);
  PushKey(SDL_SCANCODE_A, true, true);
  PushKey(SDL_SCANCODE_A, true, true);
  PollSystem();
  EXPECT_EQ(KeyHit(65), 1);
  EXPECT_TRUE(KeyDown(65));
  PushKey(SDL_SCANCODE_A, false);
  PushKey(SDL_SCANCODE_A, true);
  PushKey(SDL_SCANCODE_A, false);
  PollSystem();
  EXPECT_EQ(KeyHit(65), 1);
  EXPECT_TRUE(KeyDown(65)) << "struck within the poll: held for one frame";
  PollSystem();
  EXPECT_FALSE(KeyDown(65));
}

TEST_F(SdlInputTest, GenericShiftStaysDownWhileEitherSideIsHeld) {
  Open(320, 240, 0);
  PushKey(SDL_SCANCODE_LSHIFT, true);
  PollSystem();
  PushKey(SDL_SCANCODE_RSHIFT, true);
  PushKey(SDL_SCANCODE_LSHIFT, false);
  PollSystem();
  EXPECT_FALSE(KeyDown(160));
  EXPECT_TRUE(KeyDown(161));
  EXPECT_TRUE(KeyDown(16));
  EXPECT_EQ(KeyHit(160), 1);
  PushKey(SDL_SCANCODE_RSHIFT, false);
  PollSystem();
  EXPECT_FALSE(KeyDown(16));
}

TEST_F(SdlInputTest, TypedTextKeepsLatinOneAndEditingKeysBecomeCharacters) {
  Open(320, 240, 0);
  PushText("a\xC3\xA9\xE2\x82\xAC!");  // a, e acute, the euro sign (not in Latin-1), !
  PushKey(SDL_SCANCODE_BACKSPACE, true);
  PushKey(SDL_SCANCODE_BACKSPACE, true, true);  // a held key types once
  PushKey(SDL_SCANCODE_RETURN, true);
  PollSystem();
  EXPECT_EQ(GetChar(), 'a');
  EXPECT_EQ(GetChar(), 233);
  EXPECT_EQ(GetChar(), '!');
  EXPECT_EQ(GetChar(), 8);
  EXPECT_EQ(GetChar(), 13);
  EXPECT_EQ(GetChar(), 0);
}

TEST_F(SdlInputTest, PointerMapsBackIntoPicturePixelsInFullScreen) {
  Open(320, 240, 32);
  int w = 0, h = 0;
  ActiveBackend().WindowSize(w, h);
  const int scale = std::max(1, std::min(w / 320, h / 240));
  const int left = (w - 320 * scale) / 2, top = (h - 240 * scale) / 2;

  // The real pointer is put where the test event points: an event the X server
  // sends meanwhile (another window closing under the pointer) then says the same.
  const auto move_to = [](int x, int y) {
    SDL_WarpMouseGlobal(x, y);
    PushMotion(x, y);
    PollSystem();
  };
  // The last screen pixel of picture pixel (100, 50) still belongs to it.
  move_to(left + 100 * scale + scale - 1, top + 50 * scale + scale - 1);
  EXPECT_EQ(MouseX(), 100);
  EXPECT_EQ(MouseY(), 50);

  // Outside the picture (the black border, the far corner) is clamped to its edge.
  move_to(0, 0);
  EXPECT_EQ(MouseX(), 0);
  EXPECT_EQ(MouseY(), 0);
  SDL_WarpMouseGlobal(w - 1, h - 1);
  PushButton(SDL_BUTTON_RIGHT, true, w - 1, h - 1);
  PollSystem();
  EXPECT_EQ(MouseX(), 319);
  EXPECT_EQ(MouseY(), 239);
  EXPECT_TRUE(MouseDown(2));
  EXPECT_EQ(MouseHit(2), 1);
  EXPECT_FALSE(MouseDown(3));
}

// The pointer is read and put in the 320x240 picture at every scale, and a
// display switch leaves it, and the system pointer, where it was.
TEST_F(SdlInputTest, ThePointerKeepsItsPlaceInThePictureThroughADisplaySwitch) {
  const int switches[][4] = {{2, 32, 1, 32}, {2, 32, 2, 0}, {1, 0, 3, 0}};  // scale, depth before and after
  for (const auto& s : switches) {
    for (int at : {0, 2}) {
      SetDrawScale(s[at]);
      Open(320 * s[at], 240 * s[at], s[at + 1]);
      if (at == 0) MoveMouse(300, 200);
    }
    // Where the system pointer is, read back through the game's own mapping.
    int gx = 0, gy = 0, wx = 0, wy = 0;
    SDL_GetGlobalMouseState(&gx, &gy);
    SDL_GetWindowPosition(SDL_GL_GetCurrentWindow(), &wx, &wy);
    PushMotion(gx - wx, gy - wy);
    PollSystem();
    EXPECT_EQ(std::pair(MouseX(), MouseY()), std::pair(300, 200)) << s[0] << "x" << s[1] << " to " << s[2];
  }
  SetDrawScale(1);
}

TEST_F(SdlInputTest, ButtonsAndWheel) {
  Open(320, 240, 0);
  PushButton(SDL_BUTTON_MIDDLE, true, 10, 10);
  PushButton(SDL_BUTTON_LEFT, true, 10, 10);
  PushButton(SDL_BUTTON_LEFT, false, 10, 10);
  SDL_Event wheel{};
  wheel.type = SDL_MOUSEWHEEL;
  wheel.wheel.y = 2;
  wheel.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
  SDL_PushEvent(&wheel);
  wheel.wheel.y = 1;
  wheel.wheel.direction = SDL_MOUSEWHEEL_FLIPPED;
  SDL_PushEvent(&wheel);
  const int z = MouseZ();
  PollSystem();
  EXPECT_TRUE(MouseDown(3));
  EXPECT_TRUE(MouseDown(1)) << "a click within one poll is held for one frame";
  EXPECT_EQ(MouseHit(1), 1);
  EXPECT_EQ(MouseZ() - z, 1);
  PollSystem();
  EXPECT_FALSE(MouseDown(1));
  EXPECT_TRUE(MouseDown(3));
}

TEST_F(SdlInputTest, FocusLostOrMinimisedLeavesTheWindowInactiveUntilItsFocusReturns) {
  Open(320, 240, 0);
  const auto window_event = [](SDL_WindowEventID id) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = id;
    SDL_PushEvent(&event);
    PollSystem();
    return WindowActive();
  };
  EXPECT_FALSE(window_event(SDL_WINDOWEVENT_FOCUS_LOST));
  EXPECT_TRUE(window_event(SDL_WINDOWEVENT_FOCUS_GAINED));
  EXPECT_FALSE(window_event(SDL_WINDOWEVENT_MINIMIZED));
  EXPECT_FALSE(window_event(SDL_WINDOWEVENT_RESTORED));
  EXPECT_TRUE(window_event(SDL_WINDOWEVENT_FOCUS_GAINED));
}

TEST_F(SdlInputTest, CloseRequestIsReadOnce) {
  Open(320, 240, 0);
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
  PollSystem();
  EXPECT_TRUE(AppTerminate());
  EXPECT_FALSE(AppTerminate());
}

TEST_F(SdlInputTest, JoypadComesAndGoesWithoutLeavingState) {
  Open(320, 240, 0);
  SDL_VirtualJoystickDesc desc{};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.naxes = SDL_CONTROLLER_AXIS_MAX;
  desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
  desc.name = "test pad";
  const int device = SDL_JoystickAttachVirtualEx(&desc);
  ASSERT_GE(device, 0) << SDL_GetError();
  PollSystem();
  ASSERT_EQ(JoyCount(), 1);

  SDL_Joystick* joystick = SDL_JoystickFromInstanceID(SDL_JoystickGetDeviceInstanceID(device));
  ASSERT_NE(joystick, nullptr);
  SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTX, 32767);
  SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTY, 1000);  // inside the dead zone
  SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_B, SDL_PRESSED);
  PollSystem();
  EXPECT_FLOAT_EQ(JoyX(0), 1.0f);
  EXPECT_EQ(JoyY(0), 0.0f);
  EXPECT_TRUE(JoyDown(1, 0));
  EXPECT_EQ(JoyHit(1, 0), 1);
  EXPECT_EQ(JoyHit(1, 0), 0);

  // Pulled out while the stick is pushed and a button held: nothing stays behind.
  ASSERT_EQ(SDL_JoystickDetachVirtual(device), 0);
  PollSystem();
  EXPECT_EQ(JoyCount(), 0);
  EXPECT_EQ(JoyX(0), 0.0f);
  EXPECT_FALSE(JoyDown(1, 0));
  EXPECT_FALSE(Input().joypads[0].connected);
  EXPECT_FALSE(Input().joypads[0].down[1]);
  EXPECT_EQ(Input().joypads[0].axis_x, 0.0f);
}

}  // namespace
