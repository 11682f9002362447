#pragma once
#include <cstdint>

// The options screen: display, sound, music, particles, online scores,
// controls and the seven key bindings. Every change takes effect at once and
// lands in config, which is saved when the program ends.

// Builds the option sets of the options screen with the current settings.
void BuildOptionSets();
// Each frame on the options screen: the sets, the key labels and bindings,
// the option clicks of the last update, then the key capture if it runs.
void OptionsBody();
// Activating a header (id 10..17): its value cycles.
void OptionHeaderAction(uint8_t id);
// The display sets follow the display ("Scaling" 1x..4x in a window,
// "Resolution" in full screen); the controls offer "Joypad" only with one.
void RefillDisplaySet();
void RefillControlsSet();
// One frame of key capture while keyConfigStep is not 0.
void KeyCapture();
// The name the options show for a key code; "" for a key without one.
const char* KeyName(int code);
// A shorter name where a narrow place needs one ("Up" for "Cursor up"); the
// name itself for keys without.
const char* ShortKeyName(int code);
void DrawKeyName(int code, int32_t x, int32_t y);
