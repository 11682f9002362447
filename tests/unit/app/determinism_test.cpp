#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "app/live_game.h"
#include "core/play_states.h"
#include "game/play.h"
#include "game/play_passes.h"
#include "game/world.h"
#include "game/world_hash.h"
#include "persist/records.h"
#include "show/show.h"

namespace {

using namespace game_test;

// Scripted keys on top of the pilot: autofire toggled now and then, a short
// pause, a laser power-up handed over, so the run crosses more of the code.
void ScriptedInput(int frame) {
  World& world = ShownGame();
  if (frame == 700) Tap(config.key[key_slot::kAutofire]);
  if (frame == 1300) Tap(config.key[key_slot::kAutofire]);
  if (frame == 1500) Tap(vk::kP);
  if (frame == 1520) Press('Q');
  if (frame == 1521) Release('Q');
  if (frame == 1800) world.player.power[POWER_LASER4] = 600;
}

// A whole run from a fresh world: seed, pilot, scripted keys, headless clock.
uint64_t PlayRun(int32_t seed, int frames) {
  World& world = ShownGame();
  ResetProgram(seed, true);
  autopilotOn = true;
  NewLiveGame();
  for (int frame = 0; frame < frames; ++frame) {
    ScriptedInput(frame);
    if (!GameFrame()) NewLiveGame();
  }
  return WorldHash(world);
}

TEST(Determinism, SameSeedAndInputGiveTheSameWorld) {
  const uint64_t first = PlayRun(2026, 3000);
  const uint64_t second = PlayRun(2026, 3000);
  EXPECT_EQ(first, second);
  EXPECT_NE(first, PlayRun(2027, 3000));  // the hash does see the game
}

// The pilot's game of a seed, stepped as the verifier steps it, after the
// given game of another seed: a game must not remember the one before it.
uint64_t PilotGameAfter(int32_t before, int32_t seed) {
  World& world = ShownGame();
  ResetProgram(1, true);
  autopilotOn = true;
  for (int32_t s : {before, seed}) {
    NewGame(world, {s, CONTROLS_KEYBOARD});
    for (int frame = 0; frame < 4000 && !GameEnded(world); ++frame)
      StepGame(world, ReadFrameInput(world, CONTROLS_KEYBOARD));
  }
  autopilotOn = false;
  return WorldHash(world);
}

TEST(Determinism, AGameDoesNotDependOnTheGameBefore) {
  for (int32_t before : {3, 4, 5, 6, 7, 8, 9, 10}) EXPECT_EQ(PilotGameAfter(before, 2), PilotGameAfter(0, 2)) << before;
}

TEST(Determinism, HashChangesWithEveryPartOfTheWorld) {
  World& world = ShownGame();
  ResetProgram(5);
  world.player.Init();
  SetupStage(world);
  const uint64_t base = WorldHash(world);
  world.playfield.data[100] ^= 1;
  EXPECT_NE(WorldHash(world), base);
  world.playfield.data[100] ^= 1;
  world.player.score += 1;
  EXPECT_NE(WorldHash(world), base);
  world.player.score -= 1;
  EXPECT_EQ(WorldHash(world), base);
  TSkitterworm* part = nullptr;
  world.lstEnemies.ForEachOf<TSkitterworm>([&](TSkitterworm* p) { part = p; });
  ASSERT_NE(part, nullptr);
  part->x += 1;
  EXPECT_NE(WorldHash(world), base);
}

TEST(Autopilot, ClearsStageOneHeadlessly) {
  World& world = ShownGame();
  ResetProgram(11, true);
  autopilotOn = true;
  NewLiveGame();
  int games = 1;
  bool cleared = false;
  // Eight minutes of play at most, over as many games as that takes.
  for (int frame = 0; frame < 60 * 60 * 8 && !cleared; ++frame) {
    if (!GameFrame()) {
      FinishGame();
      NewLiveGame();
      ++games;
    }
    cleared = world.gameState == STATE_CLEARED && world.player.stage == 1;
  }
  EXPECT_TRUE(cleared);
  EXPECT_EQ(games, 1);
  EXPECT_GE(world.statsGame.killed_worms, 6 + 6 + 7 + 7 + 8 + 8);
  EXPECT_GT(world.statsGame.bullets_hit, world.statsGame.killed_worms);
}

// Heap in use outside the particle pool, in bytes (glibc's own count, so no
// allocation is missed; the pool may grow to a new peak of particles).
int64_t HeapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return int64_t(info.uordblks + info.hblkhd) - int64_t(particlePool.capacity() * sizeof(TParticle));
}

// The pilot plays game after game for 100,000 frames (about 28 minutes of
// play, more with SKITTERWORM_SOAK_FRAMES): nothing crashes and, once the pools are warm, the heap stays flat.
TEST(Soak, PilotPlaysAHundredThousandFrames) {
  World& world = ShownGame();
  ResetProgram(4242, true);
  autopilotOn = true;
  config.particles = 3;
  NewLiveGame();
  int games = 1;
  int64_t warm_heap = 0;
  uint8_t best_stage = 0;
  // SKITTERWORM_SOAK_FRAMES runs a longer soak by hand.
  const char* env = std::getenv("SKITTERWORM_SOAK_FRAMES");
  const int frames = env ? std::max(40000, std::atoi(env)) : 100000;
  for (int frame = 0; frame < frames; ++frame) {
    if (!GameFrame()) {
      FinishGame();
      NewLiveGame();
      ++games;
    }
    best_stage = std::max(best_stage, world.player.stage);
    ASSERT_LT(world.lstEnemies.Count(), 400u);
    if (frame == 20000) warm_heap = HeapInUse();
  }
  const int64_t end_heap = HeapInUse();
  // A little slack for strings that grow to a longer score text.
  EXPECT_LT(end_heap, warm_heap + 256 * 1024) << "heap grew from " << warm_heap << " to " << end_heap;
  RecordProperty("games", games);
  RecordProperty("best_stage", best_stage);
  std::printf("soak: %d games, best stage %d, heap %lld -> %lld, particle pool %zu\n", games, best_stage,
              (long long)warm_heap, (long long)end_heap, particlePool.capacity());
}

}  // namespace
