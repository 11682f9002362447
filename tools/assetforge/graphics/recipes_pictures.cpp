// Pictures composed from the sprites and the game fonts: the help panels, the
// on-screen notices, the splash cards, the credits pictures and the desktop icon.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "recipes.h"
#include "text_render.h"

namespace forge {

namespace {

constexpr Rgba kLabel = Rgb(255, 220, 140), kText = Rgb(200, 200, 200), kItem = Rgb(255, 200, 90);

const Canvas& ImageOf(const std::vector<ImageAsset>& done, const std::string& name) {
  for (const ImageAsset& a : done)
    if (a.path == "graphics/" + name + ".png") return a.image;
  std::fprintf(stderr, "assetforge-graphics: the pictures need graphics/%s.png first\n", name.c_str());
  std::exit(1);
}

Canvas Cell(const Canvas& strip, int cell_w, int frame) {
  return strip.Crop(frame * cell_w, 0, cell_w, strip.Height());
}

// Draws a white sprite the way the game does: multiplied by a colour, optionally scaled.
void Tinted(Canvas& dst, const Canvas& sprite, int x, int y, Rgba tint, int scale = 1) {
  dst.DrawTinted(scale > 1 ? sprite.Scaled(scale) : sprite, x, y, tint);
}

// Help, left panel (5, 163): every powerup icon with its name, three columns.
Canvas HelpPowerups(const ForgeContext& ctx, const Canvas& icons) {
  struct Entry {
    int frame;
    const char* name;
    bool item;
  };
  const Entry columns[3][5] = {
      {{0, "Laser 2", false},
       {1, "Laser 3", false},
       {2, "Laser 4", false},
       {3, "Shield", false},
       {13, "Extra life", false}},
      {{4, "Score x2", false},
       {5, "Score x3", false},
       {6, "Score x5", false},
       {7, "Free move", false},
       {8, "Spider radar", false}},
      {{9, "Missiles", true},
       {10, "Smart bomb", true},
       {11, "Railblast", true},
       {12, "Scattermines", true},
       {15, "Item slot", true}},
  };
  Canvas c(190, 54);
  for (int col = 0; col < 3; ++col)
    for (int row = 0; row < 5; ++row) {
      const Entry& e = columns[col][row];
      const int x = col * 64, y = row * 11;
      c.Draw(Cell(icons, 8, e.frame), x, y);
      DrawText(c, ctx.small_font, x + 11, y, e.name, e.item ? kItem : kText);
    }
  return c;
}

// Help, right panel (200, 163): the controls. The game writes the keys of the
// first four rows (the player's own) at x 34; pause and the display keys are fixed.
Canvas HelpControls(const ForgeContext& ctx) {
  const char* labels[4] = {"Move", "Fire", "Item", "Autofire"};
  Canvas c(114, 54);
  for (int i = 0; i < 4; ++i) DrawText(c, ctx.small_font, 0, i * 9, labels[i], kLabel);
  DrawText(c, ctx.small_font, 0, 36, "Pause", kLabel);
  DrawText(c, ctx.small_font, 34, 36, "P or Esc", kText);
  int x = 0;
  for (const auto& [key, what] : {std::pair{"F4", "full"}, {"F5", "scale"}, {"F12", "shot"}}) {
    DrawText(c, ctx.small_font, x, 45, key, kLabel);
    x += TextWidth(ctx.small_font, key) + 3;
    DrawText(c, ctx.small_font, x, 45, what, kText);
    x += TextWidth(ctx.small_font, what) + 7;
  }
  return c;
}

// A notice at the top left: an icon and a short text, drawn in white by the game.
Canvas Notice(const ForgeContext& ctx, const Canvas& icon, const std::string& text, Rgba text_colour) {
  Canvas c(icon.Width() + 3 + TextWidth(ctx.small_font, text), 9);
  c.Draw(icon, 0, 0);
  DrawText(c, ctx.small_font, icon.Width() + 3, 1, text, text_colour);
  return c;
}

// A brick with a light top edge and a dark bottom edge.
void Brick(Canvas& c, int x, int y, int w, int h, Rgba base) {
  c.FillRect(x, y, w, h, base);
  c.FillRect(x, y, w, 1, Mix(base, kWhite, 0.45f));
  c.FillRect(x, y + 1, 1, h - 1, Mix(base, kWhite, 0.2f));
  c.FillRect(x, y + h - 1, w, 1, Mix(base, kBlack, 0.45f));
  c.FillRect(x + w - 1, y + 1, 1, h - 1, Mix(base, kBlack, 0.3f));
}

// Splash card 1, "Brixo Games": a letter B laid in bricks, one brick per glyph
// pixel of the game's main font, with a few bricks tumbling off.
Canvas BrixoCard(const ForgeContext& ctx) {
  Canvas c(112, 62);  // the letter's nine brick rows end at y 57, whole above the ground
  const BdfGlyph* b = ctx.main_font.Find('B');
  const int bw = 9, bh = 5, ox = 56 - (b->bbx_w * bw) / 2 - 4, oy = 4;
  const Rgba tones[3] = {Rgb(214, 92, 52), Rgb(232, 120, 60), Rgb(196, 78, 48)};
  for (int r = 0; r < b->bbx_h; ++r)
    for (int col = 0; col < b->bbx_w; ++col)
      if (b->rows[size_t(r)][size_t(col)]) {
        const int stagger = (r % 2) ? 4 : 0;  // bond: alternate rows shift half a brick
        Brick(c, ox + col * bw + stagger, oy + r * (bh + 1), bw - 1, bh, tones[(r * 7 + col * 3) % 3]);
      }
  // Tumbling bricks, right of the letter.
  Brick(c, 86, 45, 8, 5, tones[1]);
  Brick(c, 95, 51, 8, 5, tones[0]);
  Brick(c, 90, 35, 8, 5, tones[2]);
  // Ground line.
  for (int x = 6; x < 106; ++x) c.Set(x, 61, Mix(Rgb(120, 60, 40), kBlack, float(std::abs(x - 56)) / 60.0f));
  return c;
}

// Splash card 2, "a Kilnware creation": a brick kiln with a fire in its mouth
// and a chimney with a rising spark.
Canvas KilnCard() {
  Canvas c(104, 48);
  const double cx = 52, base = 46, rx = 38, ry = 34;
  const Rgba brick = Rgb(150, 86, 62), brick2 = Rgb(170, 100, 70);
  for (int row = 0; row * 6 < int(ry) + 2; ++row) {
    const int y = int(base) - (row + 1) * 6;
    const double t = std::min(1.0, (base - y - 3) / ry);
    const double half = rx * std::sqrt(std::max(0.0, 1.0 - t * t));
    const int x0 = int(cx - half), x1 = int(cx + half);
    for (int x = x0 + ((row % 2) ? 5 : 0) - 10; x < x1; x += 10) {
      const int bx = std::max(x, x0), ex = std::min(x + 9, x1);
      if (ex - bx >= 3) Brick(c, bx, y, ex - bx, 5, (row + x / 10) % 2 ? brick : brick2);
    }
  }
  // Chimney.
  for (int y = 6; y < 18; y += 6) Brick(c, 66, y, 9, 5, brick2);
  // The mouth: an arch glowing from white-yellow at the bottom to red at the top.
  for (int y = 24; y < 46; ++y)
    for (int x = 38; x < 66; ++x) {
      const double dx = (x + 0.5 - 52) / 14.0, dy = (y + 0.5 - 46) / 22.0;
      if (dx * dx + dy * dy > 1.0) continue;
      const double heat = 1.0 - (46 - y) / 22.0;
      const Rgba col = heat > 0.6 ? Mix(Rgb(255, 170, 40), Rgb(255, 250, 200), float((heat - 0.6) / 0.4))
                                  : Mix(Rgb(140, 20, 10), Rgb(255, 170, 40), float(heat / 0.6));
      c.Set(x, y, col);
    }
  // Flames licking up.
  const int flames[] = {40, 44, 47, 51, 55, 58, 62};
  for (size_t i = 0; i < sizeof flames / sizeof flames[0]; ++i) {
    const int h = 5 + int((i * 5) % 7);
    for (int k = 0; k < h; ++k)
      c.Set(flames[i], 45 - k, Mix(Rgb(255, 255, 210), Rgb(255, 140, 30), float(k) / float(h)));
  }
  // A spark above the chimney.
  c.Set(70, 3, Rgb(255, 220, 120));
  c.Set(72, 1, Rgb(255, 180, 80));
  c.Set(69, 0, Rgb(255, 140, 60));
  for (int x = 8; x < 96; ++x) c.Set(x, 47, Rgb(90, 50, 40));
  return c;
}

// Credits title: SKITTERWORM in the main font at double size, filled with a
// warm gradient, outlined and shadowed.
Canvas CreditsLogo(const ForgeContext& ctx) {
  const std::string title = "SKITTERWORM";
  const int w = TextWidth(ctx.main_font, title) * 2 + 4;
  Canvas ink(w, 26);
  DrawText(ink, ctx.main_font, 2, 0, title, kWhite, 2);  // caps on rows 2-19
  Canvas c(w, 26);
  // Shadow, outline, then the gradient fill.
  for (int y = 0; y < 26; ++y)
    for (int x = 0; x < w; ++x)
      if (ink.Opaque(x - 2, y - 2)) c.Set(x, y, Rgb(40, 10, 60));
  for (int y = 0; y < 26; ++y)
    for (int x = 0; x < w; ++x) {
      bool edge = false;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) edge |= ink.Opaque(x + dx, y + dy);
      if (edge && !ink.Opaque(x, y)) c.Set(x, y, Rgb(20, 20, 40));
    }
  for (int y = 0; y < 26; ++y)
    for (int x = 0; x < w; ++x)
      if (ink.Opaque(x, y)) {
        const float t = std::clamp(float(y - 2) / 17.0f, 0.0f, 1.0f);
        c.Set(x, y,
              t < 0.5f ? Mix(Rgb(255, 250, 160), Rgb(255, 190, 40), t * 2)
                       : Mix(Rgb(255, 190, 40), Rgb(240, 80, 30), (t - 0.5f) * 2));
      }
  return c;
}

struct Palette {
  Rgba red = Rgb(255, 70, 60), orange = Rgb(255, 150, 40), yellow = Rgb(255, 230, 70), green = Rgb(80, 230, 70),
       cyan = Rgb(60, 220, 255), blue = Rgb(80, 120, 255), purple = Rgb(200, 90, 255), pink = Rgb(255, 110, 200);
};

Canvas ShroomSnail1(const std::vector<ImageAsset>& done) {
  const Palette p;
  const Canvas& shroom = ImageOf(done, "shroom");
  const Canvas& snail = ImageOf(done, "snail");
  Canvas c(128, 40);
  const Rgba colours[] = {p.red, p.orange, p.yellow, p.green, p.cyan, p.purple};
  const int xs[] = {0, 22, 46, 88, 108}, ys[] = {22, 14, 24, 20, 24};
  for (int i = 0; i < 5; ++i) Tinted(c, Cell(shroom, 8, (i * 4) + (i % 3 == 1 ? 1 : 0)), xs[i], ys[i], colours[i], 2);
  // A trail of tinted cells behind the snail, as the game leaves them.
  for (int i = 0; i < 3; ++i)
    Tinted(c, Cell(snail, 8, 0), 48 + i * 6, 8, Rgba{p.green.r, p.green.g, p.green.b, uint8_t(60 + i * 50)}, 2);
  Tinted(c, Cell(snail, 8, 0), 66, 8, p.green, 2);
  return c;
}

Canvas PlayerSpiders(const std::vector<ImageAsset>& done) {
  const Palette p;
  Canvas c(84, 56);
  Tinted(c, ImageOf(done, "spider"), 2, 6, p.pink, 2);
  Tinted(c, ImageOf(done, "spider"), 56, 18, p.yellow, 2);
  Tinted(c, ImageOf(done, "splat"), 20, -2, Rgba{p.green.r, p.green.g, p.green.b, 150}, 2);
  c.Draw(Cell(ImageOf(done, "bullet"), 4, 1).Scaled(2), 38, 18);
  c.Draw(ImageOf(done, "player").Scaled(2), 35, 38);
  return c;
}

Canvas SaucerPoison(const std::vector<ImageAsset>& done) {
  const Palette p;
  Canvas c(84, 52);
  const Canvas& shroom = ImageOf(done, "shroom");
  const Canvas& poison = ImageOf(done, "shroompoison");
  const Canvas& spots = ImageOf(done, "shroomspots");
  Tinted(c, Cell(ImageOf(done, "saucer"), 8, 2), 30, 2, p.cyan, 2);
  c.Draw(Cell(ImageOf(done, "saucerglow"), 8, 2).Scaled(2), 30, 2);
  for (int i = 0; i < 3; ++i) {
    const int x = 6 + i * 26, y = 30 + (i % 2) * 4, f = 8 + i;
    Tinted(c, Cell(poison, 16, f), x - 2, y - 2, Rgba{p.green.r, p.green.g, p.green.b, 150}, 2);
    Tinted(c, Cell(shroom, 8, f), x, y, i == 1 ? p.yellow : p.orange, 2);
    c.Draw(Cell(spots, 8, f).Scaled(2), x, y);
  }
  return c;
}

Canvas ShroomSnail2(const std::vector<ImageAsset>& done) {
  const Palette p;
  Canvas c(76, 56);
  const Canvas& snail = ImageOf(done, "snail");
  for (int i = 0; i < 3; ++i)
    Tinted(c, Cell(snail, 8, 2), 30, 2 + i * 6, Rgba{p.orange.r, p.orange.g, p.orange.b, uint8_t(60 + i * 50)}, 2);
  Tinted(c, Cell(snail, 8, 2), 30, 20, p.orange, 2);
  const Canvas& shroom = ImageOf(done, "shroom");
  Tinted(c, Cell(shroom, 8, 24), 2, 38, p.blue, 2);
  Tinted(c, Cell(shroom, 8, 26), 56, 36, p.purple, 2);
  Tinted(c, Cell(shroom, 8, 25), 20, 2, p.cyan, 2);
  return c;
}

// A skitterworm chain crawling along, its parts in shades of one colour family.
Canvas Skitterworms(const std::vector<ImageAsset>& done) {
  Canvas c(216, 18);
  const Canvas& part = ImageOf(done, "skitterworm");
  for (int i = 0; i < 12; ++i) {
    const float t = float(i) / 11.0f;
    const Rgba tint = Mix(Rgb(120, 255, 60), Rgb(255, 220, 40), t);
    Tinted(c, Cell(part, 8, i % 2), i * 18, (i % 3 == 1) ? 2 : 0, tint, 2);
  }
  return c;
}

// The audio credit: the libraries the game really plays its sound through.
Canvas AudioBanner(const ForgeContext& ctx) {
  const std::string head = "Sound and music powered by";
  const std::string libs[3] = {"SDL2", "libvorbis (Ogg Vorbis)", "libopenmpt"};
  const Rgba colours[3] = {Rgb(120, 200, 255), Rgb(255, 200, 90), Rgb(140, 240, 140)};
  const std::string sep = "  -  ";
  int line = 0;
  for (int i = 0; i < 3; ++i) line += TextWidth(ctx.small_font, libs[i]) + (i < 2 ? TextWidth(ctx.small_font, sep) : 0);
  const int w = std::max(line, TextWidth(ctx.small_font, head)) + 14;
  Canvas c(w, 20, Rgb(16, 16, 28));
  c.Outline(0, 0, w, 20, Rgb(90, 90, 130));
  c.Outline(1, 1, w - 2, 18, Rgb(40, 40, 64));
  DrawTextCentred(c, ctx.small_font, w / 2, 2, head, Rgb(150, 150, 170));
  int x = (w - line) / 2;
  for (int i = 0; i < 3; ++i) {
    DrawText(c, ctx.small_font, x, 10, libs[i], colours[i]);
    x += TextWidth(ctx.small_font, libs[i]);
    if (i < 2) {
      DrawText(c, ctx.small_font, x, 10, sep, Rgb(90, 90, 120));
      x += TextWidth(ctx.small_font, sep);
    }
  }
  return c;
}

}  // namespace

