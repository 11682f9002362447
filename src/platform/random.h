#pragma once
#include <cstdint>

// Park-Miller "minimal standard" generator (multiplier 48271), computed with
// Schrage's method, so a seed replays its numbers exactly.
class RandomGenerator {
 public:
  void Seed(int32_t seed);
  int32_t State() const { return state_; }
  double Double();                         // [0, 1)
  int32_t Rand(int32_t min, int32_t max);  // both inclusive; bounds may come swapped
  float Rnd(float min, float max);         // [min, max); bounds may come swapped

 private:
  int32_t Advance();
  int32_t state_ = 0x1234;
};

// Each game has a generator of its own (World::random) that decides
// everything that happens in it (the chains, the spawner, the creatures, the
// powerups); seeded with the game's seed, a seed and the player's input
// replay a game exactly. The show has this one, process-wide, for what only
// changes the picture or the sound (particles, stars, menu creatures,
// fireworks, the playlist): how much of it runs depends on the settings, the
// window and the machine, so it never touches a game's numbers.
RandomGenerator& ShowRandom();

// The show's generator by the game's usual names.
int32_t ShowRand(int32_t min, int32_t max);
float ShowRnd(float min, float max);

// A seed that differs from run to run: the wall clock in nanoseconds mixed
// with the process id (the game's millisecond clock starts at 0 every run).
int32_t ClockSeed();
