#pragma once
// The menu on the headless backend: fonts and images from the built data
// folder (widget sizes and hit tests depend on them), sound and music off,
// display switches and the game start recorded instead of made.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/common.h"
#include "core/fader.h"
#include "core/fonts.h"
#include "core/images.h"
#include "core/mouse.h"
#include "frontend/clickable_text.h"
#include "frontend/frontend.h"
#include "frontend/frontend_hooks.h"
#include "frontend/joy_check.h"
#include "frontend/menu.h"
#include "frontend/menu_particle.h"
#include "frontend/menu_state.h"
#include "frontend/option_set.h"
#include "persist/config.h"
#include "persist/highscores.h"
#include "persist/records.h"
#include "platform/font.h"
#include "platform/graphics.h"
#include "platform/headless/headless_backend.h"
#include "platform/input.h"
#include "platform/input_state.h"
#include "platform/paths.h"
#include "platform/random.h"
#include "show/particle.h"
#include "show/show.h"

namespace menu_test {

inline std::vector<std::string> calls;  // display switches and game starts, in order

class MenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    backend_ = &UseHeadlessBackend();
    backend_->AdvanceMillis(3600 * 1000);
    Graphics(320, 240, 0);
    SetDrawScale(1);
    SetScale(1, 1);
    static bool loaded = false;
    if (!loaded) {
      loaded = true;
      SetDataDir(SKITTERWORM_TEST_DATA_DIR);
      fntMain = LoadImageFont(AssetPath("fonts/cweb.ttf"), 13, 0);
      fntSmall = LoadImageFont(AssetPath("fonts/uni 05_53.ttf"), 8, 0);
      SetMaskColor(255, 0, 255);
      SetAutoImageFlags(kMaskedImage);
      LoadGameImages();
    }
    common.Reset();
    records.Reset();
    frontend.Reset();
    config.SetDefaults();
    config.sound = config.music = 0;
    calls.clear();
    frontendHooks = FrontendHooks{};
    frontendHooks.set_window_scale = [](int n) { calls.push_back("scale " + std::to_string(n)); };
    frontendHooks.next_window_scale = [] { calls.push_back("next scale"); };
    frontendHooks.toggle_fullscreen = [] { calls.push_back("fullscreen"); };
    frontendHooks.toggle_resolution = [] { calls.push_back("resolution"); };
    frontendHooks.start_game = [] { calls.push_back("game"); };
    TheMenuScreen().Enter();
  }

  void Step(int frames = 1) {
    for (int i = 0; i < frames; ++i) {
      backend_->AdvanceMillis(16);
      TheMenuScreen().Step();
    }
  }

  // Steps until the fade-out has led to the target screen and faded back in.
  void Settle() { Step(45); }

  void Key(int code) { Input().PressKey(code); }
  void Release(int code) { Input().ReleaseKey(code); }

  // The pointer over a widget's rectangle (picture coordinates at any scale), clicked.
  void ClickAt(int32_t x, int32_t y) {
    Input().mouse_x = x;
    Input().mouse_y = y;
    Input().PressMouse(1);
    Step();
    Input().ReleaseMouse(1);
  }

  TClickableText* Clickable(int32_t id) {
    TClickableText* found = nullptr;
    lstClickables.ForEach([&](TClickableText* t) {
      if (t->id == id) found = t;
    });
    return found;
  }

  void ClickWidget(int32_t id) {
    TClickableText* t = Clickable(id);
    ASSERT_NE(t, nullptr) << "no widget " << id;
    ClickAt(t->x, t->y + t->h / 2);
  }

  void GoTo(uint8_t item) {
    MenuActivate(item);
    Settle();
  }

  HeadlessBackend* backend_ = nullptr;
};

}  // namespace menu_test
