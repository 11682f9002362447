#include "platform/sdl/key_map.h"

#include <array>

namespace {

struct KeyPair {
  SDL_Scancode scancode;
  int code;
};

// Keys whose codes do not follow from a run of scancodes.
constexpr KeyPair kSingleKeys[] = {
    {SDL_SCANCODE_RETURN, 13},      {SDL_SCANCODE_ESCAPE, 27},       {SDL_SCANCODE_BACKSPACE, 8},
    {SDL_SCANCODE_TAB, 9},          {SDL_SCANCODE_SPACE, 32},        {SDL_SCANCODE_MINUS, 189},
    {SDL_SCANCODE_EQUALS, 187},     {SDL_SCANCODE_LEFTBRACKET, 219}, {SDL_SCANCODE_RIGHTBRACKET, 221},
    {SDL_SCANCODE_BACKSLASH, 220},  {SDL_SCANCODE_NONUSHASH, 220},   {SDL_SCANCODE_SEMICOLON, 186},
    {SDL_SCANCODE_APOSTROPHE, 222}, {SDL_SCANCODE_GRAVE, 192},       {SDL_SCANCODE_COMMA, 188},
    {SDL_SCANCODE_PERIOD, 190},     {SDL_SCANCODE_SLASH, 191},       {SDL_SCANCODE_NONUSBACKSLASH, 226},
    {SDL_SCANCODE_CAPSLOCK, 20},    {SDL_SCANCODE_PRINTSCREEN, 44},  {SDL_SCANCODE_SCROLLLOCK, 145},
    {SDL_SCANCODE_PAUSE, 19},       {SDL_SCANCODE_INSERT, 45},       {SDL_SCANCODE_HOME, 36},
    {SDL_SCANCODE_PAGEUP, 33},      {SDL_SCANCODE_DELETE, 46},       {SDL_SCANCODE_END, 35},
    {SDL_SCANCODE_PAGEDOWN, 34},    {SDL_SCANCODE_RIGHT, 39},        {SDL_SCANCODE_LEFT, 37},
    {SDL_SCANCODE_DOWN, 40},        {SDL_SCANCODE_UP, 38},           {SDL_SCANCODE_NUMLOCKCLEAR, 144},
    {SDL_SCANCODE_KP_DIVIDE, 111},  {SDL_SCANCODE_KP_MULTIPLY, 106}, {SDL_SCANCODE_KP_MINUS, 109},
    {SDL_SCANCODE_KP_PLUS, 107},    {SDL_SCANCODE_KP_ENTER, 13},     {SDL_SCANCODE_KP_PERIOD, 110},
    {SDL_SCANCODE_KP_0, 96},        {SDL_SCANCODE_APPLICATION, 93},  {SDL_SCANCODE_LCTRL, 162},
    {SDL_SCANCODE_LSHIFT, 160},     {SDL_SCANCODE_LALT, 164},        {SDL_SCANCODE_LGUI, 91},
    {SDL_SCANCODE_RCTRL, 163},      {SDL_SCANCODE_RSHIFT, 161},      {SDL_SCANCODE_RALT, 165},
    {SDL_SCANCODE_RGUI, 92},
};

constexpr std::array<int, SDL_NUM_SCANCODES> BuildTable() {
  std::array<int, SDL_NUM_SCANCODES> table{};
  for (int i = 0; i < 26; ++i) table[SDL_SCANCODE_A + i] = 'A' + i;
  // SDL lists the digit row 1..9, 0; the codes are the characters.
  for (int i = 0; i < 9; ++i) table[SDL_SCANCODE_1 + i] = '1' + i;
  table[SDL_SCANCODE_0] = '0';
  for (int i = 0; i < 12; ++i) table[SDL_SCANCODE_F1 + i] = 112 + i;
  for (int i = 0; i < 12; ++i) table[SDL_SCANCODE_F13 + i] = 124 + i;
  // Keypad 1..9 follow keypad 0 (96).
  for (int i = 0; i < 9; ++i) table[SDL_SCANCODE_KP_1 + i] = 97 + i;
  for (const KeyPair& pair : kSingleKeys) table[pair.scancode] = pair.code;
  return table;
}

constexpr std::array<int, SDL_NUM_SCANCODES> kTable = BuildTable();

}  // namespace

int VirtualKeyFromScancode(SDL_Scancode scancode) {
  const int index = static_cast<int>(scancode);
  if (index < 0 || index >= SDL_NUM_SCANCODES) return 0;
  return kTable[index];
}

int GenericModifier(int virtual_key) {
  switch (virtual_key) {
    case 160:
    case 161:
      return 16;
    case 162:
    case 163:
      return 17;
    case 164:
    case 165:
      return 18;
    default:
      return 0;
  }
}
