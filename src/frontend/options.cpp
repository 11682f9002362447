#include "frontend/options.h"

#include <algorithm>
#include <array>

#include "audio/audio.h"
#include "audio/audio_startup.h"
#include "audio/music.h"
#include "audio/sfx.h"
#include "core/common.h"
#include "core/fonts.h"
#include "core/helpers.h"
#include "core/mouse.h"
#include "frontend/frontend.h"
#include "frontend/frontend_hooks.h"
#include "frontend/menu_pages.h"
#include "frontend/menu_state.h"
#include "frontend/option_set.h"
#include "persist/config.h"
#include "persist/records.h"
#include "platform/font.h"
#include "platform/graphics.h"
#include "platform/input.h"

namespace {

constexpr uint8_t kGraphicsMode = kFirstOptionItem, kDisplay = kFirstOptionItem + 1, kSound = kFirstOptionItem + 2,
                  kMusic = kFirstOptionItem + 3, kParticles = kFirstOptionItem + 4, kOnline = kFirstOptionItem + 5,
                  kControls = kFirstOptionItem + 6, kConfigureKeys = kFirstOptionItem + 7;
static_assert(kConfigureKeys == kFirstOptionItem + kOptionItems - 1, "one header per option item");
constexpr uint8_t kWindowed = 4;

bool Windowed() { return config.vmode == kWindowed; }

void Call(void (*hook)()) {
  if (hook) hook();
}

TOptionSet* Set(uint8_t id) { return FindOptionSet(id); }

void SetActive(uint8_t id, int32_t active) {
  if (TOptionSet* set = Set(id)) set->opt_active = active;
}

TOptionSet* CreateSet(uint8_t id, const char* header, uint16_t x, uint16_t y,
                      std::initializer_list<const char*> options) {
  TOptionSet* set = TOptionSet::Create(id, header, x, y, fntMain, 8);
  for (const char* option : options) set->AddOption(option);
  return set;
}

// The player's own choice of sound and music is what the settings file keeps,
// even after an audio start that failed earlier in the run.
void SoundOn() {
  AudioSettingChosen(true);
  config.sound = 1;
  sfx.Initialise();  // a device that cannot open switches sound off again
}

void SoundOff() {
  AudioSettingChosen(true);
  config.sound = 0;
}

void MusicOn() {
  AudioSettingChosen(false);
  config.music = 1;
  music.Initialise();
  if (config.music) music.Play(MUSIC_MENU);
}

void MusicOff() {
  AudioSettingChosen(false);
  config.music = 0;
  music.Stop();
}

// The option of a set clicked in the last update, or -1.
int ClickedOption(uint8_t id) {
  TOptionSet* set = Set(id);
  if (!set) return -1;
  for (size_t i = 0; i < set->opt_click.size(); ++i)
    if (set->opt_click[i]) return int(i);
  return -1;
}

void ApplyOptionClicks() {
  int i = ClickedOption(kGraphicsMode);
  if ((i == 0 && !Windowed()) || (i == 1 && Windowed())) Call(frontendHooks.toggle_fullscreen);

  i = ClickedOption(kDisplay);
  if (i >= 0) {
    if (Windowed()) {
      // The current scale reopens all the same.
      if (frontendHooks.set_window_scale) frontendHooks.set_window_scale(i + 1);
    } else if ((i == 0 && config.vres != 1) || (i == 1 && config.vres != 2)) {
      Call(frontendHooks.toggle_resolution);
    }
  }

  i = ClickedOption(kSound);
  if (i == 0) SoundOn();
  if (i == 1) SoundOff();
  if (i >= 0) SetActive(kSound, config.sound ? 0 : 1);

  i = ClickedOption(kMusic);
  if (i == 0) MusicOn();
  if (i == 1) MusicOff();
  if (i >= 0) SetActive(kMusic, config.music ? 0 : 1);

  i = ClickedOption(kParticles);
  if (i >= 0) config.particles = uint8_t(i);

  i = ClickedOption(kOnline);
  if (i >= 0) config.online = i == 0 ? 1 : 0;

  i = ClickedOption(kControls);
  if (i >= 0) config.controls = uint8_t(i + 1);
}

const char* const kActionLabels[7] = {
    "Move left:", "Move right:", "Move up:", "Move down:", "Fire:", "Autofire:", "Use item:"};

// Names of the keys the options can show, by virtual-key code.
std::array<const char*, 256> BuildKeyNames() {
  static char characters[256][2];
  std::array<const char*, 256> names{};
  names.fill("");
  for (int code = '0'; code <= 'Z'; ++code) {
    if (code > '9' && code < 'A') continue;
    characters[code][0] = char(code);
    names[code] = characters[code];
  }
  static const char* const numpad[10] = {"Numpad 0", "Numpad 1", "Numpad 2", "Numpad 3", "Numpad 4",
                                         "Numpad 5", "Numpad 6", "Numpad 7", "Numpad 8", "Numpad 9"};
  for (int n = 0; n < 10; ++n) names[96 + n] = numpad[n];
  const std::pair<int, const char*> named[] = {{8, "Backspace"},
                                               {9, "Tab"},
                                               {12, "Clear"},
                                               {13, "Enter"},
                                               {20, "Caps Lock"},
                                               {32, "Space"},
                                               {33, "Page Up"},
                                               {34, "Page Down"},
                                               {35, "End"},
                                               {36, "Home"},
                                               {37, "Cursor left"},
                                               {38, "Cursor up"},
                                               {39, "Cursor right"},
                                               {40, "Cursor down"},
                                               {45, "Insert"},
                                               {46, "Delete"},
                                               {106, "Numpad *"},
                                               {107, "Numpad +"},
                                               {109, "Numpad -"},
                                               {110, "Numpad ."},
                                               {111, "Numpad /"},
                                               {16, "Shift"},
                                               {17, "Ctrl"},
                                               {18, "Alt"},
                                               {160, "Left Shift"},
                                               {161, "Right Shift"},
                                               {162, "Left Ctrl"},
                                               {163, "Right Ctrl"},
                                               {164, "Left Alt"},
                                               {165, "Right Alt"},
                                               {186, ";"},
                                               {187, "Equals"},
                                               {188, ","},
                                               {189, "Minus"},
                                               {190, "."},
                                               {191, "/"},
                                               {192, "'"},
                                               {219, "["},
                                               {220, "\\"},
                                               {221, "]"},
                                               {222, "#"}};
  for (const auto& [code, name] : named) names[code] = name;
  return names;
}

}  // namespace

