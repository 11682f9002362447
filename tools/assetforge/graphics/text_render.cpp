#include "text_render.h"

namespace forge {

int TextWidth(const BdfFont& font, const std::string& text) {
  int w = 0;
  for (unsigned char c : text)
    if (const BdfGlyph* g = font.Find(c)) w += g->advance;
  return w;
}

void DrawText(Canvas& canvas, const BdfFont& font, int x, int y, const std::string& text, Rgba colour, int scale) {
  int pen = x;
  const int baseline = y + font.ascent * scale;
  for (unsigned char c : text) {
    const BdfGlyph* g = font.Find(c);
    if (!g) continue;
    for (int r = 0; r < g->bbx_h; ++r)
      for (int col = 0; col < g->bbx_w; ++col)
        if (g->rows[size_t(r)][size_t(col)]) {
          const int px = pen + (g->bbx_x + col) * scale;
          const int py = baseline - (g->bbx_y + g->bbx_h - r) * scale;
          canvas.BlendRect(px, py, scale, scale, colour);
        }
    pen += g->advance * scale;
  }
}

void DrawTextShadow(Canvas& canvas, const BdfFont& font, int x, int y, const std::string& text, Rgba colour,
                    Rgba shadow) {
  DrawText(canvas, font, x + 1, y + 1, text, shadow);
  DrawText(canvas, font, x, y, text, colour);
}

void DrawTextCentred(Canvas& canvas, const BdfFont& font, int cx, int y, const std::string& text, Rgba colour,
                     int scale) {
  DrawText(canvas, font, cx - TextWidth(font, text) * scale / 2, y, text, colour, scale);
}

}  // namespace forge
