#include <span>

#include "core/common.h"
#include "core/menu_screens.h"
#include "frontend/credits.h"
#include "frontend/frontend.h"
#include "frontend/menu_particle.h"
#include "menu_fixture.h"
#include "persist/records.h"

namespace menu_test {
namespace {

TEST_F(MenuTest, TheFirstFrameAfterEntryDoesNotSwitchAndShowsTheSevenItems) {
  Step();
  EXPECT_EQ(menuScreen, MENU_MAIN);
  EXPECT_EQ(fadeText.value, 0.05f);
  EXPECT_EQ(lstClickables.Count(), 7u);
  EXPECT_EQ(menuSelected, 1);
}

TEST_F(MenuTest, EachScreenIsReachedAndReturningSelectsTheItemThatLedThere) {
  struct Case {
    uint8_t item, screen, selected_there;
    size_t widgets;
  };
  const Case cases[] = {{2, MENU_OPTIONS, 10, 9},
                        {3, MENU_HIGHSCORES, 21, 2},
                        {4, MENU_STATISTICS, 30, 1},
                        {5, MENU_HELP, 40, 1},
                        {6, MENU_CREDITS, 0, 0}};  // 0: the credits select nothing
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.item));
    GoTo(c.item);
    EXPECT_EQ(menuScreen, c.screen);
    if (c.selected_there) EXPECT_EQ(menuSelected, c.selected_there);
    EXPECT_EQ(lstClickables.Count() + lstOptionSets.Count(), c.widgets);
    Key(vk::kEscape);
    Settle();
    EXPECT_EQ(menuScreen, MENU_MAIN);
    EXPECT_EQ(menuSelected, c.item);
  }
}

TEST_F(MenuTest, SelectionWrapsWithinEachScreensRange) {
  struct Case {
    uint8_t screen, from;
    bool next;
    uint8_t to;
  };
  const Case cases[] = {
      {MENU_MAIN, 7, true, 1},          {MENU_MAIN, 1, false, 7},        {MENU_OPTIONS, 18, true, 10},
      {MENU_OPTIONS, 10, false, 18},    {MENU_HIGHSCORES, 21, true, 20}, {MENU_STATISTICS, 30, true, 30},
      {MENU_STATISTICS, 30, false, 30}, {MENU_HELP, 40, true, 40},       {MENU_JOYPAD, 250, false, 253}};
  // Then the third and fifth entries get a game: the walk passes the others by.
  const Case with_games[] = {
      {MENU_HIGHSCORES, 20, false, 26}, {MENU_HIGHSCORES, 26, false, 24}, {MENU_HIGHSCORES, 21, true, 24}};
  for (std::span<const Case> table : {std::span<const Case>(cases), std::span<const Case>(with_games)}) {
    for (const Case& c : table) {
      menuScreen = c.screen;
      menuSelected = c.from;
      c.next ? MenuSelectNext() : MenuSelectPrevious();
      EXPECT_EQ(menuSelected, c.to) << int(c.screen) << " from " << int(c.from);
    }
    entryReplays.assign(15, "");
    entryReplays[2] = entryReplays[4] = "a.replay";
  }
}

TEST_F(MenuTest, AClickDuringAFadeOutStillActsAtTheScaledPosition) {
  SetDrawScale(2);
  Settle();
  MenuActivate(2);  // options: the text starts fading out
  Step(3);
  ASSERT_GT(fadeText.value, 0.0f);
  ClickWidget(3);
  EXPECT_EQ(menuSelected, 3);
  EXPECT_EQ(menuTarget, MENU_HIGHSCORES);
  Settle();
  EXPECT_EQ(menuScreen, MENU_HIGHSCORES);
}

TEST_F(MenuTest, TheCreditsIgnoreClicksAndKeysButEscapeAndHideThePointer) {
  GoTo(6);
  Input().mouse_x = 160;
  Input().mouse_y = 120;
  Key(vk::kEnter);
  Key(vk::kDown);
  ClickAt(160, 120);
  EXPECT_EQ(menuTarget, MENU_CREDITS);
  EXPECT_EQ(menuScreen, MENU_CREDITS);
  Key(vk::kEscape);
  Step();
  EXPECT_EQ(menuTarget, MENU_MAIN);
  EXPECT_EQ(creditsClosing, 1);
}