void AddPictureImages(const ForgeContext& ctx, std::vector<ImageAsset>& out) {
  const std::vector<ImageAsset>& done = out;
  out.push_back(Single("help-powerups", HelpPowerups(ctx, ImageOf(done, "powerup"))));
  out.push_back(Single("help-controls", HelpControls(ctx)));
  out.push_back(
      Single("cfire-icon-on", Notice(ctx, ctx.sprites.Frame("icon-autofire"), "Autofire on", Rgb(140, 255, 140))));
  out.push_back(Single("cfire-icon-off", Notice(ctx, ctx.sprites.Frame("icon-autofire").Silhouette(Rgb(150, 150, 150)),
                                                "Autofire off", Rgb(255, 140, 120))));
  out.push_back(Single("screenshot-icon", Notice(ctx, ctx.sprites.Frame("icon-camera"), "Screenshot saved", kLabel)));
  out.push_back(Single("splash-logo-brixo", BrixoCard(ctx)));
  out.push_back(Single("splash-logo-kiln", KilnCard()));
  out.push_back(Single("credits-logo-skitterworm", CreditsLogo(ctx)));
  out.push_back(Single("credits-shroomsnail1", ShroomSnail1(done)));
  out.push_back(Single("credits-playerspiders", PlayerSpiders(done)));
  out.push_back(Single("credits-saucerpoison", SaucerPoison(done)));
  out.push_back(Single("credits-shroomsnail2", ShroomSnail2(done)));
  out.push_back(Single("credits-skitterworms", Skitterworms(done)));
  out.push_back(Single("credits-fmodbanner", AudioBanner(ctx)));
}

