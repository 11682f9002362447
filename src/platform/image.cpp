#include "platform/image.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <memory>
#include <string>

#include "platform/atlas.h"
#include "platform/backend.h"
#include "platform/graphics.h"
#include "platform/log.h"
#include "platform/trig.h"

namespace {

// Process-wide: every image of the run and the loading settings.
std::deque<std::unique_ptr<Image>> images;  // stable addresses for the game's handles
uint8_t mask_r = 255, mask_g = 0, mask_b = 255;
int auto_flags = kMaskedImage;

struct Footprint {
  const Image* image;
  int cell;
  float x, y, rotation;  // in picture pixels, unscaled
  int64_t id;
  uint32_t layers;
};
std::vector<Footprint> footprints;
std::vector<int64_t> hits;

constexpr png_uint_32 kMaxImageSide = 4096;

bool DecodePng(const std::string& path, std::vector<uint32_t>& pixels, int& width, int& height) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, path.c_str())) return false;
  // No picture of the game comes near this; a header claiming more is damaged
  // and would only ask for gigabytes.
  if (png.width == 0 || png.height == 0 || png.width > kMaxImageSide || png.height > kMaxImageSide) {
    DebugLog("Image " + path + " claims " + std::to_string(png.width) + "x" + std::to_string(png.height) +
             " pixels, more than any image of the game");
    png_image_free(&png);
    return false;
  }
  png.format = PNG_FORMAT_RGBA;
  width = int(png.width);
  height = int(png.height);
  pixels.assign(size_t(width) * height, 0);
  if (!png_image_finish_read(&png, nullptr, pixels.data(), 0, nullptr)) {
    png_image_free(&png);
    return false;
  }
  return true;
}

// Mask colour pixels become fully transparent (and black, so nothing of the
// magenta can ever show at an edge).
void ApplyMask(std::vector<uint32_t>& pixels) {
  const uint32_t key = uint32_t(mask_r) | uint32_t(mask_g) << 8 | uint32_t(mask_b) << 16;
  for (uint32_t& p : pixels)
    if ((p & 0x00FFFFFFu) == key) p = 0;
}

}  // namespace

Image* CreateImage(const uint32_t* rgba, int width, int height, int cell_width, int cell_height, int cells) {
  if (!rgba || cell_width <= 0 || cell_height <= 0 || cells <= 0) return nullptr;
  const int across = width / cell_width;
  const int down = height / cell_height;
  if (across <= 0 || down <= 0 || cells > across * down) return nullptr;
  auto image = std::make_unique<Image>();
  image->width = cell_width;
  image->height = cell_height;
  image->cells = cells;
  for (int c = 0; c < cells; ++c) {
    const int cx = (c % across) * cell_width, cy = (c / across) * cell_height;
    const uint32_t* origin = rgba + size_t(cy) * width + cx;
    AtlasRegion region{};
    SharedAtlas().Add(origin, cell_width, cell_height, width, region);
    image->regions.push_back(region);
    std::vector<uint8_t> opaque(size_t(cell_width) * cell_height);
    for (int y = 0; y < cell_height; ++y)
      for (int x = 0; x < cell_width; ++x)
        opaque[size_t(y) * cell_width + x] = (origin[size_t(y) * width + x] >> 24) >= 128;
    image->opaque.push_back(std::move(opaque));
  }
  images.push_back(std::move(image));
  return images.back().get();
}

Image* LoadAnimImage(const std::string& path, int cell_width, int cell_height, int first_cell, int cell_count) {
  std::vector<uint32_t> pixels;
  int width = 0, height = 0;
  bool decoded = false;
  try {
    decoded = DecodePng(path, pixels, width, height);
  } catch (const std::exception& e) {
    DebugLog("Image " + path + ": " + e.what());
  }
  if (!decoded) {
    Warn("Cannot load image " + path);
    return nullptr;
  }
  if (auto_flags & kMaskedImage) ApplyMask(pixels);
  if (cell_width <= 0 || cell_height <= 0) {
    cell_width = width;
    cell_height = height;
  }
  const int across = width / std::max(cell_width, 1), down = height / std::max(cell_height, 1);
  if (first_cell < 0 || cell_count <= 0 || first_cell + cell_count > across * down) {
    DebugLog("Image " + path + " is too small for its cells");
    return nullptr;
  }
  // Keep the wanted cells only, in order, as one strip.
  std::vector<uint32_t> strip(size_t(cell_width) * cell_count * cell_height);
  const int strip_width = cell_width * cell_count;
  for (int c = 0; c < cell_count; ++c) {
    const int src = first_cell + c;
    const int sx = (src % across) * cell_width, sy = (src / across) * cell_height;
    for (int y = 0; y < cell_height; ++y)
      for (int x = 0; x < cell_width; ++x)
        strip[size_t(y) * strip_width + c * cell_width + x] = pixels[size_t(sy + y) * width + sx + x];
  }
  Image* image = CreateImage(strip.data(), strip_width, cell_height, cell_width, cell_height, cell_count);
  if (image) image->path = path;
  return image;
}

Image* LoadImage(const std::string& path) { return LoadAnimImage(path, 0, 0, 0, 1); }

bool SetWindowIcon(const std::string& path) {
  std::vector<uint32_t> pixels;
  int width = 0, height = 0;
  try {
    if (!DecodePng(path, pixels, width, height)) {
      DebugLog("Cannot load the window icon " + path);
      return false;
    }
  } catch (const std::exception& e) {
    DebugLog("Window icon " + path + ": " + e.what());
    return false;
  }
  ActiveBackend().SetIcon(pixels.data(), width, height);
  return true;
}

void SetImageHandle(Image* image, float x, float y) {
  if (!image) return;
  image->handle_x = x;
  image->handle_y = y;
}

