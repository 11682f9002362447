#include "contact_sheet.h"

#include <algorithm>
#include <cmath>

#include "text_render.h"

namespace forge {

namespace {

constexpr int kGap = 24;
constexpr int kCellGap = 4;
constexpr Rgba kBackground{24, 24, 32, 255};
constexpr Rgba kCheckA{40, 40, 48, 255}, kCheckB{52, 52, 60, 255};
constexpr Rgba kLabel{255, 220, 140, 255}, kInfo{150, 150, 170, 255};

struct Item {
  const ImageAsset* image;  // null for the font sample
  int w = 0, h = 0;         // on the sheet, label included
  int per_row = 1;          // strip cells per row
};

constexpr int kLabelHeight = 8 * 2 + 6;

void Checker(Canvas& c, int x, int y, int w, int h) {
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) c.Set(x + i, y + j, ((i / 8 + j / 8) & 1) ? kCheckA : kCheckB);
}

const Canvas* Find(const std::vector<ImageAsset>& images, const std::string& name) {
  for (const ImageAsset& a : images)
    if (a.path == "graphics/" + name + ".png") return &a.image;
  return nullptr;
}

Canvas CellOf(const Canvas& strip, int w, int frame) { return strip.Crop(frame * w, 0, w, strip.Height()); }

// Additive drawing, as the game's light blend.
void Add(Canvas& dst, const Canvas& src, int x, int y, Rgba tint, float alpha = 1.0f) {
  for (int j = 0; j < src.Height(); ++j)
    for (int i = 0; i < src.Width(); ++i) {
      const Rgba s = src.Get(i, j);
      if (!s.a || !dst.Inside(x + i, y + j)) continue;
      const Rgba d = dst.Get(x + i, y + j);
      const float a = alpha * s.a / 255.0f;
      auto ch = [&](int dv, int sv, int tv) { return uint8_t(std::min(255, int(dv + sv * tv / 255 * a))); };
      dst.Set(x + i, y + j, Rgba{ch(d.r, s.r, tint.r), ch(d.g, s.g, tint.g), ch(d.b, s.b, tint.b), 255});
    }
}

// A mock of the menu's logo band and of a moment of play at 1×, drawn the way
// the game draws them (tints, light blend, masks), to judge the art in place.
Canvas Preview(const ForgeContext& ctx, const std::vector<ImageAsset>& images) {
  Canvas c(320 + 8 + 320, 240, kBlack);
  // Menu: logo band with bouncing letters, reflections and the mask.
  const Canvas* letters = Find(images, "logo-letters");
  const Canvas* refmask = Find(images, "logo-refmask");
  const int order[11] = {0, 1, 2, 3, 3, 4, 5, 6, 7, 5, 8};  // S K I T T E R W O R M
  if (letters && refmask) {
    for (int i = 0; i < 11; ++i) {
      const double phase = i * 0.55;
      const int y = 6 + int(std::lround(6 + 6 * std::sin(phase)));
      const Rgba tint = Mix(Rgb(40, 220, 90), Rgb(120, 255, 160), float((i * 37) % 11) / 10.0f);
      const Canvas glyph = CellOf(*letters, 16, order[i]);
      Add(c, glyph, 72 + 16 * i, y, tint);
      Add(c, glyph.MirroredY(), 72 + 16 * i, 60 - y - 16, tint);
    }
    c.Draw(*refmask, 0, 30);
    c.FillRect(0, 57, 320, 183, kBlack);
  }
  DrawTextCentred(c, ctx.main_font, 160, 74, "Play", kWhite);
  for (int i = 1; i < 7; ++i)
    DrawTextCentred(
        c, ctx.main_font, 160, 74 + 15 * i,
        std::vector<std::string>{"", "Options", "Highscores", "Statistics", "Help", "Credits", "Quit"}[size_t(i)],
        Grey(153));
  DrawTextCentred(c, ctx.small_font, 160, 230, "v1.2.0", Grey(63));
  // Play: a field of mushrooms, a chain, the creatures, the ship, the HUD.
  const int ox = 328;
  const Canvas* shroom = Find(images, "shroom");
  const Canvas* poison = Find(images, "shroompoison");
  const Canvas* spots = Find(images, "shroomspots");
  const Canvas* worm = Find(images, "skitterworm");
  if (!shroom || !poison || !spots || !worm) return c;
  for (int i = 0; i < 150; ++i) {  // stars
    const int x = int((i * 7919) % 320), y = int((i * 104729) % 226);
    c.Set(ox + x, y, Grey(40 + (i * 13) % 80));
  }
  const int style = 6;
  for (int i = 0; i < 60; ++i) {
    const int col = int((i * 13 + 5) % 32), row = int((i * 7 + i / 5) % 16);
    const int dmg = (i / 7) % 4;
    const int x = ox + 17 + 9 * col, y = 16 + 9 * row;
    const Rgba tint = Mix(Rgb(255, 60, 40), Rgb(255, 200, 60), float(i % 5) / 4.0f);
    if (i % 17 == 3) {
      Add(c, CellOf(*poison, 16, dmg + 4 * style), x - 1, y - 1, Rgb(120, 255, 80), 0.4f);
      c.DrawTinted(CellOf(*shroom, 8, dmg + 4 * style), x, y, Rgb(120, 255, 80));
      c.Draw(CellOf(*spots, 8, dmg + 4 * style), x, y);
    } else {
      c.DrawTinted(CellOf(*shroom, 8, dmg + 4 * style), x, y, tint);
    }
  }
  for (int i = 0; i < 9; ++i)
    c.DrawTinted(CellOf(*worm, 8, (i * 5) % 2), ox + 80 + 9 * i, 16 + 9 * 12,
                 Mix(Rgb(60, 255, 60), Rgb(220, 255, 60), float(i) / 8.0f));
  if (const Canvas* spider = Find(images, "spider")) c.DrawTinted(*spider, ox + 200, 196, Rgb(255, 80, 200));
  if (const Canvas* snail = Find(images, "snail")) {
    Add(c, CellOf(*snail, 8, 0), ox + 232, 16 + 9 * 15, Rgb(80, 200, 255), 0.25f);
    Add(c, CellOf(*snail, 8, 0), ox + 236, 16 + 9 * 15, Rgb(80, 200, 255), 0.5f);
    c.DrawTinted(CellOf(*snail, 8, 0), ox + 240, 16 + 9 * 15, Rgb(80, 200, 255));
  }
  if (const Canvas* saucer = Find(images, "saucer")) {
    c.DrawTinted(CellOf(*saucer, 8, 3), ox + 120, 16 + 9 * 3, Rgb(255, 255, 80));
    Add(c, CellOf(*Find(images, "saucerglow"), 8, 3), ox + 120, 16 + 9 * 3, Rgb(255, 80, 255));
  }
  if (const Canvas* pu = Find(images, "powerup")) {
    c.Draw(CellOf(*pu, 8, 4), ox + 60, 150);
    Add(c, *Find(images, "powerup-spin"), ox + 57, 147, Rgb(80, 255, 255));
  }
  const Canvas* warden = Find(images, "warden");
  if (warden) {
    Add(c, *Find(images, "warden-inner"), ox + 250 - 7, 120 - 6, Rgb(255, 120, 40));
    Add(c, *Find(images, "warden-glow"), ox + 250 - 15, 120 - 14, Rgb(255, 120, 40), 0.3f);
    c.Draw(*warden, ox + 250 - 7, 120 - 6);
    Add(c, CellOf(*Find(images, "warden-alarms"), 9, 0), ox + 256 - 4, 120 - 4, kWhite, 0.75f);
  }
  if (const Canvas* wb = Find(images, "warden-bullet")) c.DrawTinted(*wb, ox + 240, 150, Rgb(0, 255, 255));
  const Canvas* player = Find(images, "player");
  if (player) {
    c.Draw(*player, ox + 156, 205);
    Add(c, *Find(images, "shield"), ox + 154, 203, Rgb(120, 160, 255));
    c.Draw(CellOf(*Find(images, "bullet"), 4, 2), ox + 158, 180);
    c.Draw(*Find(images, "missile"), ox + 100, 170);
  }
  if (const Canvas* hud = Find(images, "hud-bgd")) {
    Add(c, *hud, ox, 227, kWhite);
    const Canvas* pu = Find(images, "powerup");
    for (int i = 0; i < 3; ++i) c.Draw(CellOf(*pu, 8, i == 0 ? 10 : 15), ox + 146 + 10 * i, 230);
    c.Draw(CellOf(*pu, 8, 3), ox + 4, 205);
    c.FillRect(ox + 7, 190, 2, 13, kWhite);
    for (int i = 1; i < 3; ++i) c.Draw(*player, ox + 10 * i - 5, 230);
    DrawText(c, ctx.small_font, ox + 70, 229, "Score:", Rgb(255, 191, 63));
    DrawText(c, ctx.small_font, ox + 102, 229, "12450", kWhite);
    DrawText(c, ctx.small_font, ox + 210, 229, "Hi:", Rgb(63, 191, 255));
    DrawText(c, ctx.small_font, ox + 225, 229, "50000", kWhite);
    DrawText(c, ctx.small_font, ox + 266, 229, "Stage:", Rgb(127, 255, 127));
    DrawText(c, ctx.small_font, ox + 298, 229, "B:3", kWhite);
    Add(c, *Find(images, "radar-post"), ox + 4, 219, kWhite);
    Add(c, *Find(images, "radar-post"), ox + 308, 219, kWhite);
  }
  return c;
}

}  // namespace

