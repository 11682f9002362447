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

// The game has two generators. The rules' one decides everything that
// happens in a game (the chains, the spawner, the creatures, the powerups) and
// is seeded with the game's seed, so a seed and the player's input replay a
// game exactly. The show's one serves what only changes the picture or the
// sound (particles, stars, menu creatures, fireworks, the playlist): how much
// of it runs depends on the settings, the window and the machine, so it must
// never touch the rules' numbers.
RandomGenerator& RulesRandom();
RandomGenerator& ShowRandom();

// The rules' generator by the game's usual names.
void SeedRnd(int32_t seed);
int32_t RndSeed();                       // the current generator state
double RndDouble();                      // [0, 1)
int32_t Rand(int32_t min, int32_t max);  // both inclusive; bounds may come swapped
float Rnd(float min, float max);         // [min, max); bounds may come swapped

// The show's generator.
int32_t ShowRand(int32_t min, int32_t max);
float ShowRnd(float min, float max);

// A seed that differs from run to run: the wall clock in nanoseconds mixed
// with the process id (the game's millisecond clock starts at 0 every run).
int32_t ClockSeed();
