#include "canvas.h"

#include <algorithm>
#include <cmath>

namespace forge {

namespace {
int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}
}  // namespace

bool ParseHexColour(const std::string& text, Rgba& out) {
  if (text.size() != 6 && text.size() != 8) return false;
  uint8_t v[4] = {0, 0, 0, 255};
  for (size_t i = 0; i < text.size() / 2; ++i) {
    const int hi = HexDigit(text[2 * i]), lo = HexDigit(text[2 * i + 1]);
    if (hi < 0 || lo < 0) return false;
    v[i] = uint8_t(hi * 16 + lo);
  }
  out = Rgba{v[0], v[1], v[2], v[3]};
  return true;
}

Canvas::Canvas(int width, int height, Rgba fill)
    : width_(std::max(0, width)), height_(std::max(0, height)), pixels_(size_t(width_) * height_, fill) {}

void Canvas::Blend(int x, int y, Rgba c) {
  if (!Inside(x, y) || c.a == 0) return;
  Rgba& d = pixels_[size_t(y) * width_ + x];
  if (c.a == 255 || d.a == 0) {
    d = c;
    return;
  }
  // Straight-alpha "over", rounded to the nearest value.
  const int sa = c.a, da = d.a * (255 - sa) / 255;
  const int oa = sa + da;
  auto ch = [&](int s, int dd) { return uint8_t((s * sa + dd * da + oa / 2) / oa); };
  d = Rgba{ch(c.r, d.r), ch(c.g, d.g), ch(c.b, d.b), uint8_t(oa)};
}

void Canvas::Fill(Rgba c) { std::fill(pixels_.begin(), pixels_.end(), c); }

void Canvas::FillRect(int x, int y, int w, int h, Rgba c) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) Set(i, j, c);
}

void Canvas::BlendRect(int x, int y, int w, int h, Rgba c) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) Blend(i, j, c);
}

void Canvas::Outline(int x, int y, int w, int h, Rgba c) {
  FillRect(x, y, w, 1, c);
  FillRect(x, y + h - 1, w, 1, c);
  FillRect(x, y, 1, h, c);
  FillRect(x + w - 1, y, 1, h, c);
}

void Canvas::Paste(const Canvas& src, int x, int y) {
  for (int j = 0; j < src.height_; ++j)
    for (int i = 0; i < src.width_; ++i) Set(x + i, y + j, src.Get(i, j));
}

void Canvas::Draw(const Canvas& src, int x, int y) {
  for (int j = 0; j < src.height_; ++j)
    for (int i = 0; i < src.width_; ++i) Blend(x + i, y + j, src.Get(i, j));
}

void Canvas::DrawTinted(const Canvas& src, int x, int y, Rgba tint) {
  for (int j = 0; j < src.height_; ++j)
    for (int i = 0; i < src.width_; ++i) Blend(x + i, y + j, Multiply(src.Get(i, j), tint));
}

void Canvas::DrawScaled(const Canvas& src, int x, int y, int factor) { Draw(src.Scaled(factor), x, y); }

Canvas Canvas::Crop(int x, int y, int w, int h) const {
  Canvas out(w, h);
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) out.Set(i, j, Get(x + i, y + j));
  return out;
}

Canvas Canvas::MirroredX() const {
  Canvas out(width_, height_);
  for (int j = 0; j < height_; ++j)
    for (int i = 0; i < width_; ++i) out.Set(width_ - 1 - i, j, Get(i, j));
  return out;
}

Canvas Canvas::MirroredY() const {
  Canvas out(width_, height_);
  for (int j = 0; j < height_; ++j)
    for (int i = 0; i < width_; ++i) out.Set(i, height_ - 1 - j, Get(i, j));
  return out;
}

Canvas Canvas::Scaled(int factor) const {
  Canvas out(width_ * factor, height_ * factor);
  for (int j = 0; j < out.height_; ++j)
    for (int i = 0; i < out.width_; ++i) out.Set(i, j, Get(i / factor, j / factor));
  return out;
}

Canvas Canvas::Silhouette(Rgba c) const {
  Canvas out(width_, height_);
  for (int j = 0; j < height_; ++j)
    for (int i = 0; i < width_; ++i)
      if (Opaque(i, j)) out.Set(i, j, Rgba{c.r, c.g, c.b, uint8_t(c.a * Get(i, j).a / 255)});
  return out;
}

Canvas MakeStrip(const std::vector<Canvas>& cells) {
  if (cells.empty()) return Canvas();
  const int w = cells[0].Width(), h = cells[0].Height();
  Canvas out(w * int(cells.size()), h);
  for (size_t i = 0; i < cells.size(); ++i) out.Paste(cells[i], int(i) * w, 0);
  return out;
}

Rgba Mix(Rgba a, Rgba b, float t) {
  auto m = [t](int x, int y) { return uint8_t(std::lround(x + (y - x) * t)); };
  return Rgba{m(a.r, b.r), m(a.g, b.g), m(a.b, b.b), m(a.a, b.a)};
}

Rgba Multiply(Rgba a, Rgba tint) {
  if (a.a == 0) return kClear;
  auto m = [](int x, int y) { return uint8_t((x * y + 127) / 255); };
  return Rgba{m(a.r, tint.r), m(a.g, tint.g), m(a.b, tint.b), m(a.a, tint.a)};
}

}  // namespace forge
