#include "platform/atlas.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Box {
  int x0, y0, x1, y1;
};

Box InPixels(const AtlasRegion& r) {
  return {int(r.u0 * Atlas::kWidth + 0.5f), int(r.v0 * Atlas::kHeight + 0.5f), int(r.u1 * Atlas::kWidth + 0.5f),
          int(r.v1 * Atlas::kHeight + 0.5f)};
}

// Blocks of mixed sizes, as fonts and images arrive, until the atlas is full:
// each lies inside it, a pixel apart from every other (so nearest sampling of
// one never reaches its neighbour), and the first that does not fit is refused.
TEST(Atlas, PacksBlocksApartUntilFullThenRefuses) {
  Atlas atlas;
  static const std::vector<uint32_t> pixels(320 * 240, 0xFFFFFFFFu);
  const int sizes[][2] = {{7, 13}, {320, 240}, {16, 16}, {21, 227}, {8, 8}, {320, 13}, {112, 62}, {3, 5}};
  std::vector<Box> boxes = {InPixels(atlas.white())};
  boxes[0] = {boxes[0].x0 - 1, boxes[0].y0 - 1, boxes[0].x1 + 1, boxes[0].y1 + 1};  // white samples its middle
  bool refused = false;
  for (int i = 0; i < 2000 && !refused; ++i) {
    const int w = sizes[i % 8][0], h = sizes[i % 8][1];
    AtlasRegion region{};
    if (!atlas.Add(pixels.data(), w, h, w, region)) {
      refused = true;
      break;
    }
    const Box box = InPixels(region);
    ASSERT_EQ(box.x1 - box.x0, w);
    ASSERT_EQ(box.y1 - box.y0, h);
    ASSERT_TRUE(box.x0 >= 0 && box.y0 >= 0 && box.x1 < Atlas::kWidth && box.y1 < Atlas::kHeight) << "block " << i;
    for (const Box& other : boxes)
      ASSERT_TRUE(box.x1 < other.x0 || other.x1 < box.x0 || box.y1 < other.y0 || other.y1 < box.y0)
          << "block " << i << " touches another";
    boxes.push_back(box);
  }
  EXPECT_TRUE(refused);
  EXPECT_GT(boxes.size(), 20u);
}

}  // namespace
