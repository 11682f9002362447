#include "platform/font.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <array>
#include <deque>
#include <memory>
#include <vector>

#include "platform/atlas.h"
#include "platform/log.h"
#include "platform/stream.h"

struct ImageFont {
  struct Glyph {
    bool present = false;
    bool drawable = false;  // has pixels (space has none)
    AtlasRegion region{};
    int left = 0, top = 0, width = 0, height = 0, advance = 0;
  };
  std::array<Glyph, 256> glyphs;  // Latin-1
  int ascent = 0;
  int line_height = 0;
};

namespace {

// Far beyond the game's bitmap fonts; a larger file is not one of them.
constexpr size_t kMaxFontBytes = 16u << 20;

// Process-wide: every font loaded this run (at stable addresses) and the one text is set in.
std::deque<std::unique_ptr<ImageFont>> fonts;
ImageFont* current = nullptr;
TextWatcher watcher = nullptr;

// Without an image font (a missing font file) text still takes room, so
// layouts hold their shape; nothing is drawn.
constexpr int kBuiltinAdvance = 6, kBuiltinHeight = 8;

FT_Library Library() {
  static FT_Library library = [] {
    FT_Library lib = nullptr;
    if (FT_Init_FreeType(&lib) != 0) DebugLog("FreeType could not start; text will not be drawn");
    return lib;
  }();
  return library;
}

// A glyph may reach this far beyond its pixel size (tall accents, wide
// symbols); a font that claims more is damaged, and rendering its glyphs would
// cost time and memory for nothing anyone could read.
int GlyphSizeLimit(int pixel_size) { return std::max(64, 4 * pixel_size); }

// Renders one character in monochrome and stores its pixels, fully white
// and fully opaque or fully transparent, in the atlas.
void RasteriseGlyph(FT_Face face, int code, int pixel_size, ImageFont::Glyph& glyph) {
  const FT_UInt index = FT_Get_Char_Index(face, FT_ULong(code));
  if (index == 0 && code != 32) return;
  if (FT_Load_Glyph(face, index, FT_LOAD_NO_HINTING | FT_LOAD_TARGET_MONO) != 0) return;
  const FT_GlyphSlot slot = face->glyph;
  const long limit = GlyphSizeLimit(pixel_size);
  if ((slot->metrics.width >> 6) > limit || (slot->metrics.height >> 6) > limit) {
    DebugLog("Font glyph " + std::to_string(code) + " claims " + std::to_string(slot->metrics.width >> 6) + "x" +
             std::to_string(slot->metrics.height >> 6) + " pixels at size " + std::to_string(pixel_size) +
             "; it is not drawn");
    return;
  }
  if (FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0) return;
  const FT_Bitmap& bitmap = slot->bitmap;
  glyph.present = true;
  glyph.advance = int(slot->advance.x >> 6);
  glyph.left = slot->bitmap_left;
  glyph.top = slot->bitmap_top;
  glyph.width = int(bitmap.width);
  glyph.height = int(bitmap.rows);
  if (glyph.width == 0 || glyph.height == 0 || glyph.width > limit || glyph.height > limit) return;
  std::vector<uint32_t> pixels(size_t(glyph.width) * glyph.height, 0);
  for (int y = 0; y < glyph.height; ++y) {
    const uint8_t* row = bitmap.buffer + ptrdiff_t(y) * bitmap.pitch;
    for (int x = 0; x < glyph.width; ++x) {
      const bool set = bitmap.pixel_mode == FT_PIXEL_MODE_MONO ? (row[x >> 3] >> (7 - (x & 7))) & 1 : row[x] >= 128;
      if (set) pixels[size_t(y) * glyph.width + x] = 0xFFFFFFFFu;
    }
  }
  glyph.drawable = SharedAtlas().Add(pixels.data(), glyph.width, glyph.height, glyph.width, glyph.region);
}

}  // namespace

ImageFont* LoadImageFont(const std::string& path, int pixel_size, int /*style*/) {
  FT_Library library = Library();
  FT_Face face = nullptr;
  std::vector<uint8_t> bytes;  // the face reads from it until it is done
  std::string why = "not a font FreeType reads";
  if (!library || !ReadRegularFile(path, kMaxFontBytes, bytes, &why) ||
      FT_New_Memory_Face(library, bytes.data(), FT_Long(bytes.size()), 0, &face) != 0) {
    Warn("Cannot load font " + path + ": " + why);
    return nullptr;
  }
  if (FT_Set_Pixel_Sizes(face, 0, FT_UInt(pixel_size)) != 0) {
    DebugLog("Font " + path + " has no size " + std::to_string(pixel_size));
    FT_Done_Face(face);
    return nullptr;
  }
  auto font = std::make_unique<ImageFont>();
  font->ascent = int(face->size->metrics.ascender >> 6);
  font->line_height = int((face->size->metrics.ascender - face->size->metrics.descender) >> 6);
  if (font->line_height <= 0) font->line_height = pixel_size;
  for (int code = 32; code < 256; ++code) RasteriseGlyph(face, code, pixel_size, font->glyphs[size_t(code)]);
  FT_Done_Face(face);
  fonts.push_back(std::move(font));
  return fonts.back().get();
}

void SetImageFont(ImageFont* font) { current = font; }
ImageFont* GetImageFont() { return current; }

void DrawText(std::string_view text, float x, float y) {
  if (!current) return;
  const Transform t = CurrentTransform();
  const float sx = t.sx, sy = t.sy;
  float pen = x * t.position;
  y *= t.position;
  // Only a test watches, so only a test pays for the list of boxes.
  std::vector<GlyphBox> boxes;
  for (unsigned char c : text) {
    const ImageFont::Glyph& glyph = current->glyphs[c];
    if (!glyph.present) continue;
    if (glyph.drawable) {
      const float gx = pen + float(glyph.left) * sx, gy = y + float(current->ascent - glyph.top) * sy;
      const float gx2 = gx + float(glyph.width) * sx, gy2 = gy + float(glyph.height) * sy;
      const float xs[4] = {gx, gx2, gx2, gx};
      const float ys[4] = {gy, gy, gy2, gy2};
      BatchQuad(xs, ys, glyph.region);
      if (watcher) boxes.push_back({std::min(gx, gx2), std::min(gy, gy2), std::max(gx, gx2), std::max(gy, gy2)});
    }
    pen += float(glyph.advance) * sx;
  }
  if (watcher) watcher(text, boxes.data(), int(boxes.size()));
}

void WatchText(TextWatcher w) { watcher = w; }

std::string_view FitText(std::string_view text, int width) {
  size_t n = 0;
  for (int used = 0; n < text.size(); ++n) {
    used += TextWidth(text.substr(n, 1));
    if (used > width) break;
  }
  return text.substr(0, n);
}

int TextWidth(std::string_view text) {
  int width = 0;
  // A character the font cannot draw still takes a question mark's room: a
  // name of invisible letters is bounded like any other.
  for (unsigned char c : text) {
    if (!current) {
      width += kBuiltinAdvance;
      continue;
    }
    const ImageFont::Glyph& glyph = current->glyphs[c];
    width += glyph.present ? glyph.advance : std::max(1, current->glyphs['?'].advance);
  }
  return width;
}

int TextHeight(std::string_view) { return current ? current->line_height : kBuiltinHeight; }

void ReleaseAllFonts() {
  fonts.clear();
  current = nullptr;
}
