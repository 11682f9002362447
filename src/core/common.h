#pragma once
// The state every screen of the program uses. The world's state lives in
// game/world.h, the player's records in persist/records.h, the sound's in
// audio/audio.h and the menus' in frontend/frontend.h.
#include <cstdint>

#include "core/fader.h"
#include "core/menu_screens.h"
#include "core/mouse.h"
#include "core/rainbow_phaser.h"
#include "core/sine_table.h"
#include "platform/clock.h"

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
