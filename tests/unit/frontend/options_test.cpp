#include "frontend/options.h"

#include "core/common.h"
#include "core/menu_screens.h"
#include "frontend/frontend.h"
#include "menu_fixture.h"
#include "persist/records.h"

namespace menu_test {
namespace {

class OptionsTest : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    GoTo(2);
  }

  // Clicks option i of a set at its scaled place.
  void ClickOption(uint16_t id, int i) {
    TOptionSet* set = FindOptionSet(id);
    ASSERT_NE(set, nullptr);
    // Below the header's rectangle, which reaches into the top of the row.
    ClickAt(set->x + set->opt_offx + set->opt_pos[i], set->y + set->opt_offy + 6);
    Step();  // the options apply the clicks of the last update
  }

  void Bind(int code) {
    Key(code);
    Step();
    Release(code);
  }
};

TEST_F(OptionsTest, ParticlesHeaderCyclesThroughTheFourLevels) {
  const uint8_t expected[] = {2, 3, 0, 1};
  for (uint8_t level : expected) {
    MenuActivate(14);
    EXPECT_EQ(config.particles, level);
    EXPECT_EQ(FindOptionSet(14)->opt_active, level);
  }
}

TEST_F(OptionsTest, ClickingOptionsAppliesThemAtTheScaledPositions) {
  SetDrawScale(3);
  struct Case {
    uint16_t set;
    int option;
    const char* call;
  };
  // "2x" while the window already is 2x reopens it all the same.
  const Case cases[] = {{11, 1, "scale 2"}, {11, 3, "scale 4"}, {10, 1, "fullscreen"}, {10, 0, ""}};
  for (const Case& c : cases) {
    calls.clear();
    ClickOption(c.set, c.option);
    EXPECT_EQ(calls, c.call[0] ? std::vector<std::string>{c.call} : std::vector<std::string>{}) << c.set;
  }
  ClickOption(12, 1);
  ClickOption(14, 3);
  ClickOption(15, 1);
  ClickOption(16, 0);
  EXPECT_EQ(config.sound, 0);
  EXPECT_EQ(config.particles, 3);
  EXPECT_EQ(config.online, 0);
  EXPECT_EQ(config.controls, 1);
}

TEST_F(OptionsTest, EscapeDuringCaptureKeepsTheKeysAlreadyBound) {
  const TConfig before = config;
  MenuActivate(17);
  Bind('A');
  Bind('B');
  Key(vk::kEscape);
  Step();
  Release(vk::kEscape);
  EXPECT_EQ(keyConfigStep, 0);
  EXPECT_EQ(config.key[0], 'A');
  EXPECT_EQ(config.key[1], 'B');
  for (int n = 2; n < 7; ++n) EXPECT_EQ(config.key[n], before.key[n]);
  EXPECT_EQ(menuScreen, MENU_OPTIONS);  // Escape ended the capture, not the screen
  Step(30);
  EXPECT_EQ(menuScreen, MENU_OPTIONS);
}

// Keys come as the real backend sends them: a side of Shift, Ctrl or Alt
// together with its generic code.
TEST_F(OptionsTest, CaptureTakesEachSideOfAModifierAndAsksAgainForATakenOrReservedKey) {
  const std::pair<std::vector<int>, int> presses[] = {{{vk::kRControl, vk::kControl}, 2},
                                                      {{vk::kP}, 2},
                                                      {{vk::kF4}, 2},
                                                      {{vk::kF5}, 2},
                                                      {{vk::kF12}, 2},
                                                      {{vk::kControl, vk::kRControl}, 2},
                                                      {{vk::kLAlt, vk::kAlt}, 3},
                                                      {{vk::kShift, vk::kLShift}, 4}};
  const TConfig before = config;
  MenuActivate(17);
  for (const auto& [held, step] : presses) {
    for (int code : held) Key(code);
    Step();
    for (int code : held) Release(code);
    EXPECT_EQ(keyConfigStep, step) << held[0];
  }
  EXPECT_EQ(std::vector<int>(config.key, config.key + 3), (std::vector<int>{163, 164, 160}));
  // Escape now would leave Right Ctrl on both Move left and Fire: the capture is undone.
  Bind(vk::kEscape);
  EXPECT_EQ(keyConfigStep, 0);
  EXPECT_TRUE(std::equal(config.key, config.key + 7, before.key));
}

TEST_F(OptionsTest, ReturnBoundToUseItemActivatesNothingAndThePointerIsIgnored) {
  MenuActivate(17);
  for (int code : {'Q', 'W', 'E', 'R', 'T', 'Y'}) Bind(code);
  TClickableText* back = Clickable(18);
  ClickAt(back->x, back->y + 2);  // pointer clicks are ignored while capturing
  Bind(vk::kEnter);
  Step(2);
  EXPECT_EQ(keyConfigStep, 0);
  EXPECT_EQ(config.key[6], vk::kEnter);
  EXPECT_EQ(menuTarget, MENU_OPTIONS);
  EXPECT_EQ(fadeText.value, 1.0f);
}

TEST_F(OptionsTest, AJoypadPulledOutShowsMouseWithinFiveSeconds) {
  Input().joypads[0].connected = true;
  config.controls = CONTROLS_JOYPAD;
  RemoveMenuParticles();
  TheMenuScreen().Enter();  // a fresh entry looks for joypads
  GoTo(2);
  ASSERT_EQ(FindOptionSet(16)->opt_txt.size(), 3u);
  EXPECT_EQ(FindOptionSet(16)->opt_active, 2);
  Input().joypads[0].connected = false;
  backend_->AdvanceMillis(5001);
  Step();
  EXPECT_EQ(FindOptionSet(16)->opt_txt.size(), 2u);
  EXPECT_EQ(FindOptionSet(16)->opt_active, 1);
  EXPECT_EQ(config.controls, 2);
}

TEST_F(OptionsTest, KeyNamesCoverLettersDigitsAndTheTable) {
  const std::pair<int, const char*> cases[] = {{'A', "A"},          {'7', "7"},  {96, "Numpad 0"}, {105, "Numpad 9"},
                                               {163, "Right Ctrl"}, {220, "\\"}, {13, "Enter"},    {58, ""},
                                               {255, ""},           {17, "Ctrl"}};
  for (const auto& [code, name] : cases) EXPECT_STREQ(KeyName(code), name) << code;
}

}  // namespace
}  // namespace menu_test