// The desktop icon: the skitterworm of the logo crawling over a dark tile,
// above a row of mushrooms and the ship firing.
Canvas BuildIcon(const ForgeContext& ctx) {
  Canvas icon(128, 128);
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 128; ++x) {
      // Rounded tile, corner radius 18.
      const double dx = x < 18 ? 18 - x - 0.5 : x > 109 ? x - 109 + 0.5 : 0;
      const double dy = y < 18 ? 18 - y - 0.5 : y > 109 ? y - 109 + 0.5 : 0;
      const double r = std::hypot(dx, dy);
      if (r > 18.0) continue;
      const Rgba top = Rgb(34, 24, 70), bottom = Rgb(10, 8, 24);
      Rgba col = Mix(top, bottom, float(y) / 127.0f);
      if (r > 16.8) col = Mix(col, Rgb(90, 70, 150), 0.6f);
      icon.Set(x, y, col);
    }
  const auto& letters = ctx.sprites.Get("logo-worm").frames;
  const int order[4] = {0, 1, 2, 3};
  const int lift[4] = {0, 5, 8, 4};
  for (int i = 3; i >= 0; --i) {
    const Rgba tint = Mix(Rgb(120, 255, 80), Rgb(255, 220, 60), float(i) / 3.0f);
    icon.DrawTinted(letters[size_t(order[i])].Scaled(2), 2 + i * 30, 22 + lift[i], tint);
  }
  const auto& shrooms = ctx.sprites.Get("shroom-whole").frames;
  icon.DrawTinted(shrooms[0].Scaled(3), 12, 76, Rgb(255, 80, 70));
  icon.DrawTinted(shrooms[6].Scaled(3), 92, 70, Rgb(255, 170, 50));
  icon.DrawTinted(shrooms[5].Scaled(2), 44, 64, Rgb(200, 100, 255));
  icon.Draw(ctx.sprites.Frame("bullet", 3).Scaled(3), 56, 66);
  icon.Draw(ctx.sprites.Frame("player").Scaled(4), 50, 92);
  return icon;
}

}  // namespace forge
