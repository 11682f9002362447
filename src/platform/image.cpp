#include "platform/image.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <memory>
#include <string>

#include "platform/atlas.h"
#include "platform/backend.h"
#include "platform/graphics.h"
#include "platform/log.h"
#include "platform/png_file.h"
#include "platform/trig.h"

namespace {

// Process-wide: every image of the run and the loading settings.
std::deque<std::unique_ptr<Image>> images;  // stable addresses for the game's handles
uint8_t mask_r = 255, mask_g = 0, mask_b = 255;
int auto_flags = kMaskedImage;

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
  if (!ReadPng(path, pixels, width, height)) {
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
  if (!ReadPng(path, pixels, width, height)) {
    DebugLog("Cannot load the window icon " + path);
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

void ReleaseAllImages() {
  FlushBatch();
  images.clear();
  ReleaseAllFonts();
  SharedAtlas().Clear();
}
