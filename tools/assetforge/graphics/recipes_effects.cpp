// Images that are light rather than drawing: glows, sparks, flares, beams,
// fade masks and the HUD and pause bands. Made by formula, deterministically
// (no random generator, no floating-point differences that depend on the
// machine beyond IEEE arithmetic of the same expressions).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "recipes.h"

namespace forge {

namespace {

constexpr double kPi = 3.14159265358979323846;

uint8_t Byte(double v) { return uint8_t(std::clamp(std::lround(v), 0L, 255L)); }

// A small integer hash for fixed "noise" (filaments, ray lengths).
uint32_t Hash(uint32_t x) {
  x ^= x >> 16;
  x *= 0x7feb352dU;
  x ^= x >> 15;
  x *= 0x846ca68bU;
  x ^= x >> 16;
  return x;
}
double Noise(uint32_t a, uint32_t b) { return double(Hash(a * 73856093U ^ b * 19349663U) % 10000) / 10000.0; }

// White light whose opacity falls from the centre: (1 − d/r)^power.
Canvas Glow(int w, int h, double cx, double cy, double r, double peak, double power, Rgba colour = kWhite) {
  Canvas c(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
      if (d >= r) continue;
      const double a = peak * std::pow(1.0 - d / r, power);
      if (a >= 1.0) c.Set(x, y, Rgba{colour.r, colour.g, colour.b, Byte(a)});
    }
  return c;
}

// Poisoned mushrooms: a glow hugging the mushroom's outline, with drips running
// off its underside. The mushroom sits at (1, 1) of the 16×16 cell, as the game
// draws the glow one pixel up and left of the cell.
Canvas PoisonGlow(const Canvas& shroom, int frame) {
  Canvas c(16, 16);
  auto inside = [&](int x, int y) { return shroom.Opaque(x - 1, y - 1); };
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      double best = 99;
      for (int sy = 0; sy < 8; ++sy)
        for (int sx = 0; sx < 8; ++sx)
          if (shroom.Opaque(sx, sy)) best = std::min(best, std::hypot(x - (sx + 1), y - (sy + 1)));
      int a = 0;
      if (inside(x, y))
        a = 70;
      else if (best <= 1.0)
        a = 255;
      else if (best <= 1.5)
        a = 190;
      else if (best <= 2.3)
        a = 110;
      else if (best <= 3.2)
        a = 45;
      if (a) c.Set(x, y, Rgba{255, 255, 255, uint8_t(a)});
    }
  // Drips: under some of the lowest pixels, 2-4 pixels long, fading.
  for (int sx = 0; sx < 8; ++sx) {
    int bottom = -1;
    for (int sy = 0; sy < 8; ++sy)
      if (shroom.Opaque(sx, sy)) bottom = sy;
    if (bottom < 0 || Hash(uint32_t(frame * 8 + sx)) % 3 != 0) continue;
    const int len = 2 + int(Hash(uint32_t(frame * 8 + sx + 99)) % 3);
    for (int i = 1; i <= len; ++i) {
      const int y = bottom + 1 + i + 1;
      const int a = 230 - i * 45;
      if (y < 16 && c.Get(sx + 1, y).a < a) c.Set(sx + 1, y, Rgba{255, 255, 255, uint8_t(a)});
    }
  }
  return c;
}

// A burst of light: a hot white core going yellow and orange, with rays.
Canvas Burst(int size, int rays, uint32_t seed) {
  Canvas c(size, size);
  const double centre = size / 2.0, r = size / 2.0;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const double dx = x + 0.5 - centre, dy = y + 0.5 - centre;
      const double d = std::hypot(dx, dy) / r;
      if (d >= 1.0) continue;
      double ang = std::atan2(dy, dx) / (2 * kPi) * rays;
      if (ang < 0) ang += rays;
      const int ray = int(ang) % rays;
      const double frac = ang - std::floor(ang);
      const double reach = 0.55 + 0.45 * Noise(seed, uint32_t(ray));  // this ray's length
      const double spoke = std::pow(std::max(0.0, 1.0 - std::fabs(frac - 0.5) * 2.0), 3.0);
      const double core = std::pow(std::max(0.0, 1.0 - d / 0.45), 1.2);
      const double rayv = d < reach ? spoke * (1.0 - d / reach) : 0.0;
      const double v = std::min(1.0, core + rayv * 0.9);
      if (v < 0.04) continue;
      // Colour by heat: white, yellow, orange, red.
      const double heat = std::min(1.0, v * 1.3);
      const Rgba col = heat > 0.75  ? Mix(Rgb(255, 220, 80), kWhite, float((heat - 0.75) / 0.25))
                       : heat > 0.4 ? Mix(Rgb(255, 120, 20), Rgb(255, 220, 80), float((heat - 0.4) / 0.35))
                                    : Mix(Rgb(200, 40, 10), Rgb(255, 120, 20), float(heat / 0.4));
      c.Set(x, y, Rgba{col.r, col.g, col.b, Byte(255 * std::min(1.0, v * 1.4))});
    }
  return c;
}

