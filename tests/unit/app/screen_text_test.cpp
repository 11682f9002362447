// No text of any screen runs into another, nor into the logo and its
// reflection: each screen of the table is stepped into each of its states at
// scales 1 and 2, the ink of every text of one frame is recorded glyph by
// glyph, and any two different texts whose ink shares a pixel fail the test.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "core/images.h"
#include "frontend/logo.h"
#include "platform/atlas.h"
#include "platform/headless/headless_backend.h"
#include "screen_states.h"

namespace {

using screen_states::kScreenStates;

struct Box {
  int x0, y0, x1, y1;  // picture pixels, half-open
  bool Meets(const Box& o) const { return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }
};

struct Ink {
  std::string what;
  std::vector<Box> boxes;
};

// The headless backend keeping a copy of the atlas, so the test can read how
// opaque the masks drawn over the logo and the credits are.
class AtlasBackend : public HeadlessBackend {
 public:
  std::vector<uint32_t> atlas;
  int atlas_width = 0;
  void UploadAtlas(const uint32_t* pixels, int width, int height, int x, int y, int w, int h) override {
    HeadlessBackend::UploadAtlas(pixels, width, height, x, y, w, h);
    atlas_width = width;
    atlas.resize(size_t(width) * height);
    for (int row = y; row < y + h; ++row)
      std::memcpy(&atlas[size_t(row) * width + x], &pixels[size_t(row) * width + x], size_t(w) * 4);
  }
  // The first row of a screen-wide black mask that hides what lies under it
  // (opaque) or lets it show (not opaque).
  int FirstRow(const Image* mask, bool opaque) const {
    const AtlasRegion& r = mask->regions[0];
    const int x = int(r.u0 * atlas_width), top = int(std::lround(r.v0 * Atlas::kHeight));
    for (int row = 0; row < mask->height; ++row)
      if (((atlas[size_t(top + row) * atlas_width + x] >> 24) == 255) == opaque) return row;
    return mask->height;
  }
};

std::vector<Ink> texts;

void Watch(std::string_view text, const GlyphBox* boxes, int count) {
  int r, g, b;
  GetColor(r, g, b);
  if (r == 0 && g == 0 && b == 0) return;  // a drop shadow may fall on anything
  Ink ink{std::string(text), {}};
  for (int i = 0; i < count; ++i) {
    const GlyphBox& q = boxes[i];
    ink.boxes.push_back({int(std::floor(q.x0)), int(std::floor(q.y0)), int(std::ceil(q.x1)), int(std::ceil(q.y1))});
  }
  texts.push_back(std::move(ink));
}

// The logo letters and, above the line where the reflection mask turns
// opaque, their reflections: one box per opaque pixel.
Ink LogoInk(int hidden_from) {
  Ink logo{"the logo", {}};
  const int s = DrawScale();
  lstLogoLetters.ForEach([&](TLogoLetter* l) {
    const Image* img = gfx.logo_letters;
    const auto& opaque = img->opaque[l->t];
    for (int r = 0; r < img->height; ++r)
      for (int c = 0; c < img->width; ++c) {
        if (!opaque[size_t(r) * img->width + c]) continue;
        const int x = (l->x + c) * s, top = int(l->y * float(s)) + r * s;
        logo.boxes.push_back({x, top, x + s, top + s});
        const int mirrored = int((60 - l->y) * float(s)) - (r + 1) * s;
        if (mirrored < hidden_from * s) logo.boxes.push_back({x, mirrored, x + s, mirrored + s});
      }
  });
  return logo;
}

bool Overlap(const Ink& a, const Ink& b) {
  for (const Box& p : a.boxes)
    for (const Box& q : b.boxes)
      if (p.Meets(q)) return true;
  return false;
}

// Drops the ink a black mask drawn over the whole screen hides (the credits
// behind the logo band).
void HideAbove(int row) {
  for (Ink& t : texts) {
    for (Box& b : t.boxes) b.y0 = std::max(b.y0, row);
    t.boxes.erase(std::remove_if(t.boxes.begin(), t.boxes.end(), [](const Box& b) { return b.y1 <= b.y0; }),
                  t.boxes.end());
  }
}

TEST(ScreenText, NoTwoTextsOverlap) {
  for (int scale : {1, 2})
    for (const auto& s : kScreenStates) {
      AtlasBackend backend;
      SetBackend(&backend);
      screen_states::Prepare(scale);
      s.show();
      texts.clear();
      WatchText(Watch);
      s.frame();
      WatchText(nullptr);
      if (std::strcmp(s.screen, "credits") == 0) HideAbove(backend.FirstRow(gfx.menu_fademask, false) * scale);
      std::vector<Ink> inks = texts;
      if (!lstLogoLetters.Empty() && std::strcmp(s.screen, "game") != 0 && std::strcmp(s.screen, "name entry") != 0)
        inks.push_back(LogoInk(30 + backend.FirstRow(gfx.logo_refmask, true)));
      for (size_t i = 0; i < inks.size(); ++i)
        for (size_t j = i + 1; j < inks.size(); ++j)
          EXPECT_FALSE(Overlap(inks[i], inks[j])) << s.screen << " (" << s.state << ", scale " << scale << "): \""
                                                  << inks[i].what << "\" runs into \"" << inks[j].what << "\"";
      SetBackend(nullptr);
    }
}

}  // namespace
