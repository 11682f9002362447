// Seeded games flown by the pilot on the game screen, into stage C with every
// enemy kind about, or with every weapon in play: the same seed gives the same
// world, frame for frame.
#include <gtest/gtest.h>

#include <cstdio>

#include "app/live_game.h"
#include "game/explosion.h"
#include "game/hurry_up.h"
#include "game/missile.h"
#include "game/player.h"
#include "game/powerup.h"
#include "game/railblast.h"
#include "game/saucer.h"
#include "game/snail.h"
#include "game/spider.h"
#include "game/warden.h"
#include "game/world.h"
#include "game/world_hash.h"
#include "persist/config.h"
#include "persist/records.h"

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
  World& world = ShownGame();
  bool found = false;
  world.lstEnemies.ForEachOf<T>([&](T*) { found = true; });
  return found;
}

ReplayRun PlayIntoStageC(int32_t seed) {
  World& world = ShownGame();
  ResetProgram(seed, true);
  autopilotOn = true;
  NewLiveGame();
  ReplayRun run;
  // Up to 40 minutes of play; lives are topped up so one game goes the distance.
  for (; run.frames < 60 * 60 * 40; ++run.frames) {
    if (world.player.lives < 2) world.player.lives = 2;
    if (!GameFrame()) break;
    run.snail |= Any<TSnail>();
    run.spider |= Any<TSpider>();
    run.saucer |= Any<TSaucer>();
    run.warden |= Any<TWarden>();
    run.stage = world.player.stage;
    if (world.player.stage == 3 && world.player.wave == 3) break;
  }
  run.hash = WorldHash(world);
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

// The pilot plays while every item is handed over and used in turn, and
// powerups rain on the ship: the same seed must give the same world.
uint64_t PlayRunWithWeapons(int32_t seed, int frames, int& weapons_seen) {
  World& world = ShownGame();
  ResetProgram(seed, true);
  autopilotOn = true;
  NewLiveGame();
  const uint8_t items[] = {ITEM_MISSILES, ITEM_RAILBLAST, ITEM_SMARTBOMB, ITEM_SCATTERMINES};
  weapons_seen = 0;
  for (int frame = 0; frame < frames; ++frame) {
    if (frame % 300 == 299) {
      world.player.AddItem(items[(frame / 300) % 4]);
      Tap(config.key[key_slot::kUseItem]);
    }
    if (frame % 450 == 100) TPowerup::Create(world, uint16_t(world.player.x), uint16_t(world.player.y - 4));
    if (!GameFrame()) NewLiveGame();
    weapons_seen += int(world.lstMissiles.Count() + world.lstExplosions.Count() + world.lstRailblasts.Count());
  }
  return WorldHash(world);
}

TEST(WeaponsDeterminism, SameSeedGivesTheSameWorldWithEveryWeaponInPlay) {
  World& world = ShownGame();
  int seen_first = 0, seen_second = 0;
  const uint64_t first = PlayRunWithWeapons(31, 3000, seen_first);
  const uint64_t second = PlayRunWithWeapons(31, 3000, seen_second);
  EXPECT_EQ(first, second);
  EXPECT_EQ(seen_first, seen_second);
  EXPECT_GT(seen_first, 0);
  int powerups = 0;
  for (uint8_t n : world.statsGame.powerups) powerups += n;
  EXPECT_GT(powerups, 0);
}

}  // namespace
