#pragma once
// A small BDF reader of the test's own, independent of the forge: the test
// compares FreeType's rendering of the built fonts with the glyph grids of the
// sources in assets/fonts.
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace assets_test {

struct Glyph {
  int advance = 0;
  int w = 0, h = 0, x = 0, y = 0;  // BBX
  std::vector<std::string> rows;   // '#' ink, '.' empty; top row first

  bool Ink(int px, int py) const {  // font pixels, y up from the baseline
    const int c = px - x, r = h - 1 - (py - y);
    return c >= 0 && c < w && r >= 0 && r < h && rows[size_t(r)][size_t(c)] == '#';
  }
  int InkCount() const {
    int n = 0;
    for (const auto& r : rows)
      for (char ch : r) n += ch == '#';
    return n;
  }
};

struct Font {
  int pixel_size = 0, ascent = 0, descent = 0;
  std::map<int, Glyph> glyphs;
};

inline bool ReadBdf(const std::string& path, Font& font) {
  std::ifstream in(path);
  if (!in) return false;
  std::string line;
  Glyph g;
  int code = -1;
  bool bitmap = false;
  while (std::getline(in, line)) {
    std::istringstream w(line);
    std::string key;
    w >> key;
    if (bitmap) {
      if (key == "ENDCHAR") {
        bitmap = false;
        if (code >= 0) font.glyphs[code] = g;
        continue;
      }
      std::string row;
      for (int c = 0; c < g.w; ++c) {
        const char hex = key[size_t(c / 4)];
        const int v = hex <= '9' ? hex - '0' : (hex | 0x20) - 'a' + 10;
        row += ((v >> (3 - c % 4)) & 1) ? '#' : '.';
      }
      g.rows.push_back(row);
    } else if (key == "PIXEL_SIZE") {
      w >> font.pixel_size;
    } else if (key == "FONT_ASCENT") {
      w >> font.ascent;
    } else if (key == "FONT_DESCENT") {
      w >> font.descent;
    } else if (key == "STARTCHAR") {
      g = Glyph();
      code = -1;
    } else if (key == "ENCODING") {
      w >> code;
    } else if (key == "DWIDTH") {
      w >> g.advance;
    } else if (key == "BBX") {
      w >> g.w >> g.h >> g.x >> g.y;
    } else if (key == "BITMAP") {
      bitmap = true;
    }
  }
  return font.pixel_size > 0 && !font.glyphs.empty();
}

}  // namespace assets_test
