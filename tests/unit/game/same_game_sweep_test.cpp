// A game must come out the same whatever the display shows it at: the rules
// are stepped on generated players at every window scale, both full-screen
// pictures and every particle setting, and must give the world of the
// reference run (scale 1, no particles) at every frame.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "game/play.h"
#include "game/world_hash.h"
#include "game_test_world.h"
#include "human_input.h"
#include "show/play_picture.h"

namespace {

using namespace game_test;

struct Display {
  int factor;
  int depth;  // 0 for a window
};
// Windows at scales 1 to 4, and the full-screen 320x240 and 640x480 pictures.
constexpr Display kDisplays[] = {{1, 0}, {2, 0}, {3, 0}, {4, 0}, {1, 32}, {2, 32}};
constexpr int kFrames = 60 * 60 * 3;  // a generated player's game lasts at most three minutes

// The world hash after every frame of one generated player's game.
std::vector<uint64_t> Play(int32_t player_number, Display display, uint8_t particles) {
  World world;
  ResetWorld(world, 1, true);
  Graphics(320 * display.factor, 240 * display.factor, display.depth);
  SetDrawScale(display.factor);
  config.particles = particles;
  HumanInput human(player_number);
  NewGame(world, {player_number + 100, human.controls()});
  std::vector<uint64_t> hashes;
  for (int frame = 0; frame < kFrames && !GameEnded(world); ++frame) {
    if (const int paused = human.PauseFrames()) {
      PauseGame(world);
      for (int i = 0; i < paused; ++i) StepGame(world, human.Next());
      ResumeGame(world);
    }
    StepGame(world, human.Next());
    DrawGame(world);  // the picture is drawn between frames, as the game screen does
    hashes.push_back(WorldHash(world));
  }
  return hashes;
}

// The first frame where two runs part, or -1.
int FirstDifference(const std::vector<uint64_t>& a, const std::vector<uint64_t>& b) {
  for (size_t i = 0; i < std::min(a.size(), b.size()); ++i)
    if (a[i] != b[i]) return int(i);
  return a.size() == b.size() ? -1 : int(std::min(a.size(), b.size()));
}

TEST(SameGameSweep, EveryDisplayAndParticleSettingPlaysTheSameGame) {
  const char* players_env = std::getenv("SKITTERWORM_SWEEP_PLAYERS");
  const int players = players_env ? std::atoi(players_env) : 200;
  constexpr int kSettings = int(std::size(kDisplays)) * 4;
  for (int n = 0; n < players; ++n) {
    const std::vector<uint64_t> reference = Play(n, kDisplays[0], 0);
    // Each player is checked at two other settings, so every setting meets many players.
    for (int k : {1 + n % (kSettings - 1), 1 + (n * 7 + 3) % (kSettings - 1)}) {
      const Display display = kDisplays[k % std::size(kDisplays)];
      const uint8_t particles = uint8_t(k / std::size(kDisplays));
      const int at = FirstDifference(reference, Play(n, display, particles));
      ASSERT_EQ(at, -1) << "player " << n << " parts from scale 1 at frame " << at << " at display factor "
                        << display.factor << (display.depth ? " full screen" : " window") << ", particles "
                        << int(particles);
    }
  }
}

}  // namespace
