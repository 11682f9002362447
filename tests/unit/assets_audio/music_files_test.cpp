// The built music: every module the game plays must load in libopenmpt as
// the format its name says, last as long as the playlist expects, and play
// audible, unclipped sound; the menu and high-score tunes must loop.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <libopenmpt/libopenmpt.hpp>
#include <memory>
#include <sstream>

#include "assets_audio/decoded_sound.h"

namespace skitterworm_test {
namespace {

namespace fs = std::filesystem;
constexpr int kRate = 44100;

std::unique_ptr<openmpt::module> open_module(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.empty()) return nullptr;
  std::ostringstream log;
  try {
    return std::make_unique<openmpt::module>(bytes, log);
  } catch (const std::exception&) {
    return nullptr;
  }
}

std::vector<float> render(openmpt::module& module, double seconds) {
  std::vector<float> out;
  std::vector<float> buffer(4096 * 2);
  auto wanted = static_cast<size_t>(seconds * kRate);
  while (out.size() / 2 < wanted) {
    size_t got = module.read_interleaved_stereo(kRate, std::min<size_t>(4096, wanted - out.size() / 2), buffer.data());
    if (got == 0) break;
    out.insert(out.end(), buffer.begin(), buffer.begin() + static_cast<long>(got * 2));
  }
  return out;
}

// Loads, checks type and channels, and renders one whole pass.
void check_module(const std::string& path, const std::string& type, int channels, double min_seconds,
                  double max_seconds) {
  SCOPED_TRACE(path);
  auto module = open_module(path);
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(module->get_metadata("type"), type);
  EXPECT_EQ(module->get_num_channels(), channels);
  double duration = module->get_duration_seconds();
  EXPECT_GE(duration, min_seconds);
  EXPECT_LE(duration, max_seconds);
  module->set_repeat_count(0);
  std::vector<float> pcm = render(*module, max_seconds + 1.0);
  EXPECT_NEAR(static_cast<double>(pcm.size()) / 2 / kRate, duration, 1.0);
  EXPECT_GT(to_db(rms_of(pcm)), -30.0);
  EXPECT_LE(clipped_samples(pcm), 3);
}

// A looping tune runs on past its end and lands on its loop point: the
// menu and high-score tunes skip their intros on the way round.
void check_loops(const std::string& path, int loop_order) {
  SCOPED_TRACE(path);
  auto module = open_module(path);
  ASSERT_NE(module, nullptr);
  module->set_repeat_count(-1);
  double duration = module->get_duration_seconds();
  std::vector<float> pcm = render(*module, duration + 2.0);
  ASSERT_GT(pcm.size(), static_cast<size_t>((duration + 1.9) * kRate * 2));
  EXPECT_EQ(module->get_current_order(), loop_order);
  std::vector<float> after(pcm.end() - 2 * kRate * 2, pcm.end());
  EXPECT_GT(to_db(rms_of(after)), -30.0);
}

TEST(MusicFiles, MenuTuneIsALoopingXm) {
  check_module(data_path("music/lumen_fishland08.xm"), "xm", 6, 30.0, 180.0);
  check_loops(data_path("music/lumen_fishland08.xm"), 1);
}

TEST(MusicFiles, HighscoreTuneIsALoopingMod) {
  check_module(data_path("music/corvo_wandertales.mod"), "mod", 4, 20.0, 180.0);
  check_loops(data_path("music/corvo_wandertales.mod"), 1);
}

TEST(MusicFiles, InGamePlaylistHasAtLeastFourTracksOfBothKinds) {
  int xm = 0, mod = 0;
  for (const auto& entry : fs::directory_iterator(data_path("music/ingame"))) {
    std::string extension = entry.path().extension().string();
    if (extension == ".xm") {
      ++xm;
      // Our XM songs use an even number of channels, at least four.
      auto module = open_module(entry.path().string());
      ASSERT_NE(module, nullptr) << entry.path();
      int channels = module->get_num_channels();
      EXPECT_TRUE(channels >= 4 && channels % 2 == 0) << entry.path();
      check_module(entry.path().string(), "xm", channels, 60.0, 180.0);
    } else if (extension == ".mod") {
      ++mod;
      check_module(entry.path().string(), "mod", 4, 60.0, 180.0);
    }
  }
  EXPECT_GE(xm + mod, 4);
  EXPECT_GE(xm, 1);
  EXPECT_GE(mod, 1);
}

}  // namespace
}  // namespace skitterworm_test
