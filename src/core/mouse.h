#pragma once
#include <cstdint>

// Per-frame pointer bookkeeping: hold counters per button, so a click is the
// one frame on which a counter is exactly 1.
class TMouse {
 public:
  int32_t x = 0, y = 0;
  int32_t m1 = 0, m2 = 0, m3 = 0;
  int32_t w = 0;
  uint8_t wup = 0, wdn = 0;
  int32_t over = -1;  // id of the menu widget under the pointer this frame
  uint8_t anydown = 0;
  uint8_t down[3] = {};
  uint8_t clicked[3] = {};

  void Update();
};
