#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace forge {

// One RGBA pixel, 8 bits per channel, straight (not premultiplied) alpha.
struct Rgba {
  uint8_t r = 0, g = 0, b = 0, a = 0;
  bool operator==(const Rgba&) const = default;
};

constexpr Rgba kClear{255, 0, 255, 0};  // transparent pixels keep the mask colour
constexpr Rgba kWhite{255, 255, 255, 255};
constexpr Rgba kBlack{0, 0, 0, 255};

constexpr Rgba Grey(int v, int a = 255) { return Rgba{uint8_t(v), uint8_t(v), uint8_t(v), uint8_t(a)}; }
constexpr Rgba Rgb(int r, int g, int b, int a = 255) { return Rgba{uint8_t(r), uint8_t(g), uint8_t(b), uint8_t(a)}; }
// "rrggbb" or "rrggbbaa"; returns false on a malformed text.
bool ParseHexColour(const std::string& text, Rgba& out);

// A picture in memory: the forge composes every image on canvases and writes
// them as PNG. Pixels outside the canvas are ignored by every operation.
class Canvas {
 public:
  Canvas() = default;
  Canvas(int width, int height, Rgba fill = kClear);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  Rgba Get(int x, int y) const { return Inside(x, y) ? pixels_[size_t(y) * width_ + x] : kClear; }
  void Set(int x, int y, Rgba c) {
    if (Inside(x, y)) pixels_[size_t(y) * width_ + x] = c;
  }
  bool Opaque(int x, int y) const { return Get(x, y).a != 0; }
  const std::vector<Rgba>& Pixels() const { return pixels_; }

  // Source-over compositing of one pixel (straight alpha).
  void Blend(int x, int y, Rgba c);
  void Fill(Rgba c);
  void FillRect(int x, int y, int w, int h, Rgba c);
  void BlendRect(int x, int y, int w, int h, Rgba c);
  void Outline(int x, int y, int w, int h, Rgba c);
  // Copies (replacing) or composites (over) another canvas with its top-left at (x, y).
  void Paste(const Canvas& src, int x, int y);
  void Draw(const Canvas& src, int x, int y);
  // Draws src multiplied by a tint colour, the way the game tints white sprites.
  void DrawTinted(const Canvas& src, int x, int y, Rgba tint);
  // Draws src scaled up by a whole factor with hard edges.
  void DrawScaled(const Canvas& src, int x, int y, int factor);

  Canvas Crop(int x, int y, int w, int h) const;
  Canvas MirroredX() const;
  Canvas MirroredY() const;
  Canvas Scaled(int factor) const;
  // Every pixel with alpha > 0 takes colour c (alpha kept).
  Canvas Silhouette(Rgba c) const;

 private:
  int width_ = 0, height_ = 0;
  std::vector<Rgba> pixels_;
};

// Lays cells of equal size left to right into one strip, as the game cuts them.
Canvas MakeStrip(const std::vector<Canvas>& cells);

Rgba Mix(Rgba a, Rgba b, float t);  // t = 0 gives a, 1 gives b
Rgba Multiply(Rgba a, Rgba tint);

}  // namespace forge
