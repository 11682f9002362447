#include "platform/atlas.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstring>
#include <new>

#include "platform/backend.h"
#include "platform/log.h"

namespace {
constexpr int kPadding = 1;  // keeps nearest sampling of one cell from ever touching its neighbour
constexpr size_t kBytes = size_t(Atlas::kWidth) * Atlas::kHeight * sizeof(uint32_t);

uint32_t* MapZeroedPixels() {
  void* pages = ::mmap(nullptr, kBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (pages == MAP_FAILED) throw std::bad_alloc();
  return static_cast<uint32_t*>(pages);
}
}  // namespace

void Atlas::PagesRelease::operator()(uint32_t* pixels) const { ::munmap(pixels, kBytes); }

Atlas::Atlas() : pixels_(MapZeroedPixels()) { Clear(); }

Atlas& SharedAtlas() {
  // Process-wide: one texture atlas holds every image and glyph of the run.
  static Atlas atlas;
  return atlas;
}

void Atlas::Clear() {
  std::fill(pixels_.get(), pixels_.get() + size_t(used_rows_) * kWidth, 0u);
  used_rows_ = 0;
  skyline_.assign(1, Span{0, kWidth, 0});
  ResetDirty();
  const uint32_t white[16] = {0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu,
                              0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu,
                              0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu};
  AtlasRegion block;
  Add(white, 4, 4, 4, block);
  // Sample only the middle of the white block so no filtering can reach its edge.
  const float mid_u = 1.0f / kWidth, mid_v = 1.0f / kHeight;
  white_ = {block.u0 + mid_u, block.v0 + mid_v, block.u1 - mid_u, block.v1 - mid_v};
}

bool Atlas::Place(int w, int h, int& x, int& y) const {
  int best_bottom = kHeight + 1;
  for (size_t i = 0; i < skyline_.size(); ++i) {
    const int left = skyline_[i].x;
    if (left + w > kWidth) break;
    // The block rests on the highest span under it.
    int top = 0;
    for (size_t j = i; j < skyline_.size() && skyline_[j].x < left + w; ++j) top = std::max(top, skyline_[j].top);
    if (top + h <= kHeight && top + h < best_bottom) {
      best_bottom = top + h;
      x = left;
      y = top;
    }
  }
  return best_bottom <= kHeight;
}

void Atlas::Fill(int x, int w, int top) {
  std::vector<Span> next;
  next.reserve(skyline_.size() + 2);
  bool placed = false;
  for (const Span& span : skyline_) {
    const int end = span.x + span.width;
    if (end <= x || span.x >= x + w) {
      if (!placed && span.x >= x + w) {
        next.push_back({x, w, top});
        placed = true;
      }
      next.push_back(span);
      continue;
    }
    if (span.x < x) next.push_back({span.x, x - span.x, span.top});
    if (!placed) {
      next.push_back({x, w, top});
      placed = true;
    }
    if (end > x + w) next.push_back({x + w, end - (x + w), span.top});
  }
  if (!placed) next.push_back({x, w, top});
  // Neighbours at the same height become one span, so the list stays short.
  skyline_.clear();
  for (const Span& span : next) {
    if (!skyline_.empty() && skyline_.back().top == span.top)
      skyline_.back().width += span.width;
    else
      skyline_.push_back(span);
  }
}

bool Atlas::Add(const uint32_t* pixels, int w, int h, int pitch, AtlasRegion& region) {
  if (w <= 0 || h <= 0 || w + kPadding > kWidth || h + kPadding > kHeight) return false;
  int x = 0, y = 0;
  if (!Place(w + kPadding, h + kPadding, x, y)) {
    DebugLog("The texture atlas is full; an image will not be drawn");
    return false;
  }
  for (int row = 0; row < h; ++row)
    std::memcpy(&pixels_[size_t(y + row) * kWidth + x], pixels + size_t(row) * pitch, size_t(w) * 4);
  used_rows_ = std::max(used_rows_, y + h);
  Fill(x, w + kPadding, y + h + kPadding);
  MarkDirty(x, y, w, h);
  const float su = 1.0f / kWidth, sv = 1.0f / kHeight;
  region = {x * su, y * sv, (x + w) * su, (y + h) * sv};
  return true;
}

void Atlas::MarkDirty(int x, int y, int w, int h) {
  dirty_x0_ = std::min(dirty_x0_, x);
  dirty_y0_ = std::min(dirty_y0_, y);
  dirty_x1_ = std::max(dirty_x1_, x + w);
  dirty_y1_ = std::max(dirty_y1_, y + h);
}

void Atlas::ResetDirty() {
  dirty_x0_ = kWidth;
  dirty_y0_ = kHeight;
  dirty_x1_ = dirty_y1_ = 0;
}

void Atlas::Upload(bool all) {
  Backend& backend = ActiveBackend();
  if (!backend.DisplayOpen()) return;
  if (all) {
    backend.UploadAtlas(pixels_.get(), kWidth, kHeight, 0, 0, kWidth, used_rows_);
  } else if (dirty_x1_ > dirty_x0_ && dirty_y1_ > dirty_y0_) {
    backend.UploadAtlas(pixels_.get(), kWidth, kHeight, dirty_x0_, dirty_y0_, dirty_x1_ - dirty_x0_,
                        dirty_y1_ - dirty_y0_);
  } else {
    return;
  }
  ResetDirty();
}
