#include "frontend/info_screens.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/common.h"
#include "core/fonts.h"
#include "core/helpers.h"
#include "core/images.h"
#include "core/rainbow_phaser.h"
#include "frontend/options.h"
#include "persist/config.h"
#include "persist/records.h"
#include "persist/statistics.h"
#include "platform/font.h"
#include "platform/graphics.h"
#include "platform/image.h"
#include "platform/input.h"

namespace {

void Centred(const char* text, int32_t x, int32_t y) { DrawTextCentred(text, x, y, 1); }

void Colour(int r, int g, int b) { SetColor(r, g, b); }

// Number and label on one line, built without touching the heap.
void CountLine(int32_t count, const char* label, int32_t x, int32_t y) {
  char line[64];
  std::snprintf(line, sizeof line, "%d%s", count, label);
  Centred(line, x, y);
}

void Number(int32_t value, int32_t x, int32_t y) { CountLine(value, "", x, y); }

}  // namespace

const char* ShortFloat(float value, char (&out)[6]) {
  char full[48];
  std::snprintf(full, sizeof full, "%#.9g", double(value));
  std::memcpy(out, full, 5);
  out[5] = 0;
  return out;
}

namespace {

// One control of the help's panel: its label (a row of the panel's image)
// and what works it, in parts the panel never breaks: key names and the
// pointer's or pad's buttons.
struct Control {
  int label_row;
  const char* parts[4];
  int keys[4];  // the key of each part, or -1 for a button
};

// Where the player's keys go beside their labels, and how wide they may be.
constexpr int32_t kPanelX = 200, kPanelY = 163, kKeysX = 234, kKeysWidth = 320 - 2 - kKeysX, kRow = 9;

// The parts of a control as one line when it fits; else with the keys' short
// names, one line or more, broken between parts. Returns the lines drawn.
int DrawControl(const Control& control, int32_t y) {
  const char* parts[4];
  int count = 0;
  for (; count < 4 && control.parts[count]; ++count) parts[count] = control.parts[count];
  char line[64];
  const auto join = [&](int from, int to) {
    int at = 0;
    for (int i = from; i < to && at < int(sizeof line) - 1; ++i)
      at += std::snprintf(line + at, sizeof line - size_t(at), i > from ? " %s" : "%s", parts[i]);
    return std::string_view(line, size_t(std::min(at, int(sizeof line) - 1)));
  };
  if (TextWidth(join(0, count)) > kKeysWidth)
    for (int i = 0; i < count; ++i)
      if (control.keys[i] >= 0) parts[i] = ShortKeyName(control.keys[i]);
  int lines = 0;
  for (int first = 0; first < count; ++lines) {
    int end = first + 1;
    while (end < count && TextWidth(join(first, end + 1)) <= kKeysWidth) ++end;
    DrawTextShadow(join(first, end), kKeysX, y + kRow * lines);
    first = end;
  }
  return std::max(lines, 1);
}

// The player's own keys (and pointer or joypad) beside the labels of the
// controls panel; a control that needs more than a line pushes the rows
// below it down.
void HelpKeys() {
  const auto& key = config.key;
  Control controls[4] = {{0, {}, {-1, -1, -1, -1}},
                         {1, {}, {-1, -1, -1, -1}},
                         {2, {}, {-1, -1, -1, -1}},
                         {3, {KeyName(key[key_slot::kAutofire])}, {key[key_slot::kAutofire], -1, -1, -1}}};
  Control &move = controls[0], &fire = controls[1], &use = controls[2];
  char use_button[24];
  switch (config.controls) {
    case 2:
      move.parts[0] = "mouse";
      fire.parts[0] = "left button";
      use = {2, {"right button,", KeyName(key[key_slot::kUseItem])}, {-1, key[key_slot::kUseItem], -1, -1}};
      break;
    case 3:  // the pad's own names for its buttons: "A", or "Cross" on a PlayStation pad
      std::snprintf(use_button, sizeof use_button, "%s,", JoyButtonName(1, 0));
      move.parts[0] = "stick, D-pad";
      fire.parts[0] = JoyButtonName(0, 0);
      use = {2, {use_button, KeyName(key[key_slot::kUseItem])}, {-1, key[key_slot::kUseItem], -1, -1}};
      break;
    default:
      if (key[key_slot::kLeft] == vk::kLeft && key[key_slot::kRight] == vk::kRight && key[key_slot::kUp] == vk::kUp &&
          key[key_slot::kDown] == vk::kDown) {
        move.parts[0] = "arrows";
      } else {
        move = {0,
                {KeyName(key[key_slot::kLeft]), KeyName(key[key_slot::kRight]), KeyName(key[key_slot::kUp]),
                 KeyName(key[key_slot::kDown])},
                {key[key_slot::kLeft], key[key_slot::kRight], key[key_slot::kUp], key[key_slot::kDown]}};
      }
      fire = {1, {KeyName(key[key_slot::kFire])}, {key[key_slot::kFire], -1, -1, -1}};
      use = {2, {KeyName(key[key_slot::kUseItem])}, {key[key_slot::kUseItem], -1, -1, -1}};
      break;
  }
  int32_t y = kPanelY;
  for (const Control& control : controls) {
    Colour(255, 255, 255);
    SetBlend(Blend::kAlpha);
    DrawImage(gfx.help_controls, kPanelX, float(y), control.label_row);
    SetBlend(Blend::kLight);
    SetImageFont(fntSmall);
    Colour(200, 200, 200);
    y += kRow * DrawControl(control, y);
  }
  // The rows that name fixed keys: pause, then F4, F5 and F12.
  Colour(255, 255, 255);
  SetBlend(Blend::kAlpha);
  for (int row : {4, 5}) DrawImage(gfx.help_controls, kPanelX, float(y + kRow * (row - 4)), row);
  SetBlend(Blend::kLight);
}

}  // namespace

