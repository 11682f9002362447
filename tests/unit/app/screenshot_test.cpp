// Screenshots: numbered after the PNG files already in the folder, never over
// one of them, and never half written.
#include "app/screenshot.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "persist/temp_dir.h"
#include "platform/graphics.h"
#include "platform/headless/headless_backend.h"

namespace {

namespace fs = std::filesystem;

// Runs a test body inside a fresh temporary working folder.
class InTempFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = fs::current_path();
    folder_ = fs::temp_directory_path() / ("skitterworm-shots-" + std::to_string(::getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    fs::current_path(folder_);
  }
  void TearDown() override {
    fs::current_path(previous_);
    fs::remove_all(folder_);
  }
  static void Touch(const std::string& name) { std::ofstream(name) << "x"; }

  fs::path previous_, folder_;
};

TEST_F(InTempFolder, ScreenshotNumberCountsEveryLowerCasePngFile) {
  EXPECT_EQ(NextScreenshotName("."), "screenshot1.png");
  Touch("a.png");
  Touch("b.PNG");
  Touch("notes.txt");
  Touch("png");
  EXPECT_EQ(NextScreenshotName("."), "screenshot2.png");
  fs::create_directory("folder.png");
  EXPECT_EQ(NextScreenshotName("."), "screenshot2.png") << "folders are not files";
}

TEST_F(InTempFolder, ScreenshotIsAPngOfThePicture) {
  UseHeadlessBackend();
  ASSERT_TRUE(Graphics(640, 480, 0, 60));
  SetDrawScale(2);
  Touch("a.png");
  Touch("b.PNG");
  SaveScreenshot();
  std::ifstream in("screenshot2.png", std::ios::binary);
  ASSERT_TRUE(in.good());
  unsigned char head[24] = {};
  in.read(reinterpret_cast<char*>(head), sizeof head);
  const unsigned char signature[8] = {0x89, 'P', 'N', 'G', 13, 10, 26, 10};
  EXPECT_EQ(std::memcmp(head, signature, 8), 0);
  const int width = head[16] << 24 | head[17] << 16 | head[18] << 8 | head[19];
  const int height = head[20] << 24 | head[21] << 16 | head[22] << 8 | head[23];
  EXPECT_EQ(width, 640);
  EXPECT_EQ(height, 480);
  // The next one counts this one.
  EXPECT_EQ(NextScreenshotName("."), "screenshot3.png");
  EndGraphics();
}

TEST_F(InTempFolder, AScreenshotNeverReplacesAFileAndAFailedOneLeavesNone) {
  UseHeadlessBackend();
  ASSERT_TRUE(Graphics(320, 240, 0, 60));
  SetDrawScale(1);
  std::ofstream("screenshot1.png") << "one";
  std::ofstream("screenshot3.png") << "three";
  SaveScreenshot();
  EXPECT_TRUE(fs::exists("screenshot4.png"));
  std::ifstream one("screenshot1.png"), three("screenshot3.png");
  std::string a, b;
  one >> a;
  three >> b;
  EXPECT_EQ(a + b, "onethree");
  {
    FullDisk full(8);
    SaveScreenshot();
  }
  EXPECT_EQ(std::distance(fs::directory_iterator("."), {}), 3) << "no new or half-written file";
  EndGraphics();
}

}  // namespace
