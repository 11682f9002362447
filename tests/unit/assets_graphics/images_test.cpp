// Every image the game loads exists after a build, decodes, and has the cell
// size and count of the asset table, or a size that fits how the game
// draws it; and the art keeps the conventions the game relies on.
#include <gtest/gtest.h>
#include <png.h>

#include <set>
#include <string>
#include <vector>

namespace {

struct Picture {
  int width = 0, height = 0;
  std::vector<uint8_t> rgba;
  bool ok = false;

  const uint8_t* At(int x, int y) const { return &rgba[(size_t(y) * width + x) * 4]; }
  bool Opaque(int x, int y) const { return At(x, y)[3] != 0; }
};

Picture Load(const std::string& name) {
  Picture p;
  const std::string path = std::string(SKITTERWORM_TEST_DATA_DIR) + "/graphics/" + name + ".png";
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return p;
  image.format = PNG_FORMAT_RGBA;
  p.width = int(image.width);
  p.height = int(image.height);
  p.rgba.resize(PNG_IMAGE_SIZE(image));
  p.ok = png_image_finish_read(&image, nullptr, p.rgba.data(), 0, nullptr) != 0;
  png_image_free(&image);
  return p;
}

int OpaqueCount(const Picture& p, int x0, int y0, int w, int h) {
  int n = 0;
  for (int y = y0; y < y0 + h; ++y)
    for (int x = x0; x < x0 + w; ++x) n += p.Opaque(x, y);
  return n;
}

// Exact sizes: strips from the asset table (cell width × count, cell height),
// and single images whose size follows from how they are drawn.
struct Exact {
  const char* name;
  int cell_w, cell_h, cells;
};
const Exact kExact[] = {
    // Strips of the table.
    {"logo-letters", 16, 16, 9},
    {"bonus-scores", 16, 8, 8},
    {"skitterworm", 8, 8, 2},
    {"snail", 8, 8, 3},
    {"shroom", 8, 8, 32},
    {"shroompoison", 16, 16, 32},
    {"shroomspots", 8, 8, 32},
    {"saucer", 8, 8, 7},
    {"saucerglow", 8, 8, 7},
    {"warden-alarms", 9, 9, 2},
    {"bullet", 4, 8, 4},
    {"freeaction-warn", 8, 8, 2},
    {"powerup", 8, 8, 16},
    {"scattermine", 8, 8, 2},
    // Whole screen, bands and masks.
    {"menu-fademask", 320, 240, 1},  // covers the screen over the credits
    {"logo-refmask", 320, 27, 1},    // from y 30 to the logo band's end at 57
    {"hud-bgd", 320, 13, 1},         // at y 227, to the bottom
    // The ship's box is 7×8; the shield sits 2 pixels up and left around it.
    {"player", 7, 8, 1},
    {"shield", 11, 12, 1},
    // The beam is drawn stretched to 21×227: drawn 1:1 at that size.
    {"railblast", 21, 227, 1},
    // Handles at the centre: particle1 (1,1), particle3 (2,2), particle5 (1,1),
    // particle6 (3,3), particle8 (15,15), particle9 (7,7), pointer (3,3),
    // raildrone-flash (7,3), kersplode (80,0).
    {"particle1", 3, 3, 1},
    {"particle3", 5, 5, 1},
    {"particle5", 3, 3, 1},
    {"particle6", 7, 7, 1},
    {"particle8", 31, 31, 1},
    {"particle9", 15, 15, 1},
    {"pointer", 7, 7, 1},
    {"raildrone-flash", 15, 7, 1},
    // Drawn 4 (splat) and 8 (mine blast) pixels up and left of an 8×8 body.
    {"splat", 16, 16, 1},
    {"scattermine-explode", 24, 24, 1},
    {"scattermine-appear", 16, 16, 1},
    // The radar posts at (4, 219) and (308, 219), lamps 2 pixels higher.
    {"radar-post", 8, 8, 1},
    {"radar-blink", 8, 8, 1},
    {"radar-detect", 8, 8, 1},
};

// Every other image the game loads, with the limits of where it is drawn.
struct Fits {
  const char* name;
  int min_w, max_w, min_h, max_h;
};
const Fits kFits[] = {
    // Help pictures at (5, 163) and (200, 163), above "Return to Main Menu"
    // (centred at y 224 in the 13-pixel font: its top is 218), not overlapping.
    {"help-powerups", 120, 195, 30, 55},
    {"help-controls", 80, 115, 30, 55},
    {"gameinfo-bgd", 320, 320, 24, 48},  // the pause band at (0, 97) behind texts at y 114 and 124
    {"kersplode", 161, 161, 4, 16},      // handle (80, 0): centred, drawn at double size
    {"missile", 3, 3, 6, 10},            // handle (1, 0); the missile box is 3 wide
    {"powerup-spin", 10, 16, 10, 16},    // a ring about the 8×8 token's centre
    {"warden", 11, 21, 9, 19},
    {"warden-inner", 11, 21, 9, 19},
    {"warden-glow", 15, 41, 15, 41},
    {"warden-bullet", 2, 7, 3, 9},
    {"spider", 8, 8, 8, 8},  // the spider's box is 8×8
    {"particle2", 1, 2, 1, 2},
    {"particle4", 1, 3, 1, 3},
    {"particle7", 1, 3, 1, 4},
    {"screenshot-icon", 16, 160, 5, 16},
    {"cfire-icon-on", 16, 160, 5, 16},
    {"cfire-icon-off", 16, 160, 5, 16},
    // Splash cards centred at (160, 120) above texts at y 160 (top 156).
    {"splash-logo-brixo", 96, 128, 24, 70},
    {"splash-logo-kiln", 96, 128, 24, 70},
    // Credits rows scroll up at 0.25 (0.175 later) pixels per frame; each
    // picture must clear the next row of the timeline.
    {"credits-logo-skitterworm", 100, 300, 12, 30},  // tagline 125 frames later
    {"credits-shroomsnail1", 60, 300, 16, 48},       // next row 200 frames later
    {"credits-playerspiders", 40, 86, 16, 64},       // right-aligned at 300 beside centred texts
    {"credits-saucerpoison", 40, 86, 16, 64},        // left-aligned at 15
    {"credits-shroomsnail2", 40, 86, 16, 64},        // right-aligned at 290
    {"credits-skitterworms", 60, 300, 8, 21},        // next row 125 frames later at 0.175
    {"credits-fmodbanner", 100, 300, 10, 21},        // centred at y 280, next row 290 frames later
};

TEST(GraphicsAssets, StripsAndSizedImagesHaveTheirExactSize) {
  for (const Exact& e : kExact) {
    const Picture p = Load(e.name);
    ASSERT_TRUE(p.ok) << e.name << ".png is missing or does not decode";
    EXPECT_EQ(p.width, e.cell_w * e.cells) << e.name;
    EXPECT_EQ(p.height, e.cell_h) << e.name;
    for (int c = 0; c < e.cells; ++c) {
      // Every cell has something in it, except the unused ones.
      const bool unused =
          (std::string(e.name) == "bonus-scores" && (c == 4 || c > 5)) || (std::string(e.name) == "powerup" && c == 14);
      if (!unused) EXPECT_GT(OpaqueCount(p, c * e.cell_w, 0, e.cell_w, e.cell_h), 0) << e.name << " cell " << c;
    }
  }
}

TEST(GraphicsAssets, OtherImagesFitWhereTheyAreDrawn) {
  for (const Fits& f : kFits) {
    const Picture p = Load(f.name);
    ASSERT_TRUE(p.ok) << f.name << ".png is missing or does not decode";
    EXPECT_GE(p.width, f.min_w) << f.name;
    EXPECT_LE(p.width, f.max_w) << f.name;
    EXPECT_GE(p.height, f.min_h) << f.name;
    EXPECT_LE(p.height, f.max_h) << f.name;
    EXPECT_GT(OpaqueCount(p, 0, 0, p.width, p.height), 0) << f.name;
  }
}

// A chain part must never pass for a mushroom: in every stage's style its
// outline differs from the whole mushroom's, and it has black eyes, which no
// mushroom has.
TEST(GraphicsAssets, ChainPartsLookNothingLikeAnyMushroom) {
  const Picture worm = Load("skitterworm"), shroom = Load("shroom");
  ASSERT_TRUE(worm.ok && shroom.ok);
  auto black = [](const Picture& p, int x, int y) {
    const uint8_t* c = p.At(x, y);
    return p.Opaque(x, y) && c[0] == 0 && c[1] == 0 && c[2] == 0;
  };
  for (int style = 0; style < 8; ++style)
    for (int pose = 0; pose < 2; ++pose) {
      int differ = 0, eyes = 0;
      for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
          differ += worm.Opaque(pose * 8 + x, y) != shroom.Opaque(style * 32 + x, y);
          eyes += black(worm, pose * 8 + x, y);
          EXPECT_FALSE(black(shroom, style * 32 + x, y)) << "style " << style;
        }
      EXPECT_GE(differ, 10) << "style " << style << ", pose " << pose;
      EXPECT_EQ(eyes, 2);
    }
}

