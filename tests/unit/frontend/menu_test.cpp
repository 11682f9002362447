#include <algorithm>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "audio/audio.h"
#include "core/common.h"
#include "core/menu_screens.h"
#include "frontend/credits.h"
#include "frontend/frontend.h"
#include "frontend/info_screens.h"
#include "frontend/menu_particle.h"
#include "frontend/options.h"
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
    uint8_t return_item;
  };
  // 0: the credits select nothing and have no items. Play, with joypad control
  // and no joypad, opens the joypad dialog.
  const Case cases[] = {{2, MENU_OPTIONS, 10, 9, 18}, {3, MENU_HIGHSCORES, 21, 2, 21}, {4, MENU_STATISTICS, 30, 1, 30},
                        {5, MENU_HELP, 40, 1, 40},    {6, MENU_CREDITS, 0, 0, 0},      {1, MENU_JOYPAD, 250, 4, 253}};
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.item));
    config.controls = 3;
    GoTo(c.item);
    EXPECT_EQ(menuScreen, c.screen);
    if (c.selected_there) EXPECT_EQ(menuSelected, c.selected_there);
    EXPECT_EQ(lstClickables.Count() + lstOptionSets.Count(), c.widgets);
    Key(vk::kEscape);
    Settle();
    EXPECT_EQ(menuScreen, MENU_MAIN);
    EXPECT_EQ(menuSelected, c.item);
    if (!c.return_item) continue;
    GoTo(c.item);
    MenuActivate(c.return_item);  // the page's own way back leads back alike
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
    entryReplays.assign(15, {});
    entryReplays[2] = entryReplays[4] = {"a.replay"};
    entryReplays[5] = {"old.replay", true};  // of other rules: not offered
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

// Back at the table after a new highscore, its tune plays on and leaving goes
// to "Play"; back from an entry's game, the table's music plays again and
// leaving goes back to "Highscores".
TEST_F(MenuTest, TheMenuOpensAtTheTableAfterANewHighscoreOrAWatchedGame) {
  fmodSystem.InitOffline();
  config.music = 1;
  music.mus_menu = music.mus_highscore = fmodSystem.AddSound(Sound::FromPcm(std::vector<int16_t>(441), 1, true));
  for (auto [back_from, selected_after] : {std::pair{kBackFromNameEntry, 1}, {kBackFromWatching, 3}}) {
    music.Stop();
    if (back_from == kBackFromNameEntry) music.Play(MUSIC_HIGHSCORE);
    returnToHighscores = back_from;
    highscoreHighlight = 4;
    TheMenuScreen().Enter();
    EXPECT_EQ(menuScreen, MENU_HIGHSCORES);
    EXPECT_EQ(highscoreHighlight, 4);
    EXPECT_TRUE(music.chnMusic.IsPlaying()) << int(back_from);
    Key(vk::kEscape);
    Settle();
    EXPECT_EQ(menuScreen, MENU_MAIN);
    EXPECT_EQ(menuSelected, selected_after) << int(back_from);
    EXPECT_EQ(returnToHighscores, 0);
    TheMenuScreen().Enter();
    EXPECT_EQ(highscoreHighlight, 255);
  }
  music.Stop();
  audio.Reset();
}

// Whatever the bindings, the help's controls panel names every key whole
// (in full or shortened, on more lines if need be), inside the picture.
TEST_F(MenuTest, HelpShowsEveryBoundKeyWhole) {
  const uint8_t bindings[][8] = {{1, 'A', 'D', vk::kUp, vk::kDown, 163, ' ', 13},  // the controls, then the keys
                                 {1, 161, 160, 163, 162, 101, 33, 164},
                                 {2, 37, 39, 38, 40, 163, 32, 161}};
  static std::string keys;
  for (const auto& binding : bindings) {
    config.controls = binding[0];
    std::copy(binding + 1, binding + 8, config.key);
    keys.clear();
    WatchText([](std::string_view text, const GlyphBox* boxes, int count) {
      if (count == 0 || boxes[0].x0 < 234) return;
      keys += std::string(text) + " ";
      EXPECT_TRUE(boxes[count - 1].x1 <= 320 && boxes[count - 1].y1 <= 240) << text;
    });
    HelpBody();
    WatchText(nullptr);
    for (int action = binding[0] == 1 ? 0 : 5; action < 7; ++action) {
      const int code = config.key[action];
      EXPECT_TRUE(keys.find(KeyName(code)) != std::string::npos || keys.find(ShortKeyName(code)) != std::string::npos)
          << KeyName(code) << " missing from \"" << keys << "\"";
    }
  }
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
