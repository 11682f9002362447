#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "bdf_font.h"

namespace forge {

// Converts a bitmap font into a TrueType font whose outlines are whole-pixel
// rectangles: 128 font units per pixel, unitsPerEm = pixel size × 128, ascent +
// descent = pixel size, no hinting tables. FreeType's monochrome renderer at the
// pixel size then sets exactly the drawn pixels. Every table is written from the
// font alone (dates 0), so the bytes never change between builds.
constexpr int kUnitsPerPixel = 128;

std::vector<uint8_t> BuildTrueType(const BdfFont& font, std::string& error);

// The rectangles (in font pixels, y upward, [x0, x1) × [y0, y1)) that cover a
// glyph's pixels without overlapping: runs of a row merged with identical runs
// of the rows below them.
struct PixelRect {
  int x0, y0, x1, y1;
};
std::vector<PixelRect> GlyphRectangles(const BdfGlyph& glyph);

}  // namespace forge