const char* KeyName(int code) {
  static const std::array<const char*, 256> names = BuildKeyNames();
  return code >= 0 && code < 256 ? names[code] : "";
}

const char* ShortKeyName(int code) {
  static const std::array<const char*, 256> names = [] {
    std::array<const char*, 256> shorter{};
    for (int c = 0; c < 256; ++c) shorter[size_t(c)] = KeyName(c);
    static const char* const numpad[10] = {"Num 0", "Num 1", "Num 2", "Num 3", "Num 4",
                                           "Num 5", "Num 6", "Num 7", "Num 8", "Num 9"};
    for (int n = 0; n < 10; ++n) shorter[size_t(96 + n)] = numpad[n];
    const std::pair<int, const char*> named[] = {
        {8, "Bksp"},    {20, "Caps"},   {33, "PgUp"},   {34, "PgDn"},    {37, "Left"},    {38, "Up"},
        {39, "Right"},  {40, "Down"},   {45, "Ins"},    {46, "Del"},     {106, "Num *"},  {107, "Num +"},
        {109, "Num -"}, {110, "Num ."}, {111, "Num /"}, {160, "LShift"}, {161, "RShift"}, {162, "LCtrl"},
        {163, "RCtrl"}, {164, "LAlt"},  {165, "RAlt"},  {187, "="},      {189, "-"}};
    for (const auto& [code, name] : named) shorter[size_t(code)] = name;
    return shorter;
  }();
  return code >= 0 && code < 256 ? names[size_t(code)] : "";
}

void DrawKeyName(int code, int32_t x, int32_t y) { DrawTextShadow(KeyName(code), x, y); }

void BuildOptionSets() {
  CreateSet(kGraphicsMode, "Graphics Mode", 35, 55, {"Windowed", "Fullscreen"})->opt_active = Windowed() ? 0 : 1;
  CreateSet(kDisplay, "Scaling", 35, 80, {});
  RefillDisplaySet();
  CreateSet(kSound, "Sound Effects", 35, 105, {"On", "Off"})->opt_active = config.sound ? 0 : 1;
  CreateSet(kMusic, "Music", 35, 130, {"On", "Off"})->opt_active = config.music ? 0 : 1;
  CreateSet(kParticles, "Particles", 35, 155, {"50%", "100%", "200%", "300%"})->opt_active = config.particles;
  CreateSet(kOnline, "Online Highscores", 35, 180, {"On", "Off"})->opt_active = config.online ? 0 : 1;
  CreateSet(kControls, "Controls", 170, 55, {});
  RefillControlsSet();
  CreateSet(kConfigureKeys, "Configure Keys", 170, 80, {});
}

void RefillDisplaySet() {
  TOptionSet* set = Set(kDisplay);
  if (!set) return;
  set->ClearOptions();
  if (Windowed()) {
    set->SetHeader("Scaling");
    for (const char* option : {"1x", "2x", "3x", "4x"}) set->AddOption(option);
    SetActive(kGraphicsMode, 0);
    set->opt_active = config.vscale - 1;
  } else {
    set->SetHeader("Resolution");
    set->AddOption("320x240");
    set->AddOption("640x480");
    SetActive(kGraphicsMode, 1);
    set->opt_active = config.vres == 1 ? 0 : 1;
  }
}

