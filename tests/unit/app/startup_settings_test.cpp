#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "app/startup.h"
#include "persist/config.h"
#include "persist/records.h"
#include "platform/headless/headless_backend.h"

namespace {

namespace fs = std::filesystem;

// Start-up reads the settings from the working folder.
class StartupSettings : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = fs::current_path();
    folder_ = fs::temp_directory_path() / ("skitterworm-startup-" + std::to_string(::getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    fs::current_path(folder_);
    HeadlessBackend& backend = UseHeadlessBackend();
    backend.AddMode(320, 240, 32);
    backend.AddMode(640, 480, 24);
  }
  void TearDown() override {
    fs::current_path(previous_);
    fs::remove_all(folder_);
  }
  fs::path previous_, folder_;
};

TEST_F(StartupSettings, FirstRunProbesAndTakesTheDefaults) {
  config.vmode = 1;
  LoadSettings();
  EXPECT_EQ(config.vmode, 4);
  EXPECT_EQ(config.vscale, 2);
  const uint8_t found[6] = {0, 0, 1, 0, 1, 0};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(config.vallow[i], found[i]) << "mode " << i;
  EXPECT_FALSE(fs::exists(kConfigFile)) << "the file is written at shut-down, not now";
}

TEST_F(StartupSettings, AnOldFileIsReadIntoAFreshConfig) {
  {
    std::ofstream out(kConfigFile, std::ios::binary);
    const char bytes[5] = {1, 1, 4, 3, 2};
    out.write(bytes, 5);
  }
  config.vres = 1;  // left from before: a fresh config starts from zeros
  LoadSettings();
  EXPECT_EQ(config.vscale, 3);
  EXPECT_EQ(config.controls, 2);
  EXPECT_EQ(config.vres, 0) << "a window file leaves the resolution to the first switch";
  EXPECT_EQ(config.vallow[2], 1);
}

TEST(StartupSeed, EachRunDiffersAndSeedFixesIt) {
  // Every run's game clock reads the same at start-up; the seed must not.
  UseHeadlessBackend();
  const int32_t first = StartupSeed({});
  UseHeadlessBackend();
  EXPECT_NE(StartupSeed({}), first);
  CommandLine fixed;
  fixed.seed = 77;
  EXPECT_EQ(StartupSeed(fixed), 77);
}

}  // namespace
