#pragma once
#include <map>
#include <string>
#include <vector>

namespace forge {

// One glyph of a BDF bitmap font. Pixel rows run top to bottom inside the
// glyph's bounding box (BBX); (bbx_x, bbx_y) is the box's lower-left corner
// relative to the origin on the baseline, y growing upward, as in BDF.
struct BdfGlyph {
  std::string name;
  int code = -1;
  int advance = 0;  // DWIDTH x
  int bbx_w = 0, bbx_h = 0, bbx_x = 0, bbx_y = 0;
  std::vector<std::vector<bool>> rows;  // bbx_h rows of bbx_w pixels

  // Pixel at (x, y) in font pixels: x from the origin, y upward from the baseline.
  bool PixelAt(int x, int y) const;
  bool Blank() const;
};

struct BdfFont {
  std::string name;             // FONT
  std::string family;           // FAMILY_NAME property, or the file's stem
  std::string copyright;        // COPYRIGHT property
  int pixel_size = 0;           // PIXEL_SIZE property (or SIZE)
  int ascent = 0, descent = 0;  // FONT_ASCENT, FONT_DESCENT
  int cap_height = 0, x_height = 0;
  std::map<int, BdfGlyph> glyphs;  // by encoding

  const BdfGlyph* Find(int code) const;
};

// Parses BDF 2.1 text. Glyph art in comments of the form "COMMENT |..##..|"
// inside a glyph, when present, must match the BITMAP exactly: the readable
// drawing and the bitmap can never drift apart.
bool ParseBdf(const std::string& text, BdfFont& font, std::string& error);
bool LoadBdf(const std::string& path, BdfFont& font, std::string& error);

}  // namespace forge
