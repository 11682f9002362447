#pragma once
// The values every part of the game shares: play states, menu screens, the
// version, and the state every screen of the program uses. The world's state
// lives in game/world.h, the player's records in persist/records.h, the
// sound's in audio/audio.h and the menus' in frontend/frontend.h.
#include <cstddef>
#include <cstdint>

#include "core/fader.h"
#include "core/mouse.h"
#include "core/rainbow_phaser.h"
#include "core/sine_table.h"
#include "platform/clock.h"

// Play states.
constexpr uint8_t STATE_ENTERING = 1;
constexpr uint8_t STATE_PLAYING = 2;
constexpr uint8_t STATE_PAUSED = 3;
constexpr uint8_t STATE_NEXTWAVE = 4;
constexpr uint8_t STATE_CLEARED = 5;
constexpr uint8_t STATE_GAMEOVER = 6;
constexpr uint8_t STATE_ENDED = 99;

// Menu screens.
constexpr uint8_t MENU_MAIN = 1, MENU_OPTIONS = 2, MENU_HIGHSCORES = 3, MENU_STATISTICS = 4, MENU_HELP = 5,
                  MENU_CREDITS = 6, MENU_INGAME = 99;

// The program's version comes from the build (the project's version).
constexpr const char* kGameVersion = SKITTERWORM_VERSION;
constexpr const char* kWindowTitle = "Skitterworm " SKITTERWORM_VERSION;
// The first line of every data file: the format's version, which stays as it
// is whatever the program's version, so older files keep loading.
constexpr const char* kDataFileVersion = "1.2.0";
// No version line is longer: a first line that goes on is not read any further
// (a huge file is never taken in whole), and the file counts as another version.
constexpr size_t kDataFileVersionMaxBytes = 16;

// The stage's letter: stage 1 is A; the byte wraps, so stage 256 is shown as "@".
constexpr char StageLetter(uint8_t stage) { return char(64 + stage); }

// The logical screen every position is given in; the platform scales it to the display.
constexpr int kScreenWidth = 320, kScreenHeight = 240;

// What every screen of the program shares: the frame clock, the 60 Hz timer,
// the pointer, the faders and colour cyclers, and the input values the menu,
// the game and the display switches all read. Reset() makes it as at start-up.
struct Common {
  int64_t timeNow = 0;
  uint8_t menuScreen = MENU_MAIN;
  int32_t polledKey = 0;
  uint8_t joyButtons[2] = {0, 0};  // 0: fire held, 1: item pressed, this frame
  Timer gameTimer{60};
  TMouse mouse;
  TFader fadeScene;
  TFader fadeText;
  TSine sine;
  TCosine cosine;
  TRainbowPhaser rainbow;
  TRainbowPhaser rainbowFast{.speed = 15};
  // The key AnyKey() last reported and when, for its repeat delay.
  int32_t anyKeyLast = 0;
  int64_t anyKeyTime = 0;

  void Reset();
};

extern Common common;

// The names the game uses for them.
inline int64_t& timeNow = common.timeNow;
inline uint8_t& menuScreen = common.menuScreen;
inline int32_t& polledKey = common.polledKey;
inline uint8_t (&joyButtons)[2] = common.joyButtons;
inline Timer& gameTimer = common.gameTimer;
inline TMouse& mouse = common.mouse;
inline TFader& fadeScene = common.fadeScene;
inline TFader& fadeText = common.fadeText;
inline TSine& sine = common.sine;
inline TCosine& cosine = common.cosine;
inline TRainbowPhaser& rainbow = common.rainbow;
inline TRainbowPhaser& rainbowFast = common.rainbowFast;

// The two fonts, loaded once at start-up like the images (process-wide).
struct ImageFont;
extern ImageFont* fntMain;   // "fonts/cweb.ttf", 13 px
extern ImageFont* fntSmall;  // "fonts/uni 05_53.ttf", 8 px
