// A seeded game flown by the pilot into stage C with every enemy kind about:
// the same seed gives the same world, frame for frame.
#include <gtest/gtest.h>

#include <cstdio>

#include "app/game_test_world.h"
#include "game/world_hash.h"
#include "game/hurry_up.h"
#include "game/saucer.h"
#include "game/snail.h"
#include "game/spider.h"
#include "game/warden.h"
#include "game/world.h"

namespace {

using namespace game_test;

struct ReplayRun {
  uint64_t hash = 0;
  int frames = 0;
  bool snail = false, spider = false, saucer = false, warden = false;
  uint8_t stage = 0;
};

template <typename T>
bool Any() {
  bool found = false;
  lstEnemies.ForEachOf<T>([&](T*) { found = true; });
  return found;
}

ReplayRun PlayIntoStageC(int32_t seed) {
  ResetWorld(seed, true);
  autopilotOn = true;
  NewLiveGame();
  ReplayRun run;
  // Up to 40 minutes of play; lives are topped up so one game goes the distance.
  for (; run.frames < 60 * 60 * 40; ++run.frames) {
    if (player.lives < 2) player.lives = 2;
    if (!GameFrame()) break;
    run.snail |= Any<TSnail>();
    run.spider |= Any<TSpider>();
    run.saucer |= Any<TSaucer>();
    run.warden |= Any<TWarden>();
    run.stage = player.stage;
    if (player.stage == 3 && player.wave == 3) break;
  }
  run.hash = WorldHash();
  return run;
}

TEST(BattlefieldReplay, SameSeedSameWorldThroughStageC) {
  const ReplayRun first = PlayIntoStageC(31337);
  const ReplayRun second = PlayIntoStageC(31337);
  std::printf("replay: %d frames to stage %d\n", first.frames, first.stage);
  EXPECT_EQ(first.stage, 3);
  EXPECT_TRUE(first.snail && first.spider && first.saucer);
  EXPECT_EQ(first.frames, second.frames);
  EXPECT_EQ(first.hash, second.hash);
  EXPECT_NE(first.hash, PlayIntoStageC(31338).hash);  // and the hash does see the game
  RecordProperty("warden_seen", first.warden ? "yes" : "no");
}

}  // namespace