Canvas BuildContactSheet(const ForgeContext& ctx, const std::vector<ImageAsset>& images, const std::string& only,
                         int kScale, int kSheetWidth) {
  std::vector<Item> items;
  for (const ImageAsset& img : images) {
    if (!only.empty() && img.path.find(only) == std::string::npos) continue;
    Item it;
    it.image = &img;
    const int cw = img.cell_w * kScale + (img.cells > 1 ? kCellGap : 0);
    it.per_row = std::max(1, std::min(img.cells, (kSheetWidth - 2 * kGap) / cw));
    const int rows = (img.cells + it.per_row - 1) / it.per_row;
    it.w = std::max(cw * it.per_row, 1);
    it.h = kLabelHeight + rows * (img.cell_h * kScale + (img.cells > 1 ? kCellGap : 0));
    const int label_w = TextWidth(ctx.small_font, img.path) * 2 + 120;
    it.w = std::max(it.w, label_w);
    items.push_back(it);
  }
  const std::string sample =
      " !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~";
  const bool fonts = only.empty() || std::string("fonts").find(only) != std::string::npos;
  const bool preview = only.empty() || std::string("preview").find(only) != std::string::npos;
  const Canvas scene = preview ? Preview(ctx, images) : Canvas();

  // Shelf layout.
  struct Placed {
    const Item* item;
    int x, y;
  };
  std::vector<Placed> placed;
  int x = kGap, y = kGap, shelf = 0;
  if (fonts) y += (13 * 2 + 8 * 2) * 2 + 3 * kGap;
  const int preview_y = y;
  if (preview) y += kLabelHeight + scene.Height() * 2 + kGap;
  for (const Item& it : items) {
    if (x + it.w > kSheetWidth - kGap && x > kGap) {
      x = kGap;
      y += shelf + kGap;
      shelf = 0;
    }
    placed.push_back({&it, x, y});
    x += it.w + kGap;
    shelf = std::max(shelf, it.h);
  }
  Canvas sheet(kSheetWidth, y + shelf + kGap, kBackground);

  if (fonts) {
    int fy = kGap;
    const int half = int(sample.size()) / 2;
    for (const BdfFont* f : {&ctx.main_font, &ctx.small_font}) {
      DrawText(sheet, *f, kGap, fy, sample.substr(0, size_t(half)), kWhite, 2);
      fy += f->pixel_size * 2;
      DrawText(sheet, *f, kGap, fy, sample.substr(size_t(half)), kWhite, 2);
      fy += f->pixel_size * 2 + kGap;
    }
  }
  if (preview) {
    DrawText(sheet, ctx.small_font, kGap, preview_y, "preview: menu logo and a moment of play (2x)", kLabel, 2);
    sheet.Draw(scene.Scaled(2), kGap, preview_y + kLabelHeight);
  }
  for (const Placed& p : placed) {
    const ImageAsset& img = *p.item->image;
    DrawText(sheet, ctx.small_font, p.x, p.y, img.path.substr(img.path.find('/') + 1), kLabel, 2);
    std::string info = std::to_string(img.cell_w) + "x" + std::to_string(img.cell_h);
    if (img.cells > 1) info += " x" + std::to_string(img.cells);
    DrawText(sheet, ctx.small_font, p.x + TextWidth(ctx.small_font, img.path) * 2 - 16, p.y, info, kInfo, 2);
    const int gap = img.cells > 1 ? kCellGap : 0;
    for (int c = 0; c < img.cells; ++c) {
      const int cx = p.x + (c % p.item->per_row) * (img.cell_w * kScale + gap);
      const int cy = p.y + kLabelHeight + (c / p.item->per_row) * (img.cell_h * kScale + gap);
      Checker(sheet, cx, cy, img.cell_w * kScale, img.cell_h * kScale);
      sheet.Draw(img.image.Crop(c * img.cell_w, 0, img.cell_w, img.cell_h).Scaled(kScale), cx, cy);
    }
  }
  return sheet;
}

}  // namespace forge
