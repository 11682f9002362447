#pragma once
// Pixel-exact collisions, a rule of play: the wardens and their shots hit
// the ship where the solid pixels of their pictures meet the ship's. The
// masks are data, the solid pixels of those pictures read from the image
// files once, and every test is in picture pixels (320x240), whatever the
// window's scale or the drawing state.
#include <cstdint>
#include <vector>

struct CollisionMask {
  int width = 0, height = 0;
  float handle_x = 0, handle_y = 0;  // the point placed on the object's position
  std::vector<uint8_t> opaque;       // width x height, 1 = solid

  // Solid where a pixel is at least half opaque and not the mask colour;
  // the handle at the centre (as the warden's pictures are drawn) or the top
  // left.
  static CollisionMask FromPixels(const uint32_t* rgba, int width, int height, bool centred);
  bool Empty() const { return opaque.empty(); }
};

// The masks of the pictures that collide.
struct CollisionMasks {
  CollisionMask ship;
  CollisionMask warden;
  CollisionMask warden_bullet;
};

// Reads the masks from the data folder's pictures, once per program. A
// picture that cannot be read leaves its mask empty, hitting nothing (and is
// named in the debug log); false then.
bool LoadCollisionMasks();
const CollisionMasks& Masks();

// Where masks stand this frame: each footprint a mask placed at (x, y),
// turned by `rotation` degrees (clockwise) about its handle.
class CollisionLayer {
 public:
  void Clear() { footprints_.clear(); }
  void Add(const CollisionMask& mask, float x, float y, float rotation);
  // Whether the mask placed so overlaps a footprint with a solid pixel.
  bool Hits(const CollisionMask& mask, float x, float y, float rotation) const;

 private:
  struct Footprint {
    const CollisionMask* mask;
    float x, y, rotation;
  };
  static bool Covers(const Footprint& f, float px, float py);
  static bool Overlap(const Footprint& a, const Footprint& b);
  std::vector<Footprint> footprints_;
};
