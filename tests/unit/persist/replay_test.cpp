#include "persist/replay.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <string>

namespace {

// A game steered with the pointer: its x and y move every frame, and wrap.
Replay SampleReplay() {
  Replay replay;
  replay.header = {"1.0", 4242, "2026-12-08T10:15:00Z", 1234, 3, 5, 0, CONTROLS_MOUSE, true, "M\xFCller"};
  for (int i = 0; i < 600; ++i)
    replay.inputs.push_back({uint8_t(i % 7 == 0 ? kInputFire : 0), int16_t(17 + i % 280), int16_t(214 - i % 30)});
  replay.inputs.push_back({kInputLeft, -32768, 32767});  // the steps wrap, the places do not
  replay.header.frames = uint32_t(replay.inputs.size());
  return replay;
}

// Every frame's buttons and pointer come back as recorded, and the header too.
TEST(Replay, RoundTripKeepsEveryInput) {
  const Replay sent = SampleReplay();
  Replay back;
  std::string error;
  ASSERT_TRUE(DecodeReplay(EncodeReplay(sent), back, error)) << error;
  EXPECT_EQ(back.inputs, sent.inputs);
  EXPECT_EQ(EncodeReplay(back), EncodeReplay(sent));
}

// The peak of the process's resident memory, in kilobytes.
long PeakMemoryKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
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
      {"input bytes flipped", good.substr(0, body) + std::string(good.size() - body, '\x55')},
  };
  const long peak = PeakMemoryKb();
  for (const auto& c : cases) {
    Replay out;
    std::string error;
    EXPECT_FALSE(DecodeReplay(c.bytes, out, error)) << c.what;
    EXPECT_FALSE(error.empty()) << c.what;
  }
  // What a header merely claims costs nothing: 99,999,999 frames would be 500 MB.
  EXPECT_LT(PeakMemoryKb() - peak, 64 * 1024);
}

}  // namespace
