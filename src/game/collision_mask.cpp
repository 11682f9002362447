#include "game/collision_mask.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/log.h"
#include "platform/paths.h"
#include "platform/png_file.h"
#include "platform/trig.h"

namespace {

// Process-wide: the masks are data, read once and never changed.
CollisionMasks masks;

bool LoadMask(const char* path, bool centred, CollisionMask& mask) {
  std::vector<uint32_t> rgba;
  int width = 0, height = 0;
  if (!ReadPng(AssetPath(path), rgba, width, height)) {
    Warn(std::string("Cannot load the collision mask ") + path + ": that picture hits nothing");
    mask = {};
    return false;
  }
  mask = CollisionMask::FromPixels(rgba.data(), width, height, centred);
  return true;
}

// Corners of a mask whose handle point lands on (x, y), turned by `rotation`.
void Corners(float x, float y, const CollisionMask& m, float rotation, float (&cx)[4], float (&cy)[4]) {
  const float w = float(m.width), h = float(m.height);
  const float lx[4] = {-m.handle_x, w - m.handle_x, w - m.handle_x, -m.handle_x};
  const float ly[4] = {-m.handle_y, -m.handle_y, h - m.handle_y, h - m.handle_y};
  if (rotation == 0) {
    for (int i = 0; i < 4; ++i) {
      cx[i] = x + lx[i];
      cy[i] = y + ly[i];
    }
    return;
  }
  const float c = CosDeg(rotation), s = SinDeg(rotation);
  for (int i = 0; i < 4; ++i) {
    cx[i] = x + lx[i] * c - ly[i] * s;
    cy[i] = y + lx[i] * s + ly[i] * c;
  }
}

}  // namespace

CollisionMask CollisionMask::FromPixels(const uint32_t* rgba, int width, int height, bool centred) {
  CollisionMask mask;
  mask.width = width;
  mask.height = height;
  if (centred) {
    mask.handle_x = float(width / 2);
    mask.handle_y = float(height / 2);
  }
  mask.opaque.resize(size_t(width) * height);
  for (size_t i = 0; i < mask.opaque.size(); ++i) {
    const uint32_t p = rgba[i];
    mask.opaque[i] = (p & 0x00FFFFFFu) != kMaskColourRgb && (p >> 24) >= 128;
  }
  return mask;
}

bool LoadCollisionMasks() {
  bool all = LoadMask("graphics/player.png", false, masks.ship);
  all = LoadMask("graphics/warden.png", true, masks.warden) && all;
  return LoadMask("graphics/warden-bullet.png", true, masks.warden_bullet) && all;
}

const CollisionMasks& Masks() { return masks; }

void CollisionLayer::Add(const CollisionMask& mask, float x, float y, float rotation) {
  if (!mask.Empty()) footprints_.push_back({&mask, x, y, rotation});
}

bool CollisionLayer::Hits(const CollisionMask& mask, float x, float y, float rotation) const {
  if (mask.Empty()) return false;
  const Footprint probe{&mask, x, y, rotation};
  return std::any_of(footprints_.begin(), footprints_.end(), [&](const Footprint& f) { return Overlap(probe, f); });
}

// Whether the footprint covers the picture point (px, py) with a solid pixel.
bool CollisionLayer::Covers(const Footprint& f, float px, float py) {
  float dx = px - f.x, dy = py - f.y;
  if (f.rotation != 0) {
    const float c = CosDeg(-f.rotation), s = SinDeg(-f.rotation);
    const float rx = dx * c - dy * s, ry = dx * s + dy * c;
    dx = rx;
    dy = ry;
  }
  const CollisionMask& m = *f.mask;
  const float lx = dx + m.handle_x, ly = dy + m.handle_y;
  if (lx < 0 || ly < 0) return false;
  const int ix = int(lx), iy = int(ly);
  if (ix >= m.width || iy >= m.height) return false;
  return m.opaque[size_t(iy) * m.width + ix] != 0;
}

// Every picture pixel where both bounding boxes meet is tested at its centre.
bool CollisionLayer::Overlap(const Footprint& a, const Footprint& b) {
  float ax[4], ay[4], bx[4], by[4];
  Corners(a.x, a.y, *a.mask, a.rotation, ax, ay);
  Corners(b.x, b.y, *b.mask, b.rotation, bx, by);
  const float ax0 = std::min({ax[0], ax[1], ax[2], ax[3]}), ax1 = std::max({ax[0], ax[1], ax[2], ax[3]});
  const float ay0 = std::min({ay[0], ay[1], ay[2], ay[3]}), ay1 = std::max({ay[0], ay[1], ay[2], ay[3]});
  const float bx0 = std::min({bx[0], bx[1], bx[2], bx[3]}), bx1 = std::max({bx[0], bx[1], bx[2], bx[3]});
  const float by0 = std::min({by[0], by[1], by[2], by[3]}), by1 = std::max({by[0], by[1], by[2], by[3]});
  const int x0 = int(std::floor(std::max(ax0, bx0))), x1 = int(std::ceil(std::min(ax1, bx1)));
  const int y0 = int(std::floor(std::max(ay0, by0))), y1 = int(std::ceil(std::min(ay1, by1)));
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x)
      if (Covers(a, x + 0.5f, y + 0.5f) && Covers(b, x + 0.5f, y + 0.5f)) return true;
  return false;
}
