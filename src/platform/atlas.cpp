#include "platform/atlas.h"

#include <algorithm>
#include <cstring>

#include "platform/backend.h"
#include "platform/log.h"

namespace {
constexpr int kPadding = 1;  // keeps nearest sampling of one cell from ever touching its neighbour
}

Atlas::Atlas() : pixels_(size_t(kSize) * kSize, 0) { Clear(); }

Atlas& SharedAtlas() {
  // Process-wide: one texture atlas holds every image and glyph of the run.
  static Atlas atlas;
  return atlas;
}

void Atlas::Clear() {
  std::fill(pixels_.begin(), pixels_.end(), 0u);
  shelf_x_ = shelf_y_ = shelf_height_ = 0;
  ResetDirty();
  const uint32_t white[16] = {0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu,
                              0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu,
                              0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu};
  AtlasRegion block;
  Add(white, 4, 4, 4, block);
  // Sample only the middle of the white block so no filtering can reach its edge.
  const float mid = 2.0f / kSize;
  white_ = {block.u0 + mid * 0.5f, block.v0 + mid * 0.5f, block.u1 - mid * 0.5f, block.v1 - mid * 0.5f};
}

bool Atlas::Add(const uint32_t* pixels, int w, int h, int pitch, AtlasRegion& region) {
  if (w <= 0 || h <= 0 || w + kPadding > kSize || h + kPadding > kSize) return false;
  if (shelf_x_ + w + kPadding > kSize) {
    shelf_y_ += shelf_height_;
    shelf_x_ = shelf_height_ = 0;
  }
  if (shelf_y_ + h + kPadding > kSize) {
    DebugLog("The texture atlas is full; an image will not be drawn");
    return false;
  }
  const int x = shelf_x_, y = shelf_y_;
  for (int row = 0; row < h; ++row)
    std::memcpy(&pixels_[size_t(y + row) * kSize + x], pixels + size_t(row) * pitch, size_t(w) * 4);
  shelf_x_ += w + kPadding;
  shelf_height_ = std::max(shelf_height_, h + kPadding);
  MarkDirty(x, y, w, h);
  const float s = 1.0f / kSize;
  region = {x * s, y * s, (x + w) * s, (y + h) * s};
  return true;
}

void Atlas::MarkDirty(int x, int y, int w, int h) {
  dirty_x0_ = std::min(dirty_x0_, x);
  dirty_y0_ = std::min(dirty_y0_, y);
  dirty_x1_ = std::max(dirty_x1_, x + w);
  dirty_y1_ = std::max(dirty_y1_, y + h);
}

void Atlas::ResetDirty() {
  dirty_x0_ = dirty_y0_ = kSize;
  dirty_x1_ = dirty_y1_ = 0;
}

void Atlas::Upload(bool all) {
  Backend& backend = ActiveBackend();
  if (!backend.DisplayOpen()) return;
  if (all) {
    backend.UploadAtlas(pixels_.data(), kSize, 0, 0, kSize, kSize);
  } else if (dirty_x1_ > dirty_x0_ && dirty_y1_ > dirty_y0_) {
    backend.UploadAtlas(pixels_.data(), kSize, dirty_x0_, dirty_y0_, dirty_x1_ - dirty_x0_, dirty_y1_ - dirty_y0_);
  } else {
    return;
  }
  ResetDirty();
}
