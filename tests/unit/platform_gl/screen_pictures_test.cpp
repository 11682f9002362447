// Every screen of the text overlap test's table, drawn by the real GL
// backend at scale 2: each picture must show something, and with
// SKITTERWORM_SCREEN_PICTURES=DIR set the pictures are saved there for a
// person to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "app/screen_states.h"
#include "gl_test_support.h"
#include "platform/sdl/sdl_backend.h"

namespace {

// The real window, with a clock only the frames move.
class SteppedSdlBackend : public SdlBackend {
 public:
  int64_t MicroSecs() override { return now_us_; }
  void SleepMicros(int64_t us) override { now_us_ += std::max<int64_t>(us, 0); }
  void PumpEvents(InputState&) override {}

 private:
  int64_t now_us_ = 3'600'000'000;
};

std::string FileName(int index, const screen_states::ScreenState& s) {
  std::string name = (index < 10 ? "0" : "") + std::to_string(index) + "-" + s.screen + "-" + s.state;
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-') c = '_';
  return name + ".png";
}

TEST_F(GlPictureTest, EveryScreenStateShowsAPicture) {
  static SteppedSdlBackend backend;
  const char* dir = std::getenv("SKITTERWORM_SCREEN_PICTURES");
  int index = 0;
  for (const auto& s : screen_states::kScreenStates) {
    SetBackend(&backend);
    screen_states::Prepare(2);
    s.show();
    s.frame();
    const auto picture = GrabPixmap(0, 0, GraphicsWidth(), GraphicsHeight());
    ASSERT_NE(picture, nullptr);
    const bool lit = std::any_of(picture->pixels.begin(), picture->pixels.end(),
                                 [](uint32_t p) { return (p & 0xFFFFFFu) != 0; });
    EXPECT_TRUE(lit) << s.screen << " (" << s.state << ") drew nothing";
    if (dir) EXPECT_TRUE(SavePixmapPNG(*picture, std::string(dir) + "/" + FileName(++index, s)));
  }
}

}  // namespace
