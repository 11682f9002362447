// Two runs of the graphics forge give the same bytes, and the same bytes as
// the build's data folder: nothing depends on time, order or the machine.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace {

namespace fs = std::filesystem;

std::map<std::string, std::string> ReadTree(const fs::path& root) {
  std::map<std::string, std::string> files;
  for (const char* dir : {"fonts", "graphics"}) {
    if (!fs::exists(root / dir)) continue;
    for (const auto& entry : fs::directory_iterator(root / dir)) {
      std::ifstream in(entry.path(), std::ios::binary);
      files[std::string(dir) + "/" + entry.path().filename().string()] =
          std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
  }
  return files;
}

#ifdef ASSETFORGE_GRAPHICS_EXE
bool RunForge(const fs::path& out) {
  const std::string command = std::string("\"") + ASSETFORGE_GRAPHICS_EXE + "\" --assets \"" +
                              SKITTERWORM_TEST_SOURCE_DIR + "/assets\" --out \"" + out.string() + "\"";
  return std::system(command.c_str()) == 0;
}

TEST(GraphicsForge, TwoRunsGiveIdenticalBytes) {
  const fs::path base = fs::path(::testing::TempDir()) / ("skitterworm_graphics_repro_" + std::to_string(::getpid()));
  fs::remove_all(base);
  ASSERT_TRUE(RunForge(base / "a"));
  ASSERT_TRUE(RunForge(base / "b"));
  const auto a = ReadTree(base / "a"), b = ReadTree(base / "b");
  ASSERT_GT(a.size(), 50u);
  EXPECT_EQ(a.size(), b.size());
  for (const auto& [name, bytes] : a) {
    ASSERT_TRUE(b.count(name)) << name;
    EXPECT_TRUE(bytes == b.at(name)) << name << " differs between two runs";
  }
  // The build's own output is the same too.
  const auto built = ReadTree(SKITTERWORM_TEST_DATA_DIR);
  for (const auto& [name, bytes] : a) {
    ASSERT_TRUE(built.count(name)) << name << " is not in the build's data folder";
    EXPECT_TRUE(bytes == built.at(name)) << name << " in the build differs from a fresh run";
  }
  fs::remove_all(base);
}
#else
TEST(GraphicsForge, TwoRunsGiveIdenticalBytes) { GTEST_SKIP() << "the forge's path was not given to the test"; }
#endif

}  // namespace
