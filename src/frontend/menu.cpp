#include "frontend/menu.h"

#include "audio/audio.h"
#include "audio/music.h"
#include "core/common.h"
#include "core/fader.h"
#include "core/fonts.h"
#include "core/helpers.h"
#include "core/images.h"
#include "core/menu_screens.h"
#include "core/mouse.h"
#include "core/rainbow_phaser.h"
#include "frontend/clickable_text.h"
#include "frontend/frontend.h"
#include "frontend/frontend_hooks.h"
#include "frontend/highscore_table.h"
#include "frontend/joy_check.h"
#include "frontend/logo.h"
#include "frontend/menu_pages.h"
#include "frontend/menu_particle.h"
#include "frontend/menu_state.h"
#include "frontend/online_watch.h"
#include "frontend/option_set.h"
#include "persist/config.h"
#include "persist/records.h"
#include "platform/clock.h"
#include "platform/font.h"
#include "platform/graphics.h"
#include "platform/image.h"
#include "platform/input.h"
#include "platform/log.h"
#include "show/particle.h"
#include "show/show.h"

FrontendHooks frontendHooks;

namespace {

constexpr float kFadeStep = 0.05f;
constexpr int kMenuParticles = 50;
// Attract mode: how long a screen stays before the pilot moves on.
constexpr int32_t kAttractMillis = 4000;

const char* const kGrey = "999999";
const char* const kWhite = "FFFFFF";

void Clickable(int32_t id, const char* text, int32_t y) { TClickableText::Create(id, text, 160, y, kGrey, kWhite, 2); }

void RemoveWidgets() {
  lstClickables.ForEach([](TClickableText* text) { text->Die(); });
  lstOptionSets.ForEach([](TOptionSet* set) { set->Die(); });
}

void PointerToRest() { MoveMouse(160, 200); }

// Coming back to the main menu selects the item that led to the page left.
void SelectOnReturn() {
  if (menuScreen == MENU_HIGHSCORES && returnToHighscores == kBackFromNameEntry) {
    // Straight after a new highscore: the highscore tune gives way.
    returnToHighscores = 0;
    if (config.music) {
      music.Stop();
      music.Play(MUSIC_MENU);
    }
    menuSelected = kPlayItem;
    return;
  }
  // Back from a watched game, the table is left like any other time.
  if (menuScreen == MENU_HIGHSCORES) returnToHighscores = 0;
  if (const MenuPage* page = FindMenuPage(menuScreen); page && page->main_item) menuSelected = page->main_item;
}

void ScreenSwitch() {
  SelectOnReturn();
  KillScreenParticles();
  menuScreen = menuTarget;
  if (DebugLogEnabled()) DebugLog("Menu screen " + std::to_string(menuScreen));
  fadeText.SetChange(kFadeStep);
  attractSince = MilliSecs();
  if (menuScreen == kStartGame) {
    if (frontendHooks.start_game) frontendHooks.start_game();
    return;
  }
  BuildScreen(menuScreen);
  if (const MenuPage* page = FindMenuPage(menuScreen); page && page->opens_at) menuSelected = page->opens_at;
}

void LogoAndVersion() {
  SetAlpha(fadeScene.value);
  DrawLogo();
  SetAlpha(fadeText.value);
}

void Body() {
  const MenuPage* page = FindMenuPage(menuScreen);
  if (!page) return;
  if (page->logo) LogoAndVersion();
  page->body();
}

// Where the selected item stands in the page's walk, or -1.
int SelectedIndex(const MenuPage& page) {
  for (size_t i = 0; i < page.items.size(); ++i)
    if (page.items[i].id == menuSelected) return int(i);
  return -1;
}

void MenuWalk(int step) {
  const MenuPage* page = FindMenuPage(menuScreen);
  if (!page || page->items.empty()) return;
  const int n = int(page->items.size());
  int at = SelectedIndex(*page);
  if (at < 0) at = step > 0 ? n - 1 : 0;
  for (int tried = 0; tried < n; ++tried) {
    at = (at + step + n) % n;
    const MenuItem& item = page->items[size_t(at)];
    if (!item.shown || item.shown(item.id)) {
      menuSelected = item.id;
      return;
    }
  }
}

void KeyboardInput() {
  const bool credits = menuScreen == MENU_CREDITS;
  if (KeyHit(vk::kDown) || KeyHit(vk::kRight)) {
    if (!credits) {
      PointerToRest();
      MenuSelectNext();
    }
  }
  if (KeyHit(vk::kUp) || KeyHit(vk::kLeft)) {
    if (!credits) {
      PointerToRest();
      MenuSelectPrevious();
    }
  }
  if (KeyHit(vk::kEnter) && !credits) MenuActivate(menuSelected);
  if (KeyHit(vk::kEscape)) MenuBack();
  if (KeyHit(vk::kF4) && frontendHooks.toggle_fullscreen) frontendHooks.toggle_fullscreen();
  if (KeyHit(vk::kF5) && frontendHooks.next_window_scale) frontendHooks.next_window_scale();
}

void JoypadInput() {
  const float jx = JoyX(0), jy = JoyY(0);
  if (jy < -0.5f || jy > 0.5f)
    ++joyNavFrames;
  else
    joyNavFrames = 0;
  joyButtons[0] = 0;
  for (int button = 0; button < 8; ++button)
    if (JoyHit(button, 0)) joyButtons[0] = 1;
  const bool credits = menuScreen == MENU_CREDITS;
  if (joyNavFrames == 1) {
    PointerToRest();
    if (!credits) {
      if (jy > 0.5f || jx > 0.5f) MenuSelectNext();
      if (jy < -0.5f || jx < -0.5f) MenuSelectPrevious();
    }
  }
  if (joyButtons[0] && !credits) MenuActivate(menuSelected);
}

void MenuInput() {
  if (mouse.over > 0 && keyConfigStep == 0) {
    menuSelected = uint8_t(mouse.over);
    if (mouse.clicked[0] && menuScreen != MENU_CREDITS) MenuActivate(menuSelected);
  } else if (mouse.clicked[0] && keyConfigStep == 0) {
    if (const MenuPage* page = FindMenuPage(menuScreen); page && page->click) page->click();
  }
  // While keys are captured, only the capture listens: no keys, no joypad,
  // and no screenshot (F12 is the frame driver's, after this step).
  if (keyConfigStep != 0) {
    KeyHit(vk::kF12);
    return;
  }
  KeyboardInput();
  if (joypadPresent) JoypadInput();
}

void DrawPointer() {
  SetBlend(Blend::kAlpha);
  SetColor(255, 255, 255);
  SetAlpha(fadeScene.value);
  DrawImage(gfx.pointer, float(mouse.x), float(mouse.y));
  SetBlend(Blend::kLight);
}

// Attract mode: a screen that has stood still for a few seconds moves on,
// main menu to a game, any other screen back to the main menu.
void AttractStep() {
  const bool fading_out = fadeText.change < 0;
  if (!frontendHooks.attract_mode || fading_out || keyConfigStep != 0) return;
  if (MilliSecs() - attractSince < kAttractMillis) return;
  attractSince = MilliSecs();
  if (menuScreen == MENU_MAIN)
    MenuActivate(1);
  else
    MenuBack();
}

}  // namespace

