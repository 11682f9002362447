#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "app/live_game.h"
#include "game/world.h"
#include "persist/records.h"
#include "persist/temp_dir.h"
#include "platform/paths.h"
#include "show/show.h"

namespace {

using namespace game_test;

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
  TempDir files;  // for the games' replays
  SettleFilesDir(files.path());
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
  SettleFilesDir(".");
}

}  // namespace
