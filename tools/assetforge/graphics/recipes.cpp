#include "recipes.h"

#include <algorithm>

namespace forge {

ImageAsset Single(const std::string& name, Canvas image) {
  ImageAsset a;
  a.path = "graphics/" + name + ".png";
  a.cell_w = image.Width();
  a.cell_h = image.Height();
  a.cells = 1;
  a.image = std::move(image);
  return a;
}

ImageAsset Strip(const std::string& name, const std::vector<Canvas>& cells) {
  ImageAsset a;
  a.path = "graphics/" + name + ".png";
  a.cell_w = cells.empty() ? 0 : cells[0].Width();
  a.cell_h = cells.empty() ? 0 : cells[0].Height();
  a.cells = int(cells.size());
  a.image = MakeStrip(cells);
  return a;
}

std::vector<Canvas> Frames(const ForgeContext& ctx, const std::string& sprite) {
  return ctx.sprites.Get(sprite).frames;
}

std::vector<ImageAsset> BuildImages(const ForgeContext& ctx) {
  std::vector<ImageAsset> out;
  AddSpriteImages(ctx, out);
  AddEffectImages(ctx, out);
  AddPictureImages(ctx, out);
  std::sort(out.begin(), out.end(), [](const ImageAsset& a, const ImageAsset& b) { return a.path < b.path; });
  return out;
}

}  // namespace forge
