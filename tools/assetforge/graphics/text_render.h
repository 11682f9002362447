#pragma once
#include <string>

#include "bdf_font.h"
#include "canvas.h"

namespace forge {

// Draws text with a bitmap font's glyph grids, the same pixels the game's
// FreeType rendering gives: top of the line at y, baseline at y + ascent.
int TextWidth(const BdfFont& font, const std::string& text);
void DrawText(Canvas& canvas, const BdfFont& font, int x, int y, const std::string& text, Rgba colour, int scale = 1);
// Text with a one-pixel drop shadow (down and right), as the game's shadowed text.
void DrawTextShadow(Canvas& canvas, const BdfFont& font, int x, int y, const std::string& text, Rgba colour,
                    Rgba shadow = Rgba{0, 0, 0, 255});
void DrawTextCentred(Canvas& canvas, const BdfFont& font, int cx, int y, const std::string& text, Rgba colour,
                     int scale = 1);

}  // namespace forge
