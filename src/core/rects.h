#pragma once
#include <cstdint>

// 1 when the rectangles overlap; touching edges do not.
constexpr uint8_t RectsOverlap(int32_t x1, int32_t y1, int32_t w1, int32_t h1, int32_t x2, int32_t y2, int32_t w2,
                               int32_t h2) {
  if (x1 >= x2 + w2 || x1 + w1 <= x2 || y1 >= y2 + h2 || y1 + h1 <= y2) return 0;
  return 1;
}