// The railblast beam, drawn stretched to 21×227, which is its own size: a white
// core, a falling glow to the sides and two filaments that wind along it.
Canvas Railblast() {
  constexpr int w = 21, h = 227;
  Canvas c(w, h);
  for (int y = 0; y < h; ++y) {
    const double f1 = 10.0 + 4.0 * std::sin(y * 0.21) + 2.0 * (Noise(1, uint32_t(y / 3)) - 0.5);
    const double f2 = 10.0 + 5.5 * std::sin(y * 0.13 + 2.0) + 2.0 * (Noise(2, uint32_t(y / 4)) - 0.5);
    for (int x = 0; x < w; ++x) {
      const double d = std::fabs(x - 10.0);
      double v = d <= 1.0 ? 1.0 : std::pow(std::max(0.0, 1.0 - (d - 1.0) / 9.5), 1.7) * 0.8;
      const double fil = std::max(std::max(0.0, 1.0 - std::fabs(x - f1)), std::max(0.0, 1.0 - std::fabs(x - f2)) * 0.8);
      v = std::max(v, fil * 0.95);
      if (v < 0.03) continue;
      const uint8_t g = Byte(150 + 105 * v);
      c.Set(x, y, Rgba{g, g, g, Byte(255 * v)});
    }
  }
  return c;
}

// A horizontal flare: the kersplode flash (161×8, handle 80,0) and the drone lamp.
Canvas Flare(int w, int h, double power, double vpeak) {
  Canvas c(w, h);
  const double cx = w / 2.0, cy = h / 2.0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const double tx = std::fabs(x + 0.5 - cx) / cx, ty = std::fabs(y + 0.5 - cy) / cy;
      const double streak = std::pow(1.0 - tx, power) * std::pow(std::max(0.0, 1.0 - ty), 1.5);
      const double vert = std::pow(std::max(0.0, 1.0 - ty), 2.0) * std::pow(std::max(0.0, 1.0 - tx * 6.0), 2.0) * vpeak;
      const double v = std::min(1.0, std::max(streak, vert));
      if (v < 0.03) continue;
      c.Set(x, y, Rgba{255, 255, 255, Byte(255 * v)});
    }
  return c;
}

Canvas Ring(int size, double radius, double width, int dashes, double duty) {
  Canvas c(size, size);
  const double centre = size / 2.0;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const double dx = x + 0.5 - centre, dy = y + 0.5 - centre;
      const double d = std::hypot(dx, dy);
      const double edge = 1.0 - std::fabs(d - radius) / width;
      if (edge <= 0) continue;
      if (dashes > 0) {
        double a = std::atan2(dy, dx) / (2 * kPi) * dashes;
        a -= std::floor(a);
        if (a > duty) continue;
      }
      c.Set(x, y, Rgba{255, 255, 255, Byte(255 * std::min(1.0, edge * 1.6))});
    }
  return c;
}

// Credits fade mask (320×240, black): hides the rows behind the logo band,
// fades them in above y 58..96 and out below 196..240.
Canvas MenuFadeMask() {
  Canvas c(320, 240);
  for (int y = 0; y < 240; ++y) {
    double a = 0;
    if (y < 58)
      a = 1;
    else if (y < 96)
      a = 1.0 - (y - 58) / 38.0;
    else if (y >= 196)
      a = (y - 196 + 1) / 44.0;
    a = std::clamp(a, 0.0, 1.0);
    a = a * a * (3 - 2 * a);  // smooth ends
    for (int x = 0; x < 320; ++x) c.Set(x, y, Rgba{0, 0, 0, Byte(255 * a)});
  }
  return c;
}

// Logo reflection mask (320×27 at y 30, black): the mirrored letters show at a
// little over half strength under the line and fade out within ten rows, with
// faint ripples on alternate rows.
Canvas LogoRefMask() {
  Canvas c(320, 27);
  for (int y = 0; y < 27; ++y) {
    // Black from row 10 (y 40) down: the screen titles centred at y 45 stand
    // clear of the reflection.
    double a = 0.42 + 0.58 * std::pow(std::min(y / 10.0, 1.0), 0.9);
    if (y % 2 == 1) a += 0.08;
    a = std::min(1.0, a);
    for (int x = 0; x < 320; ++x) c.Set(x, y, Rgba{0, 0, 0, Byte(255 * a)});
  }
  return c;
}

// The pause band behind the pause texts at (0, 97), drawn in mask blend in grey
// 31: a plate with bright rims and soft scanlines.
Canvas PauseBand() {
  Canvas c(320, 40, Grey(200));
  for (int y = 0; y < 40; ++y) {
    int g = (y % 2) ? 176 : 200;
    if (y == 0 || y == 39)
      g = 255;
    else if (y == 1 || y == 38)
      g = 96;
    else if (y == 2 || y == 37)
      g = 150;
    for (int x = 0; x < 320; ++x) c.Set(x, y, Grey(g));
  }
  return c;
}

