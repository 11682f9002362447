// assetforge-graphics: builds the game's fonts and images from the readable
// sources in assets/ (glyph grids in BDF, sprite drawings as text grids).
//
//   assetforge-graphics --assets DIR --out DIR [--icon FILE]
//   assetforge-graphics --assets DIR --contact-sheet FILE [--only TEXT]
//
// --out writes fonts/cweb.ttf, "fonts/uni 05_53.ttf" and graphics/*.png into
// the data folder; --icon the 128×128 desktop icon; --contact-sheet one PNG with
// every image at 4× and its name, for review (--only keeps the images whose
// name contains TEXT; --scale and --width change the magnification and the
// sheet's width).
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bdf_font.h"
#include "contact_sheet.h"
#include "png_writer.h"
#include "recipes.h"
#include "sprite_grid.h"
#include "ttf_writer.h"

namespace {

struct FontJob {
  const char* source;  // in assets/fonts
  const char* output;  // in the data folder
};
// The game loads these two files by name.
constexpr FontJob kFonts[] = {{"cweb.bdf", "fonts/cweb.ttf"}, {"uni05_53.bdf", "fonts/uni 05_53.ttf"}};

int Fail(const std::string& message) {
  std::fprintf(stderr, "assetforge-graphics: %s\n", message.c_str());
  return 1;
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return bool(f);
}

void Usage() {
  std::fprintf(stderr,
               "usage: assetforge-graphics --assets DIR [--out DIR] [--icon FILE] [--contact-sheet FILE [--only TEXT] "
               "[--scale N] [--width PIXELS]]\n");
}

}  // namespace

int main(int argc, char** argv) {
  std::string assets, out, icon, sheet, only, scale = "4", width = "2048";
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto next = [&](std::string& v) {
      if (i + 1 >= argc) return false;
      v = argv[++i];
      return true;
    };
    bool ok = true;
    if (a == "--assets")
      ok = next(assets);
    else if (a == "--out")
      ok = next(out);
    else if (a == "--icon")
      ok = next(icon);
    else if (a == "--contact-sheet")
      ok = next(sheet);
    else if (a == "--only")
      ok = next(only);
    else if (a == "--scale")
      ok = next(scale);
    else if (a == "--width")
      ok = next(width);
    else
      ok = false;
    if (!ok) {
      Usage();
      return 2;
    }
  }
  if (assets.empty() || (out.empty() && icon.empty() && sheet.empty())) {
    Usage();
    return 2;
  }

  std::string error;
  forge::BdfFont fonts[2];
  for (int i = 0; i < 2; ++i)
    if (!forge::LoadBdf(assets + "/fonts/" + kFonts[i].source, fonts[i], error)) return Fail(error);
  forge::SpriteLibrary sprites;
  if (!sprites.LoadFolder(assets + "/graphics", error)) return Fail(error);
  const forge::ForgeContext ctx{sprites, fonts[0], fonts[1]};
  const std::vector<forge::ImageAsset> images = forge::BuildImages(ctx);
  for (const forge::ImageAsset& img : images)
    if (img.image.Width() != img.cell_w * img.cells || img.image.Height() != img.cell_h)
      return Fail(img.path + ": strip size does not match its cells");

  if (!out.empty()) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(out + "/fonts", ec);
    fs::create_directories(out + "/graphics", ec);
    for (int i = 0; i < 2; ++i) {
      const std::vector<uint8_t> ttf = forge::BuildTrueType(fonts[i], error);
      if (ttf.empty()) return Fail(std::string(kFonts[i].source) + ": " + error);
      if (!WriteBytes(out + "/" + kFonts[i].output, ttf)) return Fail(out + "/" + kFonts[i].output + ": cannot write");
    }
    for (const forge::ImageAsset& img : images)
      if (!forge::WritePng(img.image, out + "/" + img.path, error)) return Fail(error);
  }
  if (!icon.empty() && !forge::WritePng(forge::BuildIcon(ctx), icon, error)) return Fail(error);
  if (!sheet.empty() &&
      !forge::WritePng(forge::BuildContactSheet(ctx, images, only, std::stoi(scale), std::stoi(width)), sheet, error))
    return Fail(error);
  return 0;
}
