#include "persist/replay.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <string>

namespace {

// A game steered with the pointer: its x and y move every frame, and wrap.
Replay SampleReplay() {
  Replay replay;
  replay.header = {"1.0", 2, 4242, "2026-12-08T10:15:00Z", 1234, 3, 5, 0, CONTROLS_MOUSE, true, "M\xFCller"};
  for (int i = 0; i < 600; ++i)
    replay.inputs.push_back({uint8_t(i % 7 == 0 ? kInputFire : 0), int16_t(17 + i % 280), int16_t(214 - i % 30)});
  replay.inputs.push_back({kInputLeft, -32768, 32767});  // the steps wrap, the places do not
  replay.header.frames = uint32_t(replay.inputs.size());
  replay.checks.assign(replay.inputs.size() / kReplayCheckFrames, 0xC0FFEE);
  return replay;
}

// Every header field and every frame's buttons and pointer come back as recorded.
TEST(Replay, RoundTripKeepsEveryInput) {
  Replay back;
  std::string error;
  ASSERT_TRUE(DecodeReplay(EncodeReplay(SampleReplay()), back, error)) << error;
  EXPECT_EQ(EncodeReplay(back), EncodeReplay(SampleReplay()));
}

TEST(Replay, RefusesWhatIsNotAWholeReplay) {
  const std::string good = EncodeReplay(SampleReplay());
  const size_t body = good.find("\n\n") + 2;
  auto replaced = [&](const std::string& from, const std::string& to) {
    std::string bytes = good;
    bytes.replace(bytes.find(from), from.size(), to);
    return bytes;
  };
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"another file", "1.2.0\r\n\x01\x00"},
      {"cut in the input", good.substr(0, good.size() - 10)},
      {"cut in the header", good.substr(0, body - 5)},
      {"more frames claimed", replaced("frames 601", "frames 602")},
      {"frames beyond any game", replaced("frames 601", "frames 99999999")},
      {"a control method out of range", replaced("controls 2", "controls 9")},
      {"no control method", replaced("controls 2\n", "")},
      {"a seed that is no number", replaced("seed 4242", "seed 42x")},
      {"bytes after the input", good + "x"},
      {"input bytes flipped", good.substr(0, body) + std::string(good.size() - body, '\x55')},
  };
  rusage before{}, after{};
  getrusage(RUSAGE_SELF, &before);
  for (const auto& c : cases) {
    Replay out;
    std::string error;
    EXPECT_FALSE(DecodeReplay(c.bytes, out, error)) << c.what;
    EXPECT_FALSE(error.empty()) << c.what;
  }
  getrusage(RUSAGE_SELF, &after);
  EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 64 * 1024) << "99,999,999 frames claimed are 500 MB allocated";
}

}  // namespace
