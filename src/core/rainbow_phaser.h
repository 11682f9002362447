#pragma once
#include <cstdint>

// A colour walking round the edge of the hue circle: red, magenta, blue, cyan,
// green, yellow and back to red. Speeds that divide 255 land exactly on 0 and 255.
class TRainbowPhaser {
 public:
  uint8_t r = 255, g = 0, b = 0;
  uint8_t speed = 5;

  void Update(uint8_t steps);
  void Set() const;  // makes the colour the drawing colour, lifted to be read on black
};