void RefillControlsSet() {
  TOptionSet* set = Set(kControls);
  if (!set) return;
  set->ClearOptions();
  set->AddOption("Keyboard");
  set->AddOption("Mouse");
  if (joypadPresent) set->AddOption("Joypad");
  if (config.controls == CONTROLS_JOYPAD && !joypadPresent) config.controls = CONTROLS_MOUSE;
  set->opt_active = config.controls - 1;
}

void OptionHeaderAction(uint8_t id) {
  switch (id) {
    case kGraphicsMode:
      Call(frontendHooks.toggle_fullscreen);
      SetActive(kGraphicsMode, Windowed() ? 0 : 1);
      RefillDisplaySet();
      break;
    case kDisplay:
      if (!Windowed()) {
        Call(frontendHooks.toggle_resolution);
      } else {
        Call(frontendHooks.next_window_scale);
        // The window changed size: keep the pointer on the header it clicked.
        if (TOptionSet* set = Set(kDisplay)) MoveMouse(35 + set->head_w / 2, 80 + set->head_h / 2);
      }
      break;
    case kSound:
      if (config.sound)
        SoundOff();
      else
        SoundOn();
      SetActive(kSound, config.sound ? 0 : 1);
      break;
    case kMusic:
      if (config.music)
        MusicOff();
      else
        MusicOn();
      SetActive(kMusic, config.music ? 0 : 1);
      break;
    case kParticles:
      config.particles = uint8_t(config.particles >= 3 ? 0 : config.particles + 1);
      SetActive(kParticles, config.particles);
      break;
    case kOnline:
      config.online = config.online ? 0 : 1;
      SetActive(kOnline, config.online ? 0 : 1);
      break;
    case kControls:
      if (config.controls == CONTROLS_KEYBOARD)
        config.controls = CONTROLS_MOUSE;
      else if (config.controls == CONTROLS_MOUSE)
        config.controls = joypadPresent ? CONTROLS_JOYPAD : CONTROLS_KEYBOARD;
      else
        config.controls = CONTROLS_KEYBOARD;
      SetActive(kControls, config.controls - 1);
      break;
    case kConfigureKeys:
      keyConfigStep = 1;
      frontend.keyRefused = 0;
      std::copy(std::begin(config.key), std::end(config.key), std::begin(frontend.keysBeforeCapture));
      FlushKeys();
      break;
    default:
      break;
  }
}

void OptionsBody() {
  lstOptionSets.ForEach([](TOptionSet* set) { set->Draw(); });
  // The seven bindings stand ten pixels apart: the small font fits them.
  SetImageFont(fntSmall);
  for (int n = 0; n < 7; ++n) {
    const int32_t y = 90 + 10 * n;
    SetColor(0, 127, 0);
    DrawTextRight(kActionLabels[n], 227, y, 1);
    if (keyConfigStep == n + 1) {
      SetColor(127, 255, 127);
      if (frontend.keyRefused) SetColor(255, 127, 63);
      DrawTextShadow(frontend.keyRefused ? "Not that one..." : "Press a key...", 232, y);
    } else {
      SetColor(0, 191, 0);
      DrawKeyName(config.key[n], 232, y);
    }
  }
  // Pointer clicks are ignored while keys are captured.
  if (keyConfigStep == 0) ApplyOptionClicks();
  if (keyConfigStep != 0) KeyCapture();
}

namespace {

// A key already chosen for an earlier action of this capture. The actions
// still to come are not asked: they are about to be chosen anew.
bool KeyChosenBefore(int32_t code, int action) {
  for (int n = 0; n < action; ++n)
    if (config.key[n] == code) return true;
  return false;
}

// Escape keeps the keys chosen so far, unless one of them is also the key
// of an action not reached: then no action would know which it is, and the
// capture is undone.
void EndCaptureEarly() {
  const int reached = keyConfigStep - 1;
  for (int n = reached; n < 7; ++n) {
    if (!KeyChosenBefore(config.key[n], reached)) continue;
    std::copy(std::begin(frontend.keysBeforeCapture), std::end(frontend.keysBeforeCapture), std::begin(config.key));
    break;
  }
  keyConfigStep = 0;
}

}  // namespace

void KeyCapture() {
  if (polledKey == vk::kEscape) {
    EndCaptureEarly();
    FlushKeys();
  } else if (keyConfigStep <= 7) {
    if (polledKey > 0) {
      const int action = keyConfigStep - 1;
      frontend.keyRefused = KeyReserved(polledKey) || KeyChosenBefore(polledKey, action);
      if (!frontend.keyRefused) {
        config.key[action] = uint8_t(polledKey);
        ++keyConfigStep;
      }
      // A key still held is not taken again at once for the next action.
      FlushKeys();
    }
  } else {
    keyConfigStep = 0;
  }
}
