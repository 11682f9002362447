#include "core/readable_colour.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "platform/graphics.h"

namespace {

// Luminance of 3:1 against black, and below which shades are lifted: between
// them the lift tapers off, so a family's lighter shades stay as they are.
constexpr double kLeast = 0.1, kLiftBelow = 0.2;

const std::array<double, 256>& LinearLevels() {
  static const std::array<double, 256> levels = [] {
    std::array<double, 256> linear{};
    for (int v = 0; v < 256; ++v) {
      const double c = v / 255.0;
      linear[size_t(v)] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    }
    return linear;
  }();
  return levels;
}

double Luminance(Rgb8 c) {
  const auto& l = LinearLevels();
  return 0.2126 * l[c.r] + 0.7152 * l[c.g] + 0.0722 * l[c.b];
}

uint8_t Channel(double v) { return uint8_t(std::clamp(std::lround(v), 0L, 255L)); }

// The colour brightened by f in 0..1: first scaled up towards its full value
// (f up to 1/2), then mixed towards white (the rest). Both keep the hue.
Rgb8 Brightened(Rgb8 c, double f) {
  const double top = std::max({c.r, c.g, c.b});
  const double scale = 1.0 + (255.0 / top - 1.0) * std::min(f * 2.0, 1.0);
  const double r = c.r * scale, g = c.g * scale, b = c.b * scale;
  const double white = std::max(f * 2.0 - 1.0, 0.0);
  return {Channel(r + (255.0 - r) * white), Channel(g + (255.0 - g) * white), Channel(b + (255.0 - b) * white)};
}

}  // namespace

double ContrastOnBlack(Rgb8 colour) { return (Luminance(colour) + 0.05) / 0.05; }

Rgb8 ReadableOnBlack(Rgb8 colour) {
  const double luminance = Luminance(colour);
  if (luminance >= kLiftBelow || colour == Rgb8{}) return colour;
  // The dark range is pressed into the readable one, in order.
  const double wanted = kLeast + luminance * (kLiftBelow - kLeast) / kLiftBelow;
  double low = 0.0, high = 1.0;
  for (int step = 0; step < 20; ++step) {
    const double mid = (low + high) / 2.0;
    (Luminance(Brightened(colour, mid)) < wanted ? low : high) = mid;
  }
  return Brightened(colour, high);
}

void SetReadableColor(int r, int g, int b) {
  const Rgb8 shown = ReadableOnBlack({Channel(r), Channel(g), Channel(b)});
  SetColor(shown.r, shown.g, shown.b);
}
