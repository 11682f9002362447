#include "show/hud.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <utility>
#include <vector>

#include "core/fonts.h"
#include "game/game_test_world.h"
#include "game/hurry_up.h"
#include "game/world.h"
#include "platform/image.h"
#include "platform/recording_backend.h"

namespace {

using namespace game_test;

// Solid test pictures in the sizes of the real ones, so every quad the HUD
// draws can be told apart by where in the atlas it reads.
Image* Solid(int cell_w, int cell_h, int cells) {
  std::vector<uint32_t> pixels(size_t(cell_w * cells * cell_h), 0xffffffffu);
  return CreateImage(pixels.data(), cell_w * cells, cell_h, cell_w, cell_h, cells);
}

class Hud : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetWorld(world);
    SetBackend(&recording_);
    Graphics(320, 240, 0);
    saved_ = gfx;
    gfx.player = Solid(7, 8, 1);
    gfx.powerup = Solid(8, 8, 16);
    gfx.hud_bgd = Solid(320, 13, 1);
    fntSmall = nullptr;
    world.player.Init();
    world.player.stage = 1;
    world.player.wave = 1;
  }
  void TearDown() override {
    gfx = saved_;
    UseHeadlessBackend();
  }

  // Top-left corners of the quads that show the given cell of an image.
  std::vector<std::pair<float, float>> Drawn(const Image* image, int cell) {
    recording_.Forget();
    DrawHud(world);
    Flip();
    std::vector<std::pair<float, float>> at;
    const AtlasRegion& r = image->regions[size_t(cell)];
    const std::vector<Vertex> v = recording_.AllVertices();
    for (size_t q = 0; q + 6 <= v.size(); q += 6)
      if (v[q].u == r.u0 && v[q].v == r.v0) at.emplace_back(v[q].x, v[q].y);
    return at;
  }

  // Heights of the power bars: the plain quads 2 pixels wide at x 7.
  std::vector<float> BarHeights() {
    recording_.Forget();
    DrawHud(world);
    Flip();
    std::vector<float> heights;
    const std::vector<Vertex> v = recording_.AllVertices();
    for (size_t q = 0; q + 6 <= v.size(); q += 6)
      if (v[q].x == 7 && std::fabs(v[q + 1].x - v[q].x) == 2) heights.push_back(v[q].y - v[q + 2].y);
    return heights;
  }

  RecordingBackend recording_;
  GameImages saved_;
  World world;  // the game drawn
};

TEST_F(Hud, SpareLivesShowOneShipLessThanTheLives) {
  world.player.lives = 3;
  const auto ships = Drawn(gfx.player, 0);
  ASSERT_EQ(ships.size(), 2u);
  EXPECT_EQ(ships[0], std::make_pair(5.0f, 230.0f));
  EXPECT_EQ(ships[1], std::make_pair(15.0f, 230.0f));
  world.player.lives = 1;
  EXPECT_TRUE(Drawn(gfx.player, 0).empty());
}

TEST_F(Hud, ManyLivesShowFiveShips) {
  world.player.lives = 7;
  EXPECT_EQ(Drawn(gfx.player, 0).size(), 5u);
  world.player.lives = 6;
  EXPECT_EQ(Drawn(gfx.player, 0).size(), 5u);
  world.player.lives = 200;
  EXPECT_EQ(Drawn(gfx.player, 0).size(), 5u);
}

TEST_F(Hud, RunningPowersStackUpTheLeftColumn) {
  EXPECT_TRUE(Drawn(gfx.powerup, POWER_SHIELD).empty());
  world.player.power[POWER_SHIELD] = 300;
  world.player.power[POWER_SCORE2] = 300;
  const auto shield = Drawn(gfx.powerup, POWER_SHIELD);
  const auto score2 = Drawn(gfx.powerup, POWER_SCORE2);
  ASSERT_EQ(shield.size(), 1u);
  ASSERT_EQ(score2.size(), 1u);
  EXPECT_EQ(shield[0], std::make_pair(4.0f, 205.0f));
  EXPECT_EQ(score2[0], std::make_pair(4.0f, 170.0f));
}

TEST_F(Hud, PowerBarIsOnePixelPerSecondPlusOne) {
  world.player.power[POWER_LASER2] = 59;
  EXPECT_EQ(BarHeights(), std::vector<float>{1});
  world.player.power[POWER_LASER2] = 60;
  EXPECT_EQ(BarHeights(), std::vector<float>{2});
  world.player.power[POWER_LASER2] = 900;
  EXPECT_EQ(BarHeights(), std::vector<float>{16});
}

TEST_F(Hud, HeldItemsShowTheirPictures) {
  world.player.item[0] = ITEM_RAILBLAST;
  const auto rail = Drawn(gfx.powerup, ITEM_RAILBLAST);
  ASSERT_EQ(rail.size(), 1u);
  EXPECT_EQ(rail[0], std::make_pair(146.0f, 230.0f));
  EXPECT_EQ(Drawn(gfx.powerup, ITEM_EMPTY).size(), 2u);  // the two empty slots
}

TEST_F(Hud, EverythingGrowsWithTheDrawScale) {
  SetDrawScale(2);
  world.player.lives = 2;
  const auto ships = Drawn(gfx.player, 0);
  ASSERT_EQ(ships.size(), 1u);
  EXPECT_EQ(ships[0], std::make_pair(10.0f, 460.0f));
  SetDrawScale(1);
}

TEST_F(Hud, TheStripTurnsRedWhileTheWardensAreOut) {
  recording_.Forget();
  DrawHud(world);
  Flip();
  const AtlasRegion& strip = gfx.hud_bgd->regions[0];
  auto strip_colour = [&]() {
    for (const Vertex& v : recording_.AllVertices())
      if (v.u == strip.u0 && v.v == strip.v0) return std::make_tuple(int(v.r), int(v.g), int(v.b));
    return std::make_tuple(-1, -1, -1);
  };
  EXPECT_EQ(strip_colour(), std::make_tuple(255, 255, 255));
  world.hurryup.state = 2;
  recording_.Forget();
  DrawHud(world);
  Flip();
  EXPECT_EQ(strip_colour(), std::make_tuple(255, 0, 0));
  world.hurryup.state = 0;
}

}  // namespace