TEST(GraphicsAssets, TheFirstSplashLogoStandsWholeOnItsGround) {
  const Picture p = Load("splash-logo-brixo");
  ASSERT_TRUE(p.ok);
  EXPECT_GT(OpaqueCount(p, 0, p.height - 1, p.width, 1), 50) << "the ground line is the last row";
  EXPECT_EQ(OpaqueCount(p, 0, p.height - 3, p.width, 2), 0) << "the bricks end above the ground, none cut";
}

TEST(GraphicsAssets, CentredImagesHaveOddOrEvenSizesThatCentreTheirHandles) {
  // kersplode's handle (80, 0) is its horizontal centre only at width 161.
  EXPECT_EQ(Load("kersplode").width, 161);
  // The help pictures stay apart: the left one ends before x 200.
  EXPECT_LE(5 + Load("help-powerups").width, 200);
  EXPECT_LE(200 + Load("help-controls").width, 320);
}

// Sprites the game tints with a colour are drawn in white and greys, so the
// tint alone gives their hue.
TEST(GraphicsAssets, TintedSpritesAreWhiteAndGrey) {
  for (const char* name :
       {"shroom",          "shroompoison", "skitterworm", "snail",           "spider",      "saucer",
        "saucerglow",      "player",       "shield",      "warden-inner",    "warden-glow", "warden-bullet",
        "freeaction-warn", "particle1",    "particle2",   "particle3",       "particle4",   "particle5",
        "particle6",       "particle7",    "splat",       "powerup-spin",    "scattermine", "scattermine-appear",
        "logo-letters",    "bonus-scores", "railblast",   "raildrone-flash", "kersplode",   "hud-bgd",
        "gameinfo-bgd"}) {
    const Picture p = Load(name);
    ASSERT_TRUE(p.ok) << name;
    int coloured = 0;
    for (int y = 0; y < p.height; ++y)
      for (int x = 0; x < p.width; ++x) {
        const uint8_t* px = p.At(x, y);
        if (px[3] && (px[0] != px[1] || px[1] != px[2])) ++coloured;
      }
    EXPECT_EQ(coloured, 0) << name << " has coloured pixels but the game tints it";
  }
}