MenuScreen& TheMenuScreen() {
  static MenuScreen menu;  // one menu for the whole run
  return menu;
}

void BuildScreen(uint8_t screen) {
  RemoveWidgets();
  const MenuPage* page = FindMenuPage(screen);
  if (!page) return;
  for (const MenuItem& item : page->items)
    if (item.label) Clickable(item.id, item.label, item.y);
  if (page->build) page->build();
}

void MenuActivate(uint8_t id) {
  const MenuItem* item = FindMenuItem(menuScreen, id);
  if (!item) return;
  if (item->opens) MenuFadeTo(item->opens);
  if (item->choose) item->choose(id);
}

void MenuBack() {
  if (const MenuPage* page = FindMenuPage(menuScreen)) page->back();
}

// The cursor keys walk the page's shown items in their order and wrap; a
// selection that is not on the page goes to its first item (or its last,
// going back).
void MenuSelectNext() { MenuWalk(+1); }
void MenuSelectPrevious() { MenuWalk(-1); }

void MenuFadeTo(uint8_t target) {
  fadeText.SetChange(-kFadeStep);
  menuTarget = target;
}

void MenuFadeAllTo(uint8_t target) {
  fadeScene.SetChange(-kFadeStep);
  MenuFadeTo(target);
}

void MenuScreen::Enter() {
  fadeText.Set(0, 1, 0, kFadeStep, 0, 0);
  fadeScene.Set(0, 1, 0, kFadeStep, 0, 0);
  joycheck.Check();
  KillParticles();
  menuTarget = MENU_MAIN;
  menuQuit = 0;
  keyConfigStep = 0;
  attractSince = MilliSecs();
  if (returnToHighscores) {
    // Back from a game of the online table, that table shows again as it was.
    showOnlineScores = returnToOnlineScores;
    returnToOnlineScores = 0;
    menuScreen = MENU_HIGHSCORES;
    // Back from an entry's game, the entry stays selected.
    if (!IsEntryItem(menuSelected)) menuSelected = kHighscoresBackItem;
  } else {
    highscoreHighlight = 255;
    menuScreen = MENU_MAIN;
    menuSelected = kPlayItem;
  }
  if (DebugLogEnabled()) DebugLog("Menu entered at screen " + std::to_string(menuScreen));
  SetCreatureHandlesCentred(true);
  SpawnMenuParticles(kMenuParticles);
  BuildScreen(menuScreen);
  PointerToRest();
  lstLogoLetters.Clear();
  CreateLogo();
  // After a new highscore its tune plays on; a watched game left silence.
  if (config.music && returnToHighscores != kBackFromNameEntry) {
    music.Stop();
    music.Play(MUSIC_MENU);
  }
}

void MenuScreen::Step() {
  fadeScene.Update();
  fadeText.Update();
  if (fadeText.value == 0.0f) ScreenSwitch();
  if (fadeText.value == 1.0f) creditsClosing = 0;
  mouse.Update();
  joycheck.Update();
  rainbow.Update(1);
  rainbowFast.Update(1);
  timeNow = MilliSecs();
  polledKey = AnyKey();

  if (menuScreen != MENU_CREDITS) UpdateAndDrawMenuParticles();
  // The black band behind the logo covers the particles drifting up there.
  SetBlend(Blend::kMask);
  SetColor(0, 0, 0);
  DrawRect(0, 0, 320, 57);
  SetBlend(Blend::kLight);

  Body();

  SetAlpha(fadeText.value);
  SetImageFont(fntMain);
  lstClickables.ForEach([](TClickableText* text) {
    text->Update();
    text->Draw();
  });
  lstOptionSets.ForEach([](TOptionSet* set) { set->Update(); });
  lstParticles.ForEach([](TParticle* p) {
    p->Update();
    p->Draw();
  });
  MenuInput();
  AttractStep();
  if (menuScreen != MENU_CREDITS && keyConfigStep == 0) DrawPointer();

  if (menuQuit) {
    if (config.music) music.Stop();
    SwitchScreen(nullptr);
  }
}

// A download under way ends with the menu: its thread logs, and the log
// closes when the program does.
void MenuScreen::Leave() { ForgetOnlineWatch(); }
