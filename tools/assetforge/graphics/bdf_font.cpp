#include "bdf_font.h"

#include <fstream>
#include <sstream>

namespace forge {

bool BdfGlyph::PixelAt(int x, int y) const {
  const int col = x - bbx_x;
  const int row = bbx_h - 1 - (y - bbx_y);
  if (col < 0 || col >= bbx_w || row < 0 || row >= bbx_h) return false;
  return rows[size_t(row)][size_t(col)];
}

bool BdfGlyph::Blank() const {
  for (const auto& r : rows)
    for (bool b : r)
      if (b) return false;
  return true;
}

const BdfGlyph* BdfFont::Find(int code) const {
  auto it = glyphs.find(code);
  return it == glyphs.end() ? nullptr : &it->second;
}

namespace {

std::string Unquote(const std::string& s) {
  if (s.size() >= 2 && s.front() == '"' && s.back() == '"') return s.substr(1, s.size() - 2);
  return s;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool ParseBdf(const std::string& text, BdfFont& font, std::string& error) {
  std::istringstream in(text);
  std::string line;
  int line_no = 0;
  bool in_props = false, in_bitmap = false, started = false;
  BdfGlyph glyph;
  std::vector<std::string> art;
  auto fail = [&](const std::string& why) {
    error = "line " + std::to_string(line_no) + ": " + why;
    return false;
  };
  while (std::getline(in, line)) {
    ++line_no;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream words(line);
    std::string key;
    words >> key;
    if (key.empty()) continue;
    if (!started) {
      if (key != "STARTFONT") return fail("not a BDF file");
      started = true;
      continue;
    }
    if (in_bitmap) {
      if (key == "ENDCHAR") {
        if (int(glyph.rows.size()) != glyph.bbx_h) return fail("glyph " + glyph.name + ": wrong number of bitmap rows");
        if (!art.empty()) {
          bool same = int(art.size()) == glyph.bbx_h;
          for (int r = 0; same && r < glyph.bbx_h; ++r) {
            same = int(art[size_t(r)].size()) == glyph.bbx_w;
            for (int c = 0; same && c < glyph.bbx_w; ++c)
              same = (art[size_t(r)][size_t(c)] == '#') == glyph.rows[size_t(r)][size_t(c)];
          }
          if (!same) return fail("glyph " + glyph.name + ": the COMMENT drawing does not match the BITMAP");
        }
        if (glyph.code >= 0) font.glyphs[glyph.code] = glyph;
        in_bitmap = false;
        continue;
      }
      std::vector<bool> row(size_t(glyph.bbx_w), false);
      for (int c = 0; c < glyph.bbx_w; ++c) {
        const size_t digit = size_t(c / 4);
        if (digit >= key.size()) return fail("glyph " + glyph.name + ": short bitmap row");
        const int v = HexValue(key[digit]);
        if (v < 0) return fail("glyph " + glyph.name + ": bad hex digit");
        row[size_t(c)] = (v >> (3 - c % 4)) & 1;
      }
      glyph.rows.push_back(std::move(row));
      continue;
    }
    if (in_props) {
      std::string rest;
      std::getline(words, rest);
      if (!rest.empty() && rest[0] == ' ') rest.erase(0, rest.find_first_not_of(' '));
      if (key == "ENDPROPERTIES")
        in_props = false;
      else if (key == "FONT_ASCENT")
        font.ascent = std::stoi(rest);
      else if (key == "FONT_DESCENT")
        font.descent = std::stoi(rest);
      else if (key == "PIXEL_SIZE")
        font.pixel_size = std::stoi(rest);
      else if (key == "CAP_HEIGHT")
        font.cap_height = std::stoi(rest);
      else if (key == "X_HEIGHT")
        font.x_height = std::stoi(rest);
      else if (key == "FAMILY_NAME")
        font.family = Unquote(rest);
      else if (key == "COPYRIGHT")
        font.copyright = Unquote(rest);
      continue;
    }
    if (key == "COMMENT") {
      const size_t open = line.find('|'), close = line.rfind('|');
      if (glyph.code >= 0 && open != std::string::npos && close > open)
        art.push_back(line.substr(open + 1, close - open - 1));
    } else if (key == "FONT") {
      std::getline(words >> std::ws, font.name);
    } else if (key == "SIZE") {
      int s = 0;
      words >> s;
      if (font.pixel_size == 0) font.pixel_size = s;
    } else if (key == "STARTPROPERTIES") {
      in_props = true;
    } else if (key == "STARTCHAR") {
      glyph = BdfGlyph();
      art.clear();
      std::getline(words >> std::ws, glyph.name);
    } else if (key == "ENCODING") {
      words >> glyph.code;
    } else if (key == "DWIDTH") {
      words >> glyph.advance;
    } else if (key == "BBX") {
      words >> glyph.bbx_w >> glyph.bbx_h >> glyph.bbx_x >> glyph.bbx_y;
      if (!words) return fail("bad BBX");
    } else if (key == "BITMAP") {
      in_bitmap = true;
      glyph.rows.clear();
    } else if (key == "ENDFONT") {
      break;
    }
  }
  if (font.pixel_size <= 0) return fail("no PIXEL_SIZE");
  // The line may be shorter than the em: the main font keeps the 13-pixel em the
  // game loads it at, pixel for pixel, with an 11-pixel line.
  if (font.ascent <= 0 || font.descent < 0 || font.ascent + font.descent > font.pixel_size)
    return fail("FONT_ASCENT + FONT_DESCENT must be at most PIXEL_SIZE");
  if (font.glyphs.empty()) return fail("no glyphs");
  return true;
}

bool LoadBdf(const std::string& path, BdfFont& font, std::string& error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    error = path + ": cannot open";
    return false;
  }
  std::ostringstream text;
  text << file.rdbuf();
  if (!ParseBdf(text.str(), font, error)) {
    error = path + ": " + error;
    return false;
  }
  if (font.family.empty()) {
    std::string stem = path.substr(path.find_last_of('/') + 1);
    font.family = stem.substr(0, stem.rfind('.'));
  }
  return true;
}

}  // namespace forge
