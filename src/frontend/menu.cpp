#include "frontend/menu.h"

#include <initializer_list>

#include "audio/audio.h"
#include "audio/music.h"
#include "core/fader.h"
#include "core/game_state.h"
#include "core/helpers.h"
#include "core/images.h"
#include "core/mouse.h"
#include "core/rainbow_phaser.h"
#include "frontend/clickable_text.h"
#include "frontend/credits.h"
#include "frontend/frontend.h"
#include "frontend/frontend_hooks.h"
#include "frontend/highscore_table.h"
#include "frontend/info_screens.h"
#include "frontend/joy_check.h"
#include "frontend/logo.h"
#include "frontend/menu_particle.h"
#include "frontend/menu_state.h"
#include "frontend/option_set.h"
#include "frontend/options.h"
#include "game/particle.h"
#include "game/world.h"
#include "persist/config.h"
#include "persist/highscores.h"
#include "persist/online_highscores.h"
#include "persist/records.h"
#include "platform/clock.h"
#include "platform/font.h"
#include "platform/graphics.h"
#include "platform/image.h"
#include "platform/input.h"
#include "platform/log.h"

FrontendHooks frontendHooks;

namespace {

constexpr float kFadeStep = 0.05f;
constexpr int kMenuParticles = 50;
// Attract mode: how long a screen stays before the pilot moves on.
constexpr int32_t kAttractMillis = 4000;
constexpr uint8_t kHighscoreTableY = 45;  // the local table's title

const char* const kGrey = "999999";
const char* const kWhite = "FFFFFF";

void Clickable(int32_t id, const char* text, int32_t y) { TClickableText::Create(id, text, 160, y, kGrey, kWhite, 2); }

void RemoveWidgets() {
  lstClickables.ForEach([](TClickableText* text) { text->Die(); });
  lstOptionSets.ForEach([](TOptionSet* set) { set->Die(); });
}

void FadeOutTo(uint8_t target) {
  fadeText.SetChange(-kFadeStep);
  menuTarget = target;
}

void FadeAllOutTo(uint8_t target) {
  fadeScene.SetChange(-kFadeStep);
  FadeOutTo(target);
}

void StartGameNow() {
  if (frontendHooks.start_game) frontendHooks.start_game();
}

void PointerToRest() { MoveMouse(160, 200); }

const char* OnlineViewText() { return showOnlineScores ? "View Offline Scores" : "View Online Scores"; }

void ToggleOnlineView() {
  showOnlineScores = showOnlineScores ? 0 : 1;
  // Every switch to the online table asks the server again.
  if (showOnlineScores && config.online) {
    onlineFetchResult = onlineScores.GetScores(0, 15);
    DebugLog(onlineFetchResult > 0 ? "Online scores: " + std::to_string(lstOnlineScores.Count()) + " rows"
                                   : std::string("Online scores: the scoreboard could not be reached"));
  }
  lstClickables.ForEach([](TClickableText* text) {
    if (text->id != 20) return;
    text->txt = OnlineViewText();
    text->CalculateDimensions();
  });
}

// The main-menu item that leads to the screen being left.
void SelectOnReturn() {
  switch (menuScreen) {
    case MENU_OPTIONS:
      menuSelected = 2;
      break;
    case MENU_HIGHSCORES:
      if (returnToHighscores) {
        // Straight after a new highscore: the highscore tune gives way.
        returnToHighscores = 0;
        if (config.music) {
          music.Stop();
          music.Play(MUSIC_MENU);
        }
        menuSelected = 1;
      } else {
        menuSelected = 3;
      }
      break;
    case MENU_STATISTICS:
      menuSelected = 4;
      break;
    case MENU_HELP:
      menuSelected = 5;
      break;
    case MENU_CREDITS:
      menuSelected = 6;
      break;
    case MENU_JOYPAD:
      menuSelected = 1;
      break;
    default:
      break;
  }
}

void ScreenSwitch() {
  SelectOnReturn();
  KillScreenParticles();
  menuScreen = menuTarget;
  if (DebugLogEnabled()) DebugLog("Menu screen " + std::to_string(menuScreen));
  fadeText.SetChange(kFadeStep);
  attractSince = MilliSecs();
  switch (menuScreen) {
    case MENU_MAIN:
      BuildScreen(MENU_MAIN);
      break;
    case MENU_OPTIONS:
      BuildScreen(MENU_OPTIONS);
      menuSelected = 10;
      break;
    case MENU_HIGHSCORES:
      BuildScreen(MENU_HIGHSCORES);
      menuSelected = 21;
      break;
    case MENU_STATISTICS:
      BuildScreen(MENU_STATISTICS);
      menuSelected = 30;
      break;
    case MENU_HELP:
      BuildScreen(MENU_HELP);
      menuSelected = 40;
      break;
    case MENU_CREDITS:
      RemoveWidgets();
      RemoveCreditsItems();
      creditsClock = 0;
      break;
    case MENU_JOYPAD:
      BuildScreen(MENU_JOYPAD);
      menuSelected = 250;
      break;
    case kStartGame:
      StartGameNow();
      break;
    default:
      break;
  }
}

// The lines of one text, centred on the screen, each in its colour.
struct Line {
  const char* text;
  uint8_t r, g, b;
  int32_t y;
};

// A text with a line wider than the screen in the main font (a web address can
// be any length) is set in the small font, all of it: one paragraph, one font.
void Paragraph(std::initializer_list<Line> lines) {
  ImageFont* const font = GetImageFont();
  bool too_wide = false;
  for (const Line& line : lines) too_wide |= TextWidth(line.text) > kScreenWidth - 8;
  if (too_wide) SetImageFont(fntSmall);
  for (const Line& line : lines) {
    SetColor(line.r, line.g, line.b);
    DrawTextCentred(line.text, 160, line.y, 1);
  }
  SetImageFont(font);
}

void HighscoresBody() {
  if (!showOnlineScores) {
    DrawHighscoreTable(kHighscoreTableY);
  } else if (config.online) {
    if (onlineFetchResult > 0) {
      onlineScores.Draw(45, CreateMenuSparks);
    } else {
      Paragraph({{"Uh oh! Something's gone wrong...", 255, 0, 0, 70},
                 {"Skitterworm couldn't connect to the online scoreboard.", 191, 191, 191, 90},
                 {"Make sure your internet connection is working and that", 191, 191, 191, 100},
                 {"your firewall isn't blocking Skitterworm's traffic.", 191, 191, 191, 110},
                 {"If you keep getting this error, visit...", 191, 191, 191, 135},
                 {"...and let me know via the Contact page. Thanks!", 191, 191, 191, 165},
                 {onlineScores.web_address.c_str(), 255, 191, 127, 150}});
    }
  } else {
    Paragraph({{"Online highscores are disabled.", 255, 0, 0, 110},
               {"Enable them from the options menu, then try again.", 191, 191, 191, 130}});
  }
}

void JoypadDialogBody() {
  Paragraph({{"Oops!", 255, 0, 0, 70},
             {"You've selected joypad controls but there", 255, 191, 127, 85},
             {"doesn't seem to be a joypad connected.", 255, 191, 127, 95}});
}

void LogoAndVersion() {
  SetAlpha(fadeScene.value);
  DrawLogo();
  SetAlpha(fadeText.value);
}

void Body() {
  switch (menuScreen) {
    case MENU_MAIN:
      LogoAndVersion();
      SetImageFont(fntSmall);
      SetColor(63, 63, 63);
      DrawTextCentred("v" SKITTERWORM_VERSION, 160, 234, 0);
      break;
    case MENU_OPTIONS:
      LogoAndVersion();
      OptionsBody();
      break;
    case MENU_HIGHSCORES:
      LogoAndVersion();
      HighscoresBody();
      break;
    case MENU_STATISTICS:
      LogoAndVersion();
      StatisticsBody();
      break;
    case MENU_HELP:
      LogoAndVersion();
      HelpBody();
      break;
    case MENU_CREDITS:
      SetAlpha(fadeText.value);
      CreditsStep();
      CreditsDraw();
      SetAlpha(fadeScene.value);
      DrawLogo();
      break;
    case MENU_JOYPAD:
      LogoAndVersion();
      JoypadDialogBody();
      break;
    default:
      break;
  }
}

// The selection range of each screen: next past the top gives `low`, previous
// below the bottom gives `high`.
bool SelectionRange(uint8_t& low, uint8_t& high) {
  switch (menuScreen) {
    case MENU_MAIN:
      low = 1, high = 7;
      return true;
    case MENU_OPTIONS:
      low = 10, high = 18;
      return true;
    case MENU_HIGHSCORES:
      low = 20, high = 21;
      return true;
    case MENU_STATISTICS:
      low = high = 30;
      return true;
    case MENU_HELP:
      low = high = 40;
      return true;
    case MENU_JOYPAD:
      low = 250, high = 253;
      return true;
    default:
      return false;
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
  } else if (mouse.clicked[0] && menuScreen == MENU_HIGHSCORES && !showOnlineScores) {
    WatchEntryAt(MouseX(), MouseY(), kHighscoreTableY);
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
  switch (screen) {
    case MENU_MAIN: {
      static constexpr const char* kItems[7] = {"Play", "Options", "Highscores", "Statistics",
                                                "Help", "Credits", "Quit"};
      for (int i = 0; i < 7; ++i) Clickable(i + 1, kItems[i], 80 + 15 * i);
      break;
    }
    case MENU_OPTIONS:
      BuildOptionSets();
      Clickable(18, "Return to Main Menu", 224);
      break;
    case MENU_HIGHSCORES:
      Clickable(20, OnlineViewText(), 213);
      Clickable(21, "Return to Main Menu", 224);
      break;
    case MENU_STATISTICS:
      Clickable(30, "Return to Main Menu", 224);
      break;
    case MENU_HELP:
      Clickable(40, "Return to Main Menu", 224);
      break;
    case MENU_JOYPAD:
      Clickable(250, "I've plugged it in - try again!", 120);
      Clickable(251, "Use mouse instead", 135);
      Clickable(252, "Use keyboard instead", 150);
      Clickable(253, "Return to Main Menu", 224);
      break;
    default:
      break;  // the credits have no widgets
  }
}

void MenuActivate(uint8_t id) {
  switch (id) {
    case 1:
      // A fresh count, not the last check: the pad may have gone since.
      if (JoyCount() == 0 && config.controls == 3)
        FadeOutTo(MENU_JOYPAD);
      else
        FadeAllOutTo(kStartGame);
      break;
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
      FadeOutTo(id);
      break;
    case 7:
      menuQuit = 1;
      break;
    case 10:
    case 11:
    case 12:
    case 13:
    case 14:
    case 15:
    case 16:
    case 17:
      OptionHeaderAction(id);
      break;
    case 18:
    case 21:
    case 30:
    case 40:
    case 253:
      FadeOutTo(MENU_MAIN);
      break;
    case 20:
      ToggleOnlineView();
      break;
    case 250:
      joycheck.Check();
      if (joypadPresent) FadeAllOutTo(kStartGame);
      break;
    case 251:
      config.controls = 2;
      StartGameNow();
      break;
    case 252:
      config.controls = 1;
      StartGameNow();
      break;
    default:
      break;
  }
}

void MenuBack() {
  switch (menuScreen) {
    case MENU_MAIN:
      menuQuit = 1;
      break;
    case MENU_CREDITS:
      FadeOutTo(MENU_MAIN);
      creditsClosing = 1;
      break;
    default:
      FadeOutTo(MENU_MAIN);
      break;
  }
}

void MenuSelectNext() {
  uint8_t low, high;
  if (!SelectionRange(low, high)) return;
  menuSelected = uint8_t(menuSelected + 1);
  if (menuSelected > high || menuSelected < low) menuSelected = low;
}

void MenuSelectPrevious() {
  uint8_t low, high;
  if (!SelectionRange(low, high)) return;
  menuSelected = uint8_t(menuSelected - 1);
  if (menuSelected < low || menuSelected > high) menuSelected = high;
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
    showOnlineScores = 0;
    menuScreen = MENU_HIGHSCORES;
    menuSelected = 21;
  } else {
    highscoreHighlight = 255;
    menuScreen = MENU_MAIN;
    menuSelected = 1;
  }
  if (DebugLogEnabled()) DebugLog("Menu entered at screen " + std::to_string(menuScreen));
  SetCreatureHandlesCentred(true);
  SpawnMenuParticles(kMenuParticles);
  BuildScreen(menuScreen);
  PointerToRest();
  lstLogoLetters.Clear();
  CreateLogo();
  if (config.music && !returnToHighscores) {
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

void MenuScreen::Leave() {}
