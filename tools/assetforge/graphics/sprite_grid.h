#pragma once
#include <map>
#include <string>
#include <vector>

#include "canvas.h"

namespace forge {

// Sprite drawings as text grids (assets/graphics/*.sprites):
//
//   # comment
//   @palette            (entries: one character, then rrggbb or rrggbbaa;
//   W ffffff             '.' is always transparent; '#' is reserved for comments)
//   @sprite shroom 8x8  (name, cell size)
//   ..WWWW..  ..WWWW..  (frames side by side, separated by spaces,
//   .WWWWWW.  .WWWW.W.   h lines per band; a blank line starts the next band)
//
// The palette of palette.txt is shared by every file; a file's own @palette
// lines add to it or override it for that file only. Frames are numbered left to
// right, band after band.
struct SpriteSet {
  std::string name;
  std::string file;
  int width = 0, height = 0;
  std::vector<Canvas> frames;
};

class SpriteLibrary {
 public:
  // Reads palette.txt and every *.sprites file of the folder, in name order.
  bool LoadFolder(const std::string& folder, std::string& error);
  bool ParseFile(const std::string& text, const std::string& file, std::string& error);

  const SpriteSet& Get(const std::string& name) const;  // aborts the forge on an unknown name
  const Canvas& Frame(const std::string& name, int frame = 0) const;
  bool Has(const std::string& name) const { return sets_.count(name) != 0; }
  const std::map<std::string, Rgba>& Palette() const { return palette_; }
  Rgba Colour(char key) const;  // a palette colour by its key (aborts when missing)
  std::vector<std::string> Files() const { return files_; }

 private:
  std::map<char, Rgba> base_palette_;
  std::map<std::string, Rgba> palette_;  // key as a one-character string
  std::map<std::string, SpriteSet> sets_;
  std::vector<std::string> files_;
};

}  // namespace forge