TEST_F(MenuTest, TheCreditsEndAtTheirLastFrameWithTheEndHalfwayUp) {
  GoTo(6);
  for (int frame = 1; frame <= 9800 && menuTarget == MENU_CREDITS; ++frame) TheMenuScreen().Step();
  EXPECT_EQ(menuTarget, MENU_MAIN);
  EXPECT_EQ(creditsClock, 9801);
  float end_y = -1;
  lstCreditsItems.ForEach([&](TCreditsItem* item) {
    if (item->txt == "T h e     E n d") end_y = item->y;
  });
  EXPECT_NEAR(end_y, 47.5f, 0.1f);
}

TEST_F(MenuTest, PlayFadesBothOutAndStartsTheGameOnce) {
  Settle();
  Key(vk::kEnter);
  Step(25);
  EXPECT_EQ(calls, std::vector<std::string>{"game"});
  EXPECT_EQ(fadeScene.value, 0.0f);
}

TEST_F(MenuTest, PlayWithJoypadControlsAndNoJoypadOpensTheDialog) {
  config.controls = CONTROLS_JOYPAD;
  Settle();
  MenuActivate(1);
  Settle();
  EXPECT_EQ(menuScreen, MENU_JOYPAD);
  EXPECT_EQ(menuSelected, 250);
  MenuActivate(251);
  EXPECT_EQ(config.controls, 2);
  EXPECT_EQ(calls, std::vector<std::string>{"game"});
}

TEST_F(MenuTest, FiftyMenuParticlesStayFifty) {
  EXPECT_EQ(lstMenuParticles.Count(), 50u);
  Step(700);  // every particle has lived its time at least twice
  EXPECT_EQ(lstMenuParticles.Count(), 50u);
  lstMenuParticles.ForEach([](TMenuParticle* p) {
    EXPECT_LT(p->life, p->maxlife);
    EXPECT_GE(p->maxlife, 180);
  });
  TMenuParticle* old = nullptr;
  lstMenuParticles.ForEach([&](TMenuParticle* p) { old = p; });
  old->life = old->maxlife - 1;  // its next update ends it
  Step();
  EXPECT_TRUE(old->removed() || old->life < 5);
  EXPECT_EQ(lstMenuParticles.Count(), 50u);
}

TEST_F(MenuTest, AfterANewHighscoreTheMenuOpensAtTheTableAndReturnsToPlay) {
  returnToHighscores = 1;
  highscoreHighlight = 4;
  TheMenuScreen().Enter();
  EXPECT_EQ(menuScreen, MENU_HIGHSCORES);
  EXPECT_EQ(highscoreHighlight, 4);
  Key(vk::kEscape);
  Settle();
  EXPECT_EQ(menuScreen, MENU_MAIN);
  EXPECT_EQ(menuSelected, 1);
  EXPECT_EQ(returnToHighscores, 0);
  TheMenuScreen().Enter();
  EXPECT_EQ(highscoreHighlight, 255);
}

TEST_F(MenuTest, AClickThatComesAndGoesWithinOnePollStillActivates) {
  Settle();
  TClickableText* options = Clickable(2);
  ASSERT_NE(options, nullptr);
  backend_->QueueEvents([options](InputState& input) {
    input.mouse_x = options->x;
    input.mouse_y = options->y + options->h / 2;
    input.PressMouse(1);
    input.ReleaseMouse(1);
  });
  PollSystem();
  Step();
  EXPECT_EQ(menuTarget, MENU_OPTIONS);
}

TEST_F(MenuTest, TheMenuRunsOnInTheBackgroundWithoutTakingThePointer) {
  Settle();
  backend_->QueueEvents([](InputState& input) { input.window_active = false; });
  PollSystem();
  const int warps = backend_->pointer_warps();
  Key(vk::kDown);  // puts the pointer to rest, as a joypad still read in the background does
  Step();
  EXPECT_EQ(backend_->pointer_warps(), warps);
  MenuActivate(2);
  Settle();
  EXPECT_EQ(menuScreen, MENU_OPTIONS);
}

TEST_F(MenuTest, EscapeOnTheMainMenuQuits) {
  Settle();
  Key(vk::kEscape);
  Step();
  EXPECT_EQ(menuQuit, 1);
}

}  // namespace
}  // namespace menu_test
