#pragma once
#include <cstdint>

// Creatures, mushrooms and texts are drawn on a black field, in colours the
// random colour families and the colour cyclers choose; the darkest of those
// (a deep blue mushroom, the logo's dark blue) were barely visible. Where such
// a colour is drawn it is lifted: its hue stays, and a shade of less than
// twice the least contrast is brightened, the darker the more, so every shade
// keeps at least 3:1 against black and the shades of a family stay apart.
// Only the drawing sees the lifted colour: what the world keeps is unchanged.

struct Rgb8 {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb8&) const = default;
};

// The contrast of a colour against black: (L + 0.05) / 0.05 with L the
// relative luminance of the sRGB colour.
double ContrastOnBlack(Rgb8 colour);
// The colour as drawn on the black field: unchanged when it is light enough;
// black stays black.
Rgb8 ReadableOnBlack(Rgb8 colour);
// SetColor with the colour lifted as above.
void SetReadableColor(int r, int g, int b);
