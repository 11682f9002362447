#include "persist/replay_digest.h"

#include <gtest/gtest.h>

TEST(ReplayDigest, Sha256MatchesTheStandardVectors) {
  EXPECT_EQ(Sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_EQ(Sha256Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
            "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
}

// One game keeps its identity whatever its header claims; anything that
// plays differently gets another.
TEST(ReplayDigest, FollowsWhatDecidesTheGame) {
  Replay base;
  base.header = {"1.2.0", 2, 42, "2026-12-08T10:15:00Z", 100, 1, 2, 3, CONTROLS_KEYBOARD, true, "Ann"};
  base.inputs = {{kInputFire, 0, 0}, {kInputLeft, 0, 0}, {0, 0, 0}};
  const struct {
    const char* what;
    void (*change)(Replay&);
    bool same;
  } cases[] = {
      {"other claims", [](Replay& r) { r.header = {"9", 2, 42, "", 999, 9, 6, 3, CONTROLS_KEYBOARD, false, "X"}; }, true},
      {"an unread pointer", [](Replay& r) { r.inputs[1].x = 99; }, true},
      {"another seed", [](Replay& r) { r.header.seed = 43; }, false},
      {"another control method", [](Replay& r) { r.header.controls = CONTROLS_JOYPAD; }, false},
      {"another input", [](Replay& r) { r.inputs[2].buttons = kInputRight; }, false},
      {"one frame more", [](Replay& r) { r.inputs.push_back({}); }, false},
  };
  for (const auto& c : cases) {
    Replay changed = base;
    c.change(changed);
    EXPECT_EQ(ReplayDigest(1, changed) == ReplayDigest(1, base), c.same) << c.what;
  }
  EXPECT_NE(ReplayDigest(2, base), ReplayDigest(1, base)) << "other rules";
  Replay mouse = base, moved = base;
  mouse.header.controls = moved.header.controls = CONTROLS_MOUSE;
  moved.inputs[1].x = 99;
  EXPECT_NE(ReplayDigest(1, moved), ReplayDigest(1, mouse)) << "a pointer the mouse reads";
}
