#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/clock.h"
#include "platform/font.h"
#include "platform/graphics.h"
#include "platform/headless/headless_backend.h"
#include "platform/image.h"
#include "platform/input.h"
#include "platform/input_state.h"

namespace {

class Headless : public ::testing::Test {
 protected:
  void SetUp() override {
    backend = &UseHeadlessBackend();
    ReleaseAllImages();
    ASSERT_TRUE(Graphics(640, 480, 0));
  }
  void TearDown() override {
    SetRotation(0);
    SetScale(1, 1);
  }
  HeadlessBackend* backend = nullptr;
};

TEST_F(Headless, TwoPressesBetweenFramesCountTwiceThenNone) {
  Input().PressKey(vk::kLeft);
  Input().ReleaseKey(vk::kLeft);
  Input().PressKey(vk::kLeft);
  EXPECT_EQ(KeyHit(vk::kLeft), 2);
  EXPECT_EQ(KeyHit(vk::kLeft), 0);
  EXPECT_TRUE(KeyDown(vk::kLeft));
  FlushKeys();
  EXPECT_FALSE(KeyDown(vk::kLeft));
}

TEST_F(Headless, TypedCharactersQueueInOrderAndFlush) {
  for (char c : std::string("abc")) Input().TypeChar(uint32_t(c));
  EXPECT_EQ(GetChar(), 'a');
  EXPECT_EQ(GetChar(), 'b');
  FlushKeys();
  EXPECT_EQ(GetChar(), 0);
}

TEST_F(Headless, CloseRequestIsReadOnce) {
  Input().close_requested = true;
  EXPECT_TRUE(AppTerminate());
  EXPECT_FALSE(AppTerminate());
}

TEST_F(Headless, UnpluggedJoypadReadsAsRest) {
  Input().joypads[0].connected = true;
  Input().joypads[0].axis_x = -1;
  Input().joypads[0].down[1] = true;
  Input().joypads[0].hits[1] = 1;
  EXPECT_EQ(JoyCount(), 1);
  EXPECT_EQ(JoyX(0), -1);
  EXPECT_EQ(JoyHit(1, 0), 1);
  Input().joypads[0] = JoypadState{};  // unplugged
  EXPECT_EQ(JoyCount(), 0);
  EXPECT_EQ(JoyX(0), 0);
  EXPECT_FALSE(JoyDown(1, 0));
  EXPECT_EQ(JoyHit(0, 7), 0);
}

TEST_F(Headless, TimerOwesAFewMissedTicksAndDropsAStall) {
  Timer timer(60);
  timer.Tick();
  const int32_t before = MilliSecs();
  EXPECT_EQ(timer.Tick(), 0);
  EXPECT_NEAR(MilliSecs() - before, 16, 1);
  // A flip that waited for a slow display: three ticks went by, one is taken
  // now and two are owed, taken without waiting.
  backend->AdvanceMillis(55);
  const int32_t late = MilliSecs();
  for (int owed : {2, 1, 0}) EXPECT_EQ(timer.Tick(), owed);
  EXPECT_EQ(MilliSecs(), late);
  backend->AdvanceMillis(500);  // a stall: no catching up
  EXPECT_EQ(timer.Tick(), 0);
  const int32_t after_stall = MilliSecs();
  EXPECT_EQ(timer.Tick(), 0);
  EXPECT_NEAR(MilliSecs() - after_stall, 16, 2);
}

TEST_F(Headless, BatchFlushesOnlyWhenTheBlendChanges) {
  const uint32_t white[4] = {0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu};
  Image* image = CreateImage(white, 2, 2, 2, 2, 1);
  ResetDrawStats();
  SetBlend(Blend::kLight);
  for (int i = 0; i < 100; ++i) DrawImage(image, float(i), 0);
  SetBlend(Blend::kAlpha);
  for (int i = 0; i < 100; ++i) DrawImage(image, float(i), 10);
  SetBlend(Blend::kLight);
  Flip();
  EXPECT_EQ(GetDrawStats().quads, 200);
  EXPECT_EQ(GetDrawStats().flushes, 2);
  EXPECT_EQ(backend->triangles(), 400);
}

// A missing file, or a pipe no one writes to in place of an asset: refused at
// once, never waited on.
TEST_F(Headless, ImagesAndFontsThatCannotBeReadDrawNothing) {
  const std::string pipe = ::testing::TempDir() + "skitterworm-asset-pipe";
  std::filesystem::remove(pipe);
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  for (const std::string& path : {std::string("/nonexistent/file.png"), pipe}) {
    EXPECT_EQ(LoadImage(path), nullptr) << path;
    EXPECT_EQ(LoadImageFont(path, 8, 0), nullptr) << path;
  }
  std::filesystem::remove(pipe);
  ResetDrawStats();
  DrawImage(nullptr, 0, 0);
  DrawImageRect(nullptr, 0, 0, 5, 5);
  EXPECT_EQ(GetDrawStats().quads, 0);
  EXPECT_EQ(ImageWidth(nullptr), 0);
}

// A PNG file whose header claims width x height, followed by a scrap of image
// data and the end chunk.
void WritePngClaiming(const std::string& path, uint32_t width, uint32_t height) {
  std::ofstream out(path, std::ios::binary);
  out.write("\x89PNG\r\n\x1a\n", 8);
  auto put32 = [&](uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.put(char(v >> shift));
  };
  auto chunk = [&](const char* type, std::vector<uint8_t> data) {
    put32(uint32_t(data.size()));
    data.insert(data.begin(), type, type + 4);
    out.write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
    put32(uint32_t(crc32(0, data.data(), uInt(data.size()))));
  };
  std::vector<uint8_t> header;
  for (uint32_t v : {width, height})
    for (int shift = 24; shift >= 0; shift -= 8) header.push_back(uint8_t(v >> shift));
  for (uint8_t b : {8, 6, 0, 0, 0}) header.push_back(b);
  chunk("IHDR", header);
  chunk("IDAT", {0x78, 0x9C, 0x63, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01});
  chunk("IEND", {});
}

TEST_F(Headless, ImagesClaimingFarMoreThanAnyAssetAreRefused) {
  const std::string path = ::testing::TempDir() + "skitterworm-claims.png";
  for (uint32_t side : {1000000u, 60000u, 20000u}) {
    WritePngClaiming(path, side, side);
    EXPECT_EQ(LoadImage(path), nullptr) << side;
  }
  std::filesystem::remove(path);
}

TEST_F(Headless, TheWindowGetsTheGamesIcon) {
  EXPECT_TRUE(SetWindowIcon(SKITTERWORM_TEST_DATA_DIR "/graphics/icon.png"));
  EXPECT_EQ(backend->icon_width(), 128);
  EXPECT_EQ(backend->icon_height(), 128);
  EXPECT_FALSE(SetWindowIcon("/nonexistent/icon.png"));
}

TEST_F(Headless, FullScreenModesOpenOnlyWhenTheyExist) {
  backend->ClearModes();
  EXPECT_FALSE(GraphicsModeExists(320, 240, 32));
  EXPECT_FALSE(Graphics(320, 240, 32));
  backend->AddMode(320, 240, 32);
  EXPECT_TRUE(Graphics(320, 240, 32));
  EXPECT_EQ(GraphicsWidth(), 320);
}

}  // namespace
