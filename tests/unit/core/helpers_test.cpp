#include "core/helpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "core/common.h"
#include "core/fader.h"
#include "core/rainbow_phaser.h"
#include "core/readable_colour.h"
#include "platform/atlas.h"
#include "platform/font.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/input_state.h"
#include "platform/random.h"
#include "platform/recording_backend.h"
#include "platform/text.h"

namespace {

TEST(Helpers, RectsOverlapTouchingEdgesDoNot) {
  EXPECT_EQ(RectsOverlap(0, 0, 8, 8, 8, 0, 8, 8), 0);
  EXPECT_EQ(RectsOverlap(0, 0, 8, 8, 0, 8, 8, 8), 0);
  EXPECT_EQ(RectsOverlap(8, 0, 8, 8, 0, 0, 8, 8), 0);
  EXPECT_EQ(RectsOverlap(0, 8, 8, 8, 0, 0, 8, 8), 0);
  EXPECT_EQ(RectsOverlap(0, 0, 8, 8, 7, 7, 8, 8), 1);
  EXPECT_EQ(RectsOverlap(0, 0, 20, 20, 5, 5, 2, 2), 1) << "one inside the other";
  EXPECT_EQ(RectsOverlap(-10, -10, 4, 4, 0, 0, 8, 8), 0);
}

TEST(Helpers, SetColorHexReadsEitherCase) {
  UseHeadlessBackend();
  int r, g, b;
  SetColorHex("FF7F00");
  GetColor(r, g, b);
  EXPECT_EQ(r, 255);
  EXPECT_EQ(g, 127);
  EXPECT_EQ(b, 0);
  SetColor(1, 2, 3);
  SetColorHex("ff7f00");
  GetColor(r, g, b);
  EXPECT_EQ(r, 255);
  EXPECT_EQ(g, 127);
  EXPECT_EQ(b, 0);
  SetColorHex("0a1B2c");
  GetColor(r, g, b);
  EXPECT_EQ(r, 10);
  EXPECT_EQ(g, 27);
  EXPECT_EQ(b, 44);
}

TEST(Helpers, SetColorHexOnShortOrBadTextReadsWhatThePartsGive) {
  UseHeadlessBackend();
  int r, g, b;
  SetColorHex("");
  GetColor(r, g, b);
  EXPECT_EQ(r + g + b, 0);
  // "F0F": left "F0", middle "F", right "0F".
  SetColorHex("F0F");
  GetColor(r, g, b);
  EXPECT_EQ(r, 240);
  EXPECT_EQ(g, 15);
  EXPECT_EQ(b, 15);
  SetColorHex("zzzzzz");
  GetColor(r, g, b);
  EXPECT_EQ(r + g + b, 0);
}

TEST(Helpers, RandomHexByteIsTwoUpperCaseDigitsWithinBounds) {
  RandomGenerator random;
  random.Seed(1234);
  EXPECT_EQ(RandomHexByte(0, 0, random), "00");
  EXPECT_EQ(RandomHexByte(255, 255, random), "FF");
  EXPECT_EQ(RandomHexByte(10, 10, random), "0A");
  std::set<std::string> seen;
  for (int i = 0; i < 2000; ++i) {
    const std::string hex = RandomHexByte(200, 210, random);
    ASSERT_EQ(hex.size(), 2u);
    const int v = ParseInt("$" + hex);
    ASSERT_GE(v, 200);
    ASSERT_LE(v, 210);
    EXPECT_EQ(hex, Hex8(uint32_t(v)).substr(6)) << "upper case";
    seen.insert(hex);
  }
  EXPECT_EQ(seen.size(), 11u) << "both ends are reachable";
}

// The components of a family colour as numbers.
struct Rgb {
  int r, g, b;
};
Rgb Parts(const std::string& hex) {
  return {ParseInt("$" + hex.substr(0, 2)), ParseInt("$" + hex.substr(2, 2)), ParseInt("$" + hex.substr(4, 2))};
}

TEST(Helpers, RandomColourFamiliesStayInTheirRanges) {
  RandomGenerator random;
  random.Seed(99);
  struct Range {
    int family, rmin, rmax, gmin, gmax, bmin, bmax;
  };
  const Range ranges[] = {
      {1, 100, 255, 0, 0, 0, 0},          {2, 255, 255, 0, 150, 0, 0},        {3, 255, 255, 100, 255, 0, 0},
      {4, 100, 255, 150, 255, 0, 0},      {5, 0, 0, 100, 255, 0, 0},          {6, 0, 0, 255, 255, 100, 255},
      {7, 0, 0, 100, 255, 255, 255},      {8, 0, 0, 0, 0, 150, 255},          {9, 150, 255, 0, 0, 200, 255},
      {10, 100, 255, 100, 255, 100, 255}, {11, 100, 255, 100, 255, 100, 255}, {20, 0, 0, 200, 255, 0, 0},
      {200, 255, 255, 0, 255, 0, 0},
  };
  for (const Range& range : ranges) {
    for (int i = 0; i < 300; ++i) {
      const std::string hex = RandomColour(uint8_t(range.family), random);
      ASSERT_EQ(hex.size(), 6u) << "family " << range.family;
      const Rgb c = Parts(hex);
      ASSERT_TRUE(c.r >= range.rmin && c.r <= range.rmax && c.g >= range.gmin && c.g <= range.gmax &&
                  c.b >= range.bmin && c.b <= range.bmax)
          << "family " << range.family << " gave " << hex;
    }
  }
}

// The hue of a colour in degrees, or -1 for a grey.
double Hue(Rgb8 c) {
  const double top = std::max({c.r, c.g, c.b}), d = top - std::min({c.r, c.g, c.b});
  if (d == 0) return -1;
  const double h = top == c.r   ? std::fmod((c.g - c.b) / d + 6.0, 6.0)
                   : top == c.g ? (c.b - c.r) / d + 2.0
                                : (c.r - c.g) / d + 4.0;
  return h * 60.0;
}

// Every shade of every family, and every colour of the cyclers, is drawn with
// at least 3:1 contrast on black in its own hue; light ones are left alone.
TEST(Helpers, EveryColourIsDrawnReadableOnBlackInItsHue) {
  RandomGenerator random;
  random.Seed(5);
  std::vector<Rgb8> colours;
  for (int family : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 20, 200})
    for (int i = 0; i < 300; ++i) {
      const Rgb c = Parts(RandomColour(uint8_t(family), random));
      colours.push_back({uint8_t(c.r), uint8_t(c.g), uint8_t(c.b)});
    }
  TRainbowPhaser rainbow;
  for (int i = 0; i < 6 * 51; ++i, rainbow.Update(1)) colours.push_back({rainbow.r, rainbow.g, rainbow.b});
  for (const Rgb8 c : colours) {
    const Rgb8 shown = ReadableOnBlack(c);
    const std::string what = std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b);
    EXPECT_GE(ContrastOnBlack(shown), 3.0) << what;
    const double dh = std::abs(Hue(shown) - Hue(c));
    EXPECT_LE(std::min(dh, 360.0 - dh), 2.0) << what;
    if (ContrastOnBlack(c) >= 5.0) EXPECT_EQ(shown, c) << what;
  }
  EXPECT_EQ(ReadableOnBlack({}), Rgb8{});
}

