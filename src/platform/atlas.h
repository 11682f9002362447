#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/image.h"

// The one texture atlas shared by every image cell and font glyph, kept in
// memory so images can be loaded before the display opens and survive every
// display switch: the backend receives the dirty part before the next draw.
// Pixels are RGBA bytes in memory order. It is sized to what the game loads
// with room to spare (the driver keeps a second copy of it), and packed along
// a skyline: each block goes where its top edge stays lowest. The rows no block
// has reached take no memory here, and the driver is handed only the rows in use.
class Atlas {
 public:
  static constexpr int kWidth = 1024, kHeight = 512;
  Atlas();

  // Copies a w x h block (row pitch = pitch pixels) into free space; false when full.
  bool Add(const uint32_t* pixels, int w, int h, int pitch, AtlasRegion& region);
  // A region of solid white for rectangles and lines.
  const AtlasRegion& white() const { return white_; }
  // Hands the changed part (or everything when `all`) to the backend.
  void Upload(bool all);
  void Clear();

 private:
  // The skyline: left to right, each span's x, width and the height filled below it.
  struct Span {
    int x, width, top;
  };
  // Zeroed pages from the kernel, released with munmap: a page is only made
  // real when a block is written into it.
  struct PagesRelease {
    void operator()(uint32_t* pixels) const;
  };
  std::unique_ptr<uint32_t[], PagesRelease> pixels_;
  int used_rows_ = 0;  // every block since the last Clear lies above this row
  std::vector<Span> skyline_;
  int dirty_x0_, dirty_y0_, dirty_x1_, dirty_y1_;
  AtlasRegion white_{};
  // Where a w x h block goes: its top-left corner, or false when it fits nowhere.
  bool Place(int w, int h, int& x, int& y) const;
  void Fill(int x, int w, int top);
  void MarkDirty(int x, int y, int w, int h);
  void ResetDirty();
};

Atlas& SharedAtlas();

// Quads collected for the backend; flushed when the blend mode changes, the
// buffer fills, or the picture is cleared, read or presented.
struct Quad {
  float x[4], y[4];
  AtlasRegion region;
};
void BatchQuad(const float (&x)[4], const float (&y)[4], const AtlasRegion& region);
void FlushBatch();
// How the current drawing state places things in the picture, for image and
// text drawing: positions are multiplied by `position` (the display scale, or 1
// in raw-pixel mode); sx and sy already include it.
struct Transform {
  float position, sx, sy, rotation;
};
Transform CurrentTransform();
// Back to the start-up drawing state (tests install a fresh backend).
void ResetDrawState();
void ReleaseAllFonts();
