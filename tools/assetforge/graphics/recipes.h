#pragma once
#include <string>
#include <vector>

#include "bdf_font.h"
#include "canvas.h"
#include "sprite_grid.h"

namespace forge {

// Everything a recipe may draw with: the sprite drawings of assets/graphics and
// the glyph grids of the two game fonts.
struct ForgeContext {
  const SpriteLibrary& sprites;
  const BdfFont& main_font;   // cweb, 13 px
  const BdfFont& small_font;  // uni 05_53, 8 px
};

// One image file of the game's data folder. Strips keep their cells side by
// side; cell_w × cells = width, cell_h = height.
struct ImageAsset {
  std::string path;  // relative to the data folder, e.g. "graphics/shroom.png"
  Canvas image;
  int cell_w = 0, cell_h = 0, cells = 1;
};

// The recipes, in the order of the game's asset table, then the
// splash cards and the credits pictures.
std::vector<ImageAsset> BuildImages(const ForgeContext& ctx);

// Groups of recipes, one file each.
void AddSpriteImages(const ForgeContext& ctx, std::vector<ImageAsset>& out);   // drawn creatures, ship, items
void AddEffectImages(const ForgeContext& ctx, std::vector<ImageAsset>& out);   // glows, particles, masks, bands
void AddPictureImages(const ForgeContext& ctx, std::vector<ImageAsset>& out);  // help, splash, credits

// The 128×128 desktop icon, drawn from the game's sprites.
Canvas BuildIcon(const ForgeContext& ctx);

// Helpers shared by the recipe files.
ImageAsset Single(const std::string& name, Canvas image);
ImageAsset Strip(const std::string& name, const std::vector<Canvas>& cells);
std::vector<Canvas> Frames(const ForgeContext& ctx, const std::string& sprite);

}  // namespace forge