TEST(Helpers, RandomColourGreysAndUnknownFamilies) {
  RandomGenerator random;
  random.Seed(7);
  for (int i = 0; i < 200; ++i) {
    const std::string grey = RandomColour(11, random);
    ASSERT_EQ(grey.size(), 6u);
    EXPECT_EQ(grey.substr(0, 2), grey.substr(2, 2));
    EXPECT_EQ(grey.substr(2, 2), grey.substr(4, 2));
  }
  for (int family : {0, 12, 19, 21, 199, 201, 255}) EXPECT_EQ(RandomColour(uint8_t(family), random), "") << family;
}

TEST(Helpers, RandomColourDrawsItsPartsInTheGameOrder) {
  RandomGenerator random;
  // Yellows draw green first, purples blue first, light colours blue, green, red:
  // a seeded game gets the same colours only with the same order.
  random.Seed(4242);
  const int g4 = random.Rand(150, 255), r4 = random.Rand(100, 255);
  const int b9 = random.Rand(200, 255), r9 = random.Rand(150, 255);
  const int b10 = random.Rand(100, 255), g10 = random.Rand(100, 255), r10 = random.Rand(100, 255);
  random.Seed(4242);
  const Rgb c4 = Parts(RandomColour(4, random));
  const Rgb c9 = Parts(RandomColour(9, random));
  const Rgb c10 = Parts(RandomColour(10, random));
  EXPECT_EQ(c4.r, r4);
  EXPECT_EQ(c4.g, g4);
  EXPECT_EQ(c9.r, r9);
  EXPECT_EQ(c9.b, b9);
  EXPECT_EQ(c10.r, r10);
  EXPECT_EQ(c10.g, g10);
  EXPECT_EQ(c10.b, b10);
}

class TextPlacement : public ::testing::Test {
 protected:
  void SetUp() override {
    backend_ = &UseRecordingBackend();
    font_ = LoadImageFont(std::string(SKITTERWORM_TEST_DATA_DIR) + "/fonts/uni 05_53.ttf", 8, 0);
    ASSERT_NE(font_, nullptr) << "the built fonts are needed";
    SetImageFont(font_);
    SetDrawScale(2);
    SetScale(1, 1);
    fadeText.value = 1;
  }
  void TearDown() override { SetImageFont(nullptr); }

