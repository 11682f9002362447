#pragma once
#include <cstdint>
#include <string>

// The one-line name entry: typed characters are appended, Backspace removes
// the last one, and the name never grows wider than kMaxNameWidth pixels.
// Enter, Tab, Escape, slashes and other control characters are never stored.
class TTextInput {
 public:
  static constexpr int kMaxNameWidth = 85;

  uint16_t x = 0, y = 0;  // centre of the text, logical
  std::string txt;
  uint16_t width = 0;  // width of txt in picture pixels
  uint8_t cursor = 0;
  int32_t time = 0;  // when the cursor last changed

  TTextInput(uint16_t x, uint16_t y) : x(x), y(y) {}
  // Takes the characters typed since the last frame (the last one into
  // polledKey). The caller sets the font.
  void Update();
  void Draw() const;
};