void MidHandleImage(Image* image) {
  if (image) SetImageHandle(image, float(image->width / 2), float(image->height / 2));
}

int ImageWidth(const Image* image) { return image ? image->width : 0; }
int ImageHeight(const Image* image) { return image ? image->height : 0; }

void SetMaskColor(uint8_t r, uint8_t g, uint8_t b) {
  mask_r = r;
  mask_g = g;
  mask_b = b;
}

void SetAutoImageFlags(int flags) {
  if (flags != -1) auto_flags = flags;
}

namespace {

// Corners of a w x h rectangle whose handle point lands on (x, y), under the
// given scale and clockwise rotation.
void Corners(float x, float y, float w, float h, float hx, float hy, float sx, float sy, float rotation, float (&cx)[4],
             float (&cy)[4]) {
  const float lx[4] = {-hx, w - hx, w - hx, -hx};
  const float ly[4] = {-hy, -hy, h - hy, h - hy};
  if (rotation == 0) {
    for (int i = 0; i < 4; ++i) {
      cx[i] = x + lx[i] * sx;
      cy[i] = y + ly[i] * sy;
    }
    return;
  }
  const float c = CosDeg(rotation), s = SinDeg(rotation);
  for (int i = 0; i < 4; ++i) {
    const float px = lx[i] * sx, py = ly[i] * sy;
    cx[i] = x + px * c - py * s;
    cy[i] = y + px * s + py * c;
  }
}

bool ValidCell(const Image* image, int cell) { return image && cell >= 0 && cell < int(image->regions.size()); }

}  // namespace

void DrawImage(const Image* image, float x, float y, int cell) {
  if (!ValidCell(image, cell)) return;
  const Transform t = CurrentTransform();
  float cx[4], cy[4];
  Corners(x * t.position, y * t.position, float(image->width), float(image->height), image->handle_x, image->handle_y,
          t.sx, t.sy, t.rotation, cx, cy);
  BatchQuad(cx, cy, image->regions[size_t(cell)]);
}

void DrawImageRect(const Image* image, float x, float y, float w, float h, int cell) {
  if (!ValidCell(image, cell) || image->width == 0 || image->height == 0) return;
  const Transform t = CurrentTransform();
  float cx[4], cy[4];
  // The handle keeps its place relative to the stretched rectangle.
  const float hx = image->handle_x * w / float(image->width), hy = image->handle_y * h / float(image->height);
  Corners(x * t.position, y * t.position, w, h, hx, hy, t.sx, t.sy, t.rotation, cx, cy);
  BatchQuad(cx, cy, image->regions[size_t(cell)]);
}

namespace {

// Whether the footprint covers the picture point (px, py) with an opaque pixel.
bool Covers(const Footprint& f, float px, float py) {
  float dx = px - f.x, dy = py - f.y;
  if (f.rotation != 0) {
    const float c = CosDeg(-f.rotation), s = SinDeg(-f.rotation);
    const float rx = dx * c - dy * s, ry = dx * s + dy * c;
    dx = rx;
    dy = ry;
  }
  const float lx = dx + f.image->handle_x, ly = dy + f.image->handle_y;
  if (lx < 0 || ly < 0) return false;
  const int ix = int(lx), iy = int(ly);
  if (ix >= f.image->width || iy >= f.image->height) return false;
  return f.image->opaque[size_t(f.cell)][size_t(iy) * f.image->width + ix] != 0;
}

void Bounds(const Footprint& f, float& x0, float& y0, float& x1, float& y1) {
  float cx[4], cy[4];
  Corners(f.x, f.y, float(f.image->width), float(f.image->height), f.image->handle_x, f.image->handle_y, 1, 1,
          f.rotation, cx, cy);
  x0 = std::min({cx[0], cx[1], cx[2], cx[3]});
  x1 = std::max({cx[0], cx[1], cx[2], cx[3]});
  y0 = std::min({cy[0], cy[1], cy[2], cy[3]});
  y1 = std::max({cy[0], cy[1], cy[2], cy[3]});
}

bool Overlap(const Footprint& a, const Footprint& b) {
  float ax0, ay0, ax1, ay1, bx0, by0, bx1, by1;
  Bounds(a, ax0, ay0, ax1, ay1);
  Bounds(b, bx0, by0, bx1, by1);
  const int x0 = int(std::floor(std::max(ax0, bx0))), x1 = int(std::ceil(std::min(ax1, bx1)));
  const int y0 = int(std::floor(std::max(ay0, by0))), y1 = int(std::ceil(std::min(ay1, by1)));
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x)
      if (Covers(a, x + 0.5f, y + 0.5f) && Covers(b, x + 0.5f, y + 0.5f)) return true;
  return false;
}

}  // namespace

const std::vector<int64_t>& CollideImage(const Image* image, float x, float y, float rotation, int cell,
                                         uint32_t test_layers, uint32_t write_layers, int64_t id) {
  hits.clear();
  if (!ValidCell(image, cell)) return hits;
  // Footprints are in picture pixels and read nothing of the drawing state:
  // a collision is a rule of play, the same at every window scale.
  const Footprint probe{image, cell, x, y, rotation, id, write_layers};
  if (test_layers != 0) {
    for (const Footprint& f : footprints)
      if ((f.layers & test_layers) && Overlap(probe, f)) hits.push_back(f.id);
  }
  if (write_layers != 0) footprints.push_back(probe);
  return hits;
}

void ResetCollisions(uint32_t layers) {
  for (Footprint& f : footprints) f.layers &= ~layers;
  std::erase_if(footprints, [](const Footprint& f) { return f.layers == 0; });
}

void ReleaseAllImages() {
  FlushBatch();
  images.clear();
  ReleaseAllFonts();
  footprints.clear();
  SharedAtlas().Clear();
}
