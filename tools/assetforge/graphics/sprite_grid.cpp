#include "sprite_grid.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace forge {

namespace {

std::string ReadFile(const std::string& path, bool& ok) {
  std::ifstream f(path, std::ios::binary);
  ok = bool(f);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

std::vector<std::string> Tokens(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> out;
  std::string t;
  while (in >> t) out.push_back(t);
  return out;
}

bool ParsePaletteLine(const std::vector<std::string>& tok, std::map<char, Rgba>& palette, std::string& why) {
  if (tok.size() != 2 || tok[0].size() != 1 || tok[0][0] == '.' || tok[0][0] == '#') {
    why = "palette lines are: <character> <rrggbb[aa]>";
    return false;
  }
  Rgba c;
  if (!ParseHexColour(tok[1], c)) {
    why = "bad colour " + tok[1];
    return false;
  }
  palette[tok[0][0]] = c;
  return true;
}

}  // namespace

bool SpriteLibrary::LoadFolder(const std::string& folder, std::string& error) {
  namespace fs = std::filesystem;
  bool ok = false;
  const std::string palette_text = ReadFile(folder + "/palette.txt", ok);
  if (!ok) {
    error = folder + "/palette.txt: cannot open";
    return false;
  }
  // The shared palette file uses the same syntax as a sprite file's @palette block.
  std::istringstream in(palette_text);
  std::string line;
  int n = 0;
  while (std::getline(in, line)) {
    ++n;
    const auto tok = Tokens(line);
    if (tok.empty() || tok[0][0] == '#' || tok[0] == "@palette") continue;
    std::string why;
    if (!ParsePaletteLine(tok, base_palette_, why)) {
      error = folder + "/palette.txt:" + std::to_string(n) + ": " + why;
      return false;
    }
  }
  for (const auto& [k, v] : base_palette_) palette_[std::string(1, k)] = v;
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.path().extension() == ".sprites") names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    const std::string text = ReadFile(folder + "/" + name, ok);
    if (!ok || !ParseFile(text, name, error)) {
      if (!ok) error = name + ": cannot open";
      return false;
    }
    files_.push_back(folder + "/" + name);
  }
  return true;
}

bool SpriteLibrary::ParseFile(const std::string& text, const std::string& file, std::string& error) {
  std::map<char, Rgba> palette = base_palette_;
  std::istringstream in(text);
  std::string line;
  int line_no = 0;
  enum { kNone, kPalette, kSprite } mode = kNone;
  SpriteSet* set = nullptr;
  std::vector<std::vector<std::string>> band;  // lines of the current band, as tokens
  auto fail = [&](const std::string& why) {
    error = file + ":" + std::to_string(line_no) + ": " + why;
    return false;
  };
  auto flush_band = [&]() -> bool {
    if (band.empty()) return true;
    if (int(band.size()) != set->height)
      return fail("sprite " + set->name + ": a band has " + std::to_string(band.size()) + " lines, expected " +
                  std::to_string(set->height));
    const size_t frames = band[0].size();
    for (const auto& l : band)
      if (l.size() != frames) return fail("sprite " + set->name + ": every line of a band needs the same frame count");
    for (size_t f = 0; f < frames; ++f) {
      Canvas c(set->width, set->height);
      for (int y = 0; y < set->height; ++y) {
        const std::string& row = band[size_t(y)][f];
        if (int(row.size()) != set->width)
          return fail("sprite " + set->name + ": row '" + row + "' is not " + std::to_string(set->width) + " wide");
        for (int x = 0; x < set->width; ++x) {
          const char k = row[size_t(x)];
          if (k == '.') continue;
          auto it = palette.find(k);
          if (it == palette.end())
            return fail("sprite " + set->name + ": colour '" + std::string(1, k) + "' is not in the palette");
          c.Set(x, y, it->second);
        }
      }
      set->frames.push_back(std::move(c));
    }
    band.clear();
    return true;
  };
  while (std::getline(in, line)) {
    ++line_no;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto tok = Tokens(line);
    if (!tok.empty() && tok[0][0] == '#') continue;
    if (tok.empty()) {
      if (mode == kSprite && !flush_band()) return false;
      continue;
    }
    if (tok[0] == "@palette") {
      if (mode == kSprite && !flush_band()) return false;
      mode = kPalette;
      continue;
    }
    if (tok[0] == "@sprite") {
      if (mode == kSprite && !flush_band()) return false;
      int w = 0, h = 0;
      if (tok.size() != 3 || std::sscanf(tok[2].c_str(), "%dx%d", &w, &h) != 2 || w <= 0 || h <= 0)
        return fail("expected: @sprite <name> <width>x<height>");
      if (sets_.count(tok[1])) return fail("sprite " + tok[1] + " is defined twice");
      set = &sets_[tok[1]];
      set->name = tok[1];
      set->file = file;
      set->width = w;
      set->height = h;
      mode = kSprite;
      continue;
    }
    if (mode == kPalette) {
      std::string why;
      if (!ParsePaletteLine(tok, palette, why)) return fail(why);
    } else if (mode == kSprite) {
      band.push_back(tok);
    } else {
      return fail("text outside a @palette or @sprite block");
    }
  }
  if (mode == kSprite && !flush_band()) return false;
  return true;
}

const SpriteSet& SpriteLibrary::Get(const std::string& name) const {
  auto it = sets_.find(name);
  if (it == sets_.end()) {
    std::fprintf(stderr, "assetforge-graphics: no sprite named '%s' in assets/graphics\n", name.c_str());
    std::exit(1);
  }
  return it->second;
}

const Canvas& SpriteLibrary::Frame(const std::string& name, int frame) const {
  const SpriteSet& s = Get(name);
  if (frame < 0 || frame >= int(s.frames.size())) {
    std::fprintf(stderr, "assetforge-graphics: sprite '%s' has no frame %d\n", name.c_str(), frame);
    std::exit(1);
  }
  return s.frames[size_t(frame)];
}

Rgba SpriteLibrary::Colour(char key) const {
  auto it = palette_.find(std::string(1, key));
  if (it == palette_.end()) {
    std::fprintf(stderr, "assetforge-graphics: palette.txt has no colour '%c'\n", key);
    std::exit(1);
  }
  return it->second;
}

}  // namespace forge
