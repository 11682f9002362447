#pragma once
#include <cstdint>

// Milliseconds since an arbitrary start (32 bits, as the game widens it itself).
int32_t MilliSecs();
void Delay(int32_t ms);

// A pacing timer. Wait blocks until the next tick and returns the ticks that
// passed (at least 1); missed ticks are dropped, never caught up.
class Timer {
 public:
  explicit Timer(int hertz);
  int Wait();
  int hertz() const { return hertz_; }

 private:
  int hertz_;
  int64_t next_tick_us_;
};
