#include "show/field_picture.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/common.h"
#include "core/fader.h"
#include "core/images.h"
#include "core/sine_table.h"
#include "game/playfield.h"
#include "game/world.h"
#include "platform/atlas.h"
#include "platform/graphics.h"
#include "platform/image.h"
#include "platform/recording_backend.h"

namespace {

// Drawing: the game's images replaced by plain white cells of the right sizes.
class PlayfieldDraw : public ::testing::Test {
 protected:
  void SetUp() override {
    recorder_ = &UseRecordingBackend();
    ASSERT_TRUE(Graphics(640, 480, 0, 60));
    SetDrawScale(2);
    SetScale(1, 1);
    saved_ = gfx;
    const std::vector<uint32_t> white(16 * 16 * 32, 0xFFFFFFFFu);
    gfx.shroom = CreateImage(white.data(), 8 * 32, 8, 8, 8, 32);
    gfx.shroom_poison = CreateImage(white.data(), 16 * 32, 16, 16, 16, 32);
    gfx.shroom_spots = CreateImage(white.data(), 8 * 32, 8, 8, 8, 32);
    gfx.scattermine = CreateImage(white.data(), 16, 8, 8, 8, 2);
    fadeScene.value = 0.5f;
  }
  void TearDown() override {
    EndGraphics();
    gfx = saved_;
  }

  // Quads in drawing order with the blend they were drawn in.
  struct DrawnQuad {
    Blend blend;
    float x, y, w, h;
    Vertex corner;
  };
  std::vector<DrawnQuad> Quads() {
    FlushBatch();
    std::vector<DrawnQuad> quads;
    for (const RecordingBackend::Batch& batch : recorder_->batches)
      for (size_t i = 0; i + 6 <= batch.vertices.size(); i += 6) {
        const Vertex& a = batch.vertices[i];
        const Vertex& c = batch.vertices[i + 2];
        quads.push_back({batch.blend, a.x, a.y, c.x - a.x, c.y - a.y, a});
      }
    return quads;
  }

  RecordingBackend* recorder_ = nullptr;
  GameImages saved_;
  World world;  // the game drawn
};

TEST_F(PlayfieldDraw, EachKindOfCellIsDrawnAtItsOriginAndTheStateIsRestored) {
  TPlayfield field{world};
  field.style = 1;
  field.data[CellIndex(2, 3)] = 1;
  field.clr[CellIndex(2, 3)] = "FF7F00";
  field.data[CellIndex(5, 0)] = 6;
  field.data[CellIndex(31, 21)] = CELL_SCATTERMINE;
  sine.ang = 90;  // the pulse at its largest: double size
  SetBlend(Blend::kShade);
  DrawPlayfield(field);
  const std::vector<DrawnQuad> quads = Quads();
  ASSERT_EQ(quads.size(), 1u + 4u + 2u);

  // The mushroom, in its own colour, column 2 drawn before column 5.
  EXPECT_EQ(quads[0].x, 2.0f * CellX(2));
  EXPECT_EQ(quads[0].y, 2.0f * CellY(3));
  EXPECT_EQ(quads[0].w, 16.0f);
  EXPECT_EQ(quads[0].blend, Blend::kAlpha);
  EXPECT_EQ(quads[0].corner.r, 255);
  EXPECT_EQ(quads[0].corner.g, 127);
  EXPECT_EQ(quads[0].corner.b, 0);

  // The poison mushroom: a masked ghost at twice the size about the centre,
  // the mushroom in light blend, then the glow image one pixel up and left.
  EXPECT_EQ(quads[1].blend, Blend::kMask);
  EXPECT_EQ(quads[1].w, 32.0f);
  EXPECT_EQ(quads[1].x, 2.0f * (CellX(5) - 4));
  EXPECT_EQ(quads[1].y, 2.0f * (CellY(0) - 4));
  EXPECT_EQ(quads[2].blend, Blend::kLight);
  EXPECT_EQ(quads[2].x, 2.0f * CellX(5));
  EXPECT_EQ(quads[2].w, 16.0f);
  EXPECT_EQ(quads[3].x, 2.0f * (CellX(5) - 1));
  EXPECT_EQ(quads[3].y, 2.0f * (CellY(0) - 1));
  EXPECT_EQ(quads[3].w, 32.0f);
  EXPECT_EQ(quads[3].corner.a, uint8_t(0.4f * 0.5f * 255 + 0.5f));
  // Its spots of rot over the mushroom, laid on by alpha at the scene's fade.
  EXPECT_EQ(quads[4].blend, Blend::kAlpha);
  EXPECT_EQ(quads[4].x, 2.0f * CellX(5));
  EXPECT_EQ(quads[4].y, 2.0f * CellY(0));
  EXPECT_EQ(quads[4].corner.a, uint8_t(0.5f * 255 + 0.5f));

  // The scattermine: a grey body and its light.
  EXPECT_EQ(quads[5].x, 2.0f * CellX(31));
  EXPECT_EQ(quads[5].y, 2.0f * CellY(21));
  EXPECT_EQ(quads[5].corner.r, 127);
  EXPECT_EQ(quads[6].x, quads[5].x);

  EXPECT_EQ(GetBlend(), Blend::kLight);
  EXPECT_EQ(GetAlpha(), 0.5f);
  float sx, sy;
  GetScale(sx, sy);
  EXPECT_EQ(sx, 1.0f);
  EXPECT_EQ(sy, 1.0f);
}

TEST_F(PlayfieldDraw, PoisonPulseAtItsSmallestIsNormalSize) {
  TPlayfield field{world};
  field.data[0] = 4;
  sine.ang = 270;  // sine -1
  DrawPlayfield(field);
  const std::vector<DrawnQuad> quads = Quads();
  ASSERT_EQ(quads.size(), 4u);
  EXPECT_NEAR(quads[0].w, 16.0f, 1e-3);
  EXPECT_NEAR(quads[0].x, 2.0f * CellX(0), 1e-3);
}

}  // namespace
