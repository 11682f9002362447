#pragma once
#include <cstdint>

// The game's one random generator: Park-Miller "minimal standard" (multiplier
// 48271) computed with Schrage's method, so a seed replays a game exactly.
void SeedRnd(int32_t seed);
int32_t RndSeed();                       // the current generator state
double RndDouble();                      // [0, 1)
int32_t Rand(int32_t min, int32_t max);  // both inclusive; bounds may come swapped
float Rnd(float min, float max);         // [min, max); bounds may come swapped
// A seed that differs from run to run: the wall clock in nanoseconds mixed
// with the process id (the game's millisecond clock starts at 0 every run).
int32_t ClockSeed();
