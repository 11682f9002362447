// The two game fonts, rendered by FreeType the way the game renders them
// (monochrome, no hinting, at their pixel size), must reproduce their BDF glyph
// grids pixel for pixel.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>
#include <utility>

#include "assets_graphics/bdf_reader.h"

namespace {

struct FontCase {
  const char* bdf;  // in assets/fonts
  const char* ttf;  // in the data folder
  int size;
};

// Names the case in test output instead of printing its bytes.
void PrintTo(const FontCase& c, std::ostream* os) { *os << c.ttf << " at " << c.size << " px"; }

const FontCase kFonts[] = {{"cweb.bdf", "fonts/cweb.ttf", 13}, {"uni05_53.bdf", "fonts/uni 05_53.ttf", 8}};

class FontTest : public ::testing::TestWithParam<FontCase> {
 protected:
  void SetUp() override {
    ASSERT_EQ(FT_Init_FreeType(&library_), 0);
    const FontCase& c = GetParam();
    ASSERT_TRUE(assets_test::ReadBdf(std::string(SKITTERWORM_TEST_SOURCE_DIR) + "/assets/fonts/" + c.bdf, bdf_));
    const std::string path = std::string(SKITTERWORM_TEST_DATA_DIR) + "/" + c.ttf;
    ASSERT_EQ(FT_New_Face(library_, path.c_str(), 0, &face_), 0) << path;
    ASSERT_EQ(FT_Set_Pixel_Sizes(face_, 0, FT_UInt(c.size)), 0);
  }
  void TearDown() override {
    if (face_) FT_Done_Face(face_);
    if (library_) FT_Done_FreeType(library_);
  }
  FT_Library library_ = nullptr;
  FT_Face face_ = nullptr;
  assets_test::Font bdf_;
};

TEST_P(FontTest, MetricsMatchThePixelSize) {
  const FontCase& c = GetParam();
  EXPECT_EQ(bdf_.pixel_size, c.size);
  EXPECT_LE(bdf_.ascent + bdf_.descent, c.size);
  EXPECT_TRUE(FT_IS_SCALABLE(face_));
  EXPECT_EQ(face_->size->metrics.ascender >> 6, bdf_.ascent);
  EXPECT_EQ(-(face_->size->metrics.descender >> 6), bdf_.descent);
}

// Every character a player can type into a name (printable ASCII and Latin-1)
// is drawn; only the two spaces are empty.
TEST_P(FontTest, EveryPrintableLatin1GlyphIsDrawnAndOnlySpacesAreEmpty) {
  for (int code = 32; code <= 255; ++code) {
    if (code >= 127 && code < 160) continue;
    const auto it = bdf_.glyphs.find(code);
    ASSERT_NE(it, bdf_.glyphs.end()) << "no glyph for " << code;
    EXPECT_GT(it->second.advance, 0) << "code " << code;
    if (code == 32 || code == 160)
      EXPECT_EQ(it->second.InkCount(), 0);
    else
      EXPECT_GT(it->second.InkCount(), 0) << "empty glyph for " << code;
    EXPECT_NE(FT_Get_Char_Index(face_, FT_ULong(code)), 0u) << "TrueType lacks " << code;
  }
}

TEST_P(FontTest, MonochromeRenderingReproducesTheGlyphGrids) {
  for (const auto& [code, glyph] : bdf_.glyphs) {
    const FT_UInt index = FT_Get_Char_Index(face_, FT_ULong(code));
    ASSERT_NE(index, 0u) << code;
    ASSERT_EQ(FT_Load_Glyph(face_, index, FT_LOAD_RENDER | FT_LOAD_NO_HINTING | FT_LOAD_TARGET_MONO), 0) << code;
    const FT_GlyphSlot slot = face_->glyph;
    ASSERT_EQ(FT_Render_Glyph(slot, FT_RENDER_MODE_MONO), 0);
    EXPECT_EQ(slot->advance.x, glyph.advance * 64) << "advance of '" << char(code) << "'";
    const FT_Bitmap& bm = slot->bitmap;
    std::set<std::pair<int, int>> rendered, drawn;
    for (unsigned r = 0; r < bm.rows; ++r)
      for (unsigned c = 0; c < bm.width; ++c) {
        const uint8_t* row = bm.buffer + ptrdiff_t(r) * bm.pitch;
        const bool on = bm.pixel_mode == FT_PIXEL_MODE_MONO ? (row[c >> 3] >> (7 - (c & 7))) & 1 : row[c] >= 128;
        if (on) rendered.insert({slot->bitmap_left + int(c), slot->bitmap_top - 1 - int(r)});
      }
    for (int r = 0; r < glyph.h; ++r)
      for (int c = 0; c < glyph.w; ++c)
        if (glyph.rows[size_t(r)][size_t(c)] == '#') drawn.insert({glyph.x + c, glyph.y + glyph.h - 1 - r});
    EXPECT_EQ(rendered, drawn) << "glyph '" << char(code) << "' (" << code << ") differs from its BDF grid";
  }
}

// Capitals and digits stand 7 pixels tall on the baseline with air above, and
// no glyph climbs out of the line: rows 9 pixels apart (the highscore table)
// never touch.
TEST(MainFont, CapitalsAndDigitsFitSevenPixelsWithAirAbove) {
  assets_test::Font font;
  ASSERT_TRUE(assets_test::ReadBdf(std::string(SKITTERWORM_TEST_SOURCE_DIR) + "/assets/fonts/cweb.bdf", font));
  for (const auto& [code, glyph] : font.glyphs) {
    EXPECT_LE(glyph.y + glyph.h, font.ascent) << code << " climbs out of the line";
    if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9')) {
      EXPECT_EQ(glyph.y, 0) << "'" << char(code) << "'";
      EXPECT_LE(glyph.h, 7) << "'" << char(code) << "'";
      EXPECT_LE(glyph.h + 1, font.ascent) << "'" << char(code) << "' has no air above";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(GameFonts, FontTest, ::testing::ValuesIn(kFonts),
                         [](const auto& info) { return std::string(info.param.size == 13 ? "Main" : "Small"); });

}  // namespace