// The HUD strip at (0, 227), added to the screen: a dark panel, a bright rim
// on top, wells for the three item slots (146, 156, 166; 8×8 at y 230) and
// dividers between lives, score, items, best score and stage.
Canvas HudBand() {
  Canvas c(320, 13, Grey(22));
  for (int x = 0; x < 320; ++x) {
    c.Set(x, 0, Grey(110));
    c.Set(x, 1, Grey(44));
    c.Set(x, 12, Grey(30));
  }
  for (int x : {63, 141, 177, 205, 262}) {
    for (int y = 3; y <= 10; ++y) c.Set(x, y, Grey(52));
  }
  for (int i = 0; i < 3; ++i) {
    const int x = 145 + 10 * i;
    c.FillRect(x, 2, 10, 10, Grey(6));
    c.Outline(x, 2, 10, 10, Grey(58));
  }
  return c;
}

}  // namespace

void AddEffectImages(const ForgeContext&, std::vector<ImageAsset>& out) {
  {
    std::vector<Canvas> glows;
    // The glow follows the mushroom shapes, made by AddSpriteImages before this.
    const auto shrooms =
        std::find_if(out.begin(), out.end(), [](const ImageAsset& a) { return a.path == "graphics/shroom.png"; });
    if (shrooms == out.end()) {
      std::fprintf(stderr, "assetforge-graphics: shroompoison needs graphics/shroom.png first\n");
      std::exit(1);
    }
    for (int f = 0; f < 32; ++f) glows.push_back(PoisonGlow(shrooms->image.Crop(f * 8, 0, 8, 8), f));
    out.push_back(Strip("shroompoison", glows));
  }
  out.push_back(Single("warden-glow", Glow(31, 29, 15.5, 14.5, 14.5, 230, 1.5)));
  out.push_back(Strip("warden-alarms", {Glow(9, 9, 4.5, 4.5, 4.5, 255, 1.1, Rgb(255, 60, 40)),
                                        Glow(9, 9, 4.5, 4.5, 4.5, 255, 1.1, Rgb(70, 130, 255))}));
  for (Canvas* lamp : {&out.back().image}) {
    // A white-hot centre in each lamp.
    for (int f = 0; f < 2; ++f) {
      lamp->Set(f * 9 + 4, 4, kWhite);
      for (auto [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}})
        lamp->Set(f * 9 + 4 + dx, 4 + dy, Mix(lamp->Get(f * 9 + 4 + dx, 4 + dy), kWhite, 0.6f));
    }
  }
  out.push_back(Single("powerup-spin", Ring(14, 6.0, 1.0, 4, 0.62)));
  out.push_back(Single("particle2", Canvas(1, 1, kWhite)));
  out.push_back(Single("particle3", Glow(5, 5, 2.5, 2.5, 2.6, 300, 1.2)));
  {
    Canvas star(7, 7);
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < 7; ++x) {
        const int dx = std::abs(x - 3), dy = std::abs(y - 3);
        double v = 0;
        if (dx == 0 || dy == 0)
          v = 1.0 - std::max(dx, dy) * 0.26;
        else if (dx == dy)
          v = 0.55 - dx * 0.2;
        if (v > 0.05) star.Set(x, y, Rgba{255, 255, 255, Byte(255 * v)});
      }
    out.push_back(Single("particle6", star));
  }
  out.push_back(Single("particle8", Burst(31, 14, 8)));
  out.push_back(Single("particle9", Burst(15, 9, 9)));
  out.push_back(Single("kersplode", Flare(161, 8, 2.2, 0.0)));
  out.push_back(Single("railblast", Railblast()));
  out.push_back(Single("raildrone-flash", Flare(15, 7, 1.6, 1.0)));
  {
    Canvas appear = Ring(16, 6.0, 1.1, 0, 1.0);
    for (int i = 0; i < 3; ++i) {  // cross-hair ticks
      const uint8_t a = uint8_t(255 - i * 70);
      appear.Set(7, i, Rgba{255, 255, 255, a});
      appear.Set(8, i, Rgba{255, 255, 255, a});
      appear.Set(7, 15 - i, Rgba{255, 255, 255, a});
      appear.Set(8, 15 - i, Rgba{255, 255, 255, a});
      appear.Set(i, 7, Rgba{255, 255, 255, a});
      appear.Set(i, 8, Rgba{255, 255, 255, a});
      appear.Set(15 - i, 7, Rgba{255, 255, 255, a});
      appear.Set(15 - i, 8, Rgba{255, 255, 255, a});
    }
    out.push_back(Single("scattermine-appear", appear));
  }
  out.push_back(Single("scattermine-explode", Burst(24, 11, 24)));
  out.push_back(Single("menu-fademask", MenuFadeMask()));
  out.push_back(Single("logo-refmask", LogoRefMask()));
  out.push_back(Single("gameinfo-bgd", PauseBand()));
  out.push_back(Single("hud-bgd", HudBand()));
}

}  // namespace forge