void HelpBody() {
  rainbow.Set();
  SetImageFont(fntMain);
  Centred("H O W   T O   P L A Y", 160, 45);
  Centred("P O W E R U P S", 100, 150);
  Centred("C O N T R O L S", 260, 150);

  SetImageFont(fntSmall);
  Colour(191, 191, 191);
  Centred("Blast all skitterworms to advance to next wave!", 160, 60);
  Centred("Dodge spiders and snails (or blast them too)", 160, 85);
  Centred("Destroy flying saucers for powerups", 160, 110);
  Centred("Be quick or the warden will be after you!", 160, 135);

  Colour(255, 127, 0);
  for (int32_t x : {113, 122, 131}) DrawImage(gfx.skitterworm, float(x), 66, 0);
  Colour(255, 191, 0);
  DrawTextShadow("10 points each", 146, 66);
  Colour(127, 255, 0);
  DrawImage(gfx.spider, 54, 95);
  Colour(191, 255, 0);
  DrawTextShadow("25 - 75 points each", 65, 91);
  Colour(0, 255, 127);
  DrawImage(gfx.snail, 170, 95, 0);
  Colour(0, 255, 191);
  DrawTextShadow("50 - 100 points each", 181, 91);
  Colour(0, 127, 255);
  DrawImage(gfx.saucer, 122, 121, 1);
  rainbowFast.Set();
  DrawImage(gfx.saucer_glow, 118, 117, 1);
  Colour(0, 191, 255);
  DrawTextShadow("200 points each", 133, 116);

  Colour(255, 255, 255);
  SetBlend(Blend::kAlpha);
  DrawImage(gfx.help_powerups, 5, 163);
  SetBlend(Blend::kLight);
  HelpKeys();
}

void StatisticsBody() {
  const TStatsLife& s = statsLife;
  rainbow.Set();
  SetImageFont(fntMain);
  Centred("S T A T I S T I C S", 160, 45);

  SetImageFont(fntSmall);
  struct Heading {
    const char* text;
    int r, g, b;
    int32_t x, y;
  };
  static constexpr Heading kHeadings[] = {{"Enemy Losses", 0, 127, 255, 55, 60},
                                          {"Allied Losses", 255, 0, 0, 265, 60},
                                          {"Kill Ratio", 0, 191, 0, 160, 60},
                                          {"Mushrooms Cleared", 0, 191, 127, 160, 90},
                                          {"Bullets Fired", 191, 127, 0, 160, 140},
                                          {"Accuracy", 223, 223, 0, 160, 170},
                                          {"Powerups Collected", 127, 0, 191, 55, 130},
                                          {"Games Played", 255, 0, 95, 265, 140},
                                          {"Fastest Skitterworm", 255, 0, 191, 265, 170}};
  for (const Heading& h : kHeadings) {
    Colour(h.r, h.g, h.b);
    Centred(h.text, h.x, h.y);
  }

  char number[6], line[64];
  SetScale(2, 2);
  Colour(63, 191, 255);
  Number(s.TotalKills(), 55, 71);
  Colour(191, 0, 255);
  Number(s.TotalPowerups(), 55, 141);
  Colour(159, 255, 159);
  std::snprintf(line, sizeof line, "%s : 1", ShortFloat(s.KillRatio(), number));
  Centred(line, 160, 71);
  Colour(0, 255, 191);
  Number(s.TotalShrooms(), 160, 101);
  Colour(255, 191, 63);
  Number(s.bullets_fired, 160, 151);
  Colour(255, 255, 127);
  std::snprintf(line, sizeof line, "%s%%", ShortFloat(s.Accuracy(), number));
  Centred(line, 160, 181);
  Colour(255, 95, 0);
  Number(s.TotalDeaths(), 265, 71);
  Colour(255, 127, 191);
  Number(s.games_played, 265, 151);
  SetScale(1, 1);

  Colour(255, 127, 255);
  std::snprintf(line, sizeof line, "%s pixels / sec", ShortFloat(s.fastest_worm, number));
  Centred(line, 265, 180);

  Colour(223, 223, 223);
  for (const LifetimeCounter& counter : kLifetimeCounters)
    if (counter.label) CountLine(s.*counter.total, counter.label, counter.x, counter.y);
  static constexpr const char* kPowerups[kStatPowerups] = {
      " laser upgrades",  " score multipliers", " spider radars", " extra lives", " free movements",
      " invulnerabities", " missile volleys",   " smart bombs",   " railblasts",  " scattermines"};
  for (int i = 0; i < kStatPowerups; ++i) CountLine(s.powerups[i], kPowerups[i], 55, 154 + 8 * i);
}
