#include "game/collision_mask.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A 4x4 mask with a solid left half; magenta and faint pixels are not solid.
CollisionMask HalfMask() {
  std::vector<uint32_t> pixels(16, 0x7FFFFFFFu);  // below half opaque
  for (int y = 0; y < 4; ++y) pixels[size_t(y) * 4] = pixels[size_t(y) * 4 + 1] = 0xFFFFFFFFu;
  pixels[3] = 0xFFFF00FFu;  // the mask colour
  return CollisionMask::FromPixels(pixels.data(), 4, 4, false);
}

TEST(CollisionLayer, MasksMeetExactlyToThePixelAndTurnAboutTheirHandle) {
  const CollisionMask half = HalfMask();
  CollisionLayer layer;
  layer.Add(half, 10, 10, 0);                 // solid x 10..11
  EXPECT_FALSE(layer.Hits(half, 12, 10, 0));  // solid 12..13: touching only
  EXPECT_TRUE(layer.Hits(half, 11, 10, 0));
  layer.Clear();
  EXPECT_FALSE(layer.Hits(half, 11, 10, 0));
  // Turned 180 degrees about its top-left handle, the solid half lies at x 8..9, y 7..10.
  layer.Add(half, 10, 11, 180);
  EXPECT_TRUE(layer.Hits(half, 7, 7, 0));    // solid 7..8 meets 8..9
  EXPECT_FALSE(layer.Hits(half, 10, 7, 0));  // solid 10..11 misses
  EXPECT_FALSE(layer.Hits(half, 5, 7, 0));   // solid 5..6 misses
  EXPECT_FALSE(layer.Hits(CollisionMask{}, 8, 8, 0)) << "a mask that could not be read hits nothing";
}

}  // namespace