  // Where text drawn at (x, y) has its first pixels: glyphs sit inside their
  // box, so placements are compared with a plain draw of the same text.
  void Corner(float& x, float& y) {
    FlushBatch();
    ASSERT_TRUE(backend_->TopLeft(x, y));
    backend_->Forget();
  }
  void Origin(const std::string& text, float& x, float& y) {
    DrawText(text, 0, 0);
    Corner(x, y);
  }

  RecordingBackend* backend_ = nullptr;
  ImageFont* font_ = nullptr;
};

TEST_F(TextPlacement, CentredTextAtScaleTwoHalvesTheUnscaledSize) {
  for (const std::string text : {"SCORE", "Hi", "I", "Press any key", "W"}) {
    float ox, oy, x, y;
    Origin(text, ox, oy);
    DrawTextCentred(text, 160, 120, 0);  // logical: the picture's centre at scale 2
    Corner(x, y);
    // Integer halving of the unscaled size, then the scale.
    EXPECT_EQ(x - ox, 320 - (TextWidth(text) / 2) * 2) << text;
    EXPECT_EQ(y - oy, 240 - (TextHeight(text) / 2) * 2) << text;
  }
}

TEST_F(TextPlacement, CentredTextNearTheLeftEdgeMirrorsIntoTheScreen) {
  const std::string text = "A LONG LINE OF TEXT";
  float ox, oy, x, y;
  Origin(text, ox, oy);
  DrawTextCentred(text, 2, 120, 0);
  Corner(x, y);
  EXPECT_EQ(x - ox, std::abs(4 - (TextWidth(text) / 2) * 2));
}

TEST_F(TextPlacement, RightAlignedTextEndsAtX) {
  const std::string text = "12345";
  float ox, oy, x, y;
  Origin(text, ox, oy);
  DrawTextRight(text, 300, 25, 0);
  Corner(x, y);
  EXPECT_EQ(x - ox, 600 - TextWidth(text) * 2);
  EXPECT_EQ(y - oy, 50);
}

TEST_F(TextPlacement, ShadowIsBlackOneStepDownRightAndTakesFadeTextOpacity) {
  fadeText.value = 0.8f;
  SetAlpha(0.1f);  // ignored: the shadow text always follows fadeText
  SetColor(10, 200, 30);
  DrawTextShadow("AB", 100, 60);
  FlushBatch();
  ASSERT_EQ(backend_->batches.size(), 1u) << "both passes in alpha blend";
  EXPECT_EQ(backend_->batches[0].blend, Blend::kAlpha);
  const std::vector<Vertex> all = backend_->AllVertices();
  ASSERT_FALSE(all.empty());
  const size_t half = all.size() / 2;
  const Vertex& shadow = all[0];
  const Vertex& text = all[half];
  EXPECT_EQ(shadow.r + shadow.g + shadow.b, 0);
  EXPECT_EQ(shadow.a, uint8_t(0.75f * 0.8f * 255.0f + 0.5f));
  EXPECT_EQ(text.r, 10);
  EXPECT_EQ(text.g, 200);
  EXPECT_EQ(text.b, 30);
  EXPECT_EQ(text.a, uint8_t(0.8f * 255.0f + 0.5f));
  EXPECT_EQ(shadow.x - text.x, 2.0f);
  EXPECT_EQ(shadow.y - text.y, 2.0f);
  EXPECT_EQ(GetBlend(), Blend::kLight);
  int r, g, b;
  GetColor(r, g, b);
  EXPECT_EQ(g, 200) << "the colour is given back";
}

TEST(Helpers, AnyKeyRepeatsAHeldKeyEvery100Ms) {
  HeadlessBackend& backend = UseHeadlessBackend();
  AnyKey();  // starts the reader's clock
  Input().PressKey(72);
  EXPECT_EQ(AnyKey(), 72);
  EXPECT_EQ(AnyKey(), 0);
  backend.AdvanceMillis(60);
  EXPECT_EQ(AnyKey(), 0);
  backend.AdvanceMillis(39);
  EXPECT_EQ(AnyKey(), 0);
  backend.AdvanceMillis(1);
  EXPECT_EQ(AnyKey(), 72) << "100 ms after the last report";
  int reports = 0;
  for (int ms = 0; ms < 1000; ms += 10) {
    backend.AdvanceMillis(10);
    if (AnyKey() == 72) ++reports;
  }
  EXPECT_EQ(reports, 10);

  // A different key is reported at once; the lowest held code wins.
  Input().ReleaseKey(72);
  Input().PressKey(75);
  Input().PressKey(90);
  EXPECT_EQ(AnyKey(), 75);
  Input().ReleaseKey(75);
  Input().ReleaseKey(90);
  EXPECT_EQ(AnyKey(), 0);
  Input().PressKey(226);
  EXPECT_EQ(AnyKey(), 226);
  Input().ReleaseKey(226);
  Input().PressKey(227);
  EXPECT_EQ(AnyKey(), 0) << "codes above 226 are not scanned";
  Input().ReleaseKey(227);
}

}  // namespace