TEST(GraphicsAssets, FadeMasksAreBlackAndFadeWhereTheyShould) {
  const Picture fade = Load("menu-fademask");
  ASSERT_TRUE(fade.ok);
  EXPECT_EQ(fade.At(160, 0)[3], 255);    // hides rows behind the logo band
  EXPECT_EQ(fade.At(160, 130)[3], 0);    // the middle of the screen is clear
  EXPECT_EQ(fade.At(160, 239)[3], 255);  // rows appear at the bottom edge from nothing
  const Picture ref = Load("logo-refmask");
  ASSERT_TRUE(ref.ok);
  EXPECT_LT(ref.At(0, 0)[3], 200);  // the reflection shows under the mirror line
  EXPECT_EQ(ref.At(0, 26)[3], 255);
  for (const Picture* p : {&fade, &ref})
    for (int y = 0; y < p->height; ++y)
      for (int x = 0; x < p->width; ++x)
        if (p->At(x, y)[3]) ASSERT_EQ(p->At(x, y)[0] | p->At(x, y)[1] | p->At(x, y)[2], 0);
}

TEST(GraphicsAssets, TransparentPixelsKeepTheMaskColour) {
  // Where a sprite is see-through its colour is magenta (255, 0, 255), so the
  // loader's mask colour and the alpha channel agree.
  for (const char* name : {"shroom", "player", "powerup", "spider", "warden", "logo-letters"}) {
    const Picture p = Load(name);
    ASSERT_TRUE(p.ok) << name;
    for (int y = 0; y < p.height; ++y)
      for (int x = 0; x < p.width; ++x)
        if (!p.At(x, y)[3]) {
          ASSERT_EQ(p.At(x, y)[0], 255) << name;
          ASSERT_EQ(p.At(x, y)[1], 0) << name;
          ASSERT_EQ(p.At(x, y)[2], 255) << name;
        }
  }
}

TEST(GraphicsAssets, EveryMushroomDamageStepIsMoreBitten) {
  const Picture p = Load("shroom");
  const Picture glow = Load("shroompoison");
  const Picture rot = Load("shroomspots");
  ASSERT_TRUE(p.ok && glow.ok && rot.ok);
  for (int style = 0; style < 8; ++style) {
    int last = 1 << 30;
    for (int damage = 0; damage < 4; ++damage) {
      const int frame = damage + 4 * style;
      const int n = OpaqueCount(p, frame * 8, 0, 8, 8);
      EXPECT_LT(n, last) << "style " << style << " damage " << damage;
      EXPECT_GE(n, 6) << "style " << style << " damage " << damage << " is too bitten to see";
      last = n;
      // The poison glow surrounds the same shape, one pixel up and left.
      for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
          if (p.Opaque(frame * 8 + x, y)) EXPECT_TRUE(glow.Opaque(frame * 16 + x + 1, y + 1)) << "frame " << frame;
      // Its spots of rot lie on the mushroom, and a few are left at every step.
      for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
          if (rot.Opaque(frame * 8 + x, y)) EXPECT_TRUE(p.Opaque(frame * 8 + x, y)) << "frame " << frame;
      EXPECT_GE(OpaqueCount(rot, frame * 8, 0, 8, 8), 2) << "frame " << frame;
    }
  }
}

TEST(GraphicsAssets, PowerupIconsAreAllDifferent) {
  const Picture p = Load("powerup");
  ASSERT_TRUE(p.ok);
  std::set<std::vector<uint8_t>> seen;
  for (int frame : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15}) {
    std::vector<uint8_t> cell;
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) cell.insert(cell.end(), p.At(frame * 8 + x, y), p.At(frame * 8 + x, y) + 4);
    EXPECT_TRUE(seen.insert(cell).second) << "powerup frame " << frame << " repeats another";
  }
}

}  // namespace
