#pragma once
#include <cstdint>
#include <string>

#include "core/object_list.h"

// A line of menu text that the pointer, the keys and the joypad can select
// and activate. Positions are logical; y is the top of the text.
class TClickableText : public Listed {
 public:
  int32_t id = 0;
  int32_t x = 0, y = 0;
  int32_t w = 0, h = 0;  // size of txt in fntMain
  std::string txt;
  uint8_t align = 2;  // 0 left edge at x, 1 right edge at x, 2 centred on x; others hide it
  std::string clr, clr_over;

  static TClickableText* Create(int32_t id, const std::string& txt, int32_t x, int32_t y, const std::string& clr,
                                const std::string& clr_over, uint8_t align);
  void Die();
  uint8_t IsMouseOver() const;
  uint8_t IsClicked() const { return IsMouseOver(); }
  void Update();
  void Draw() const;
  void CalculateDimensions();  // after txt has changed

 private:
  int32_t Left() const;
};
