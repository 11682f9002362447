#pragma once
#include <cstdint>

// Milliseconds since an arbitrary start (32 bits, as the game widens it itself).
int32_t MilliSecs();
void Delay(int32_t ms);

// A pacing timer. Tick takes the next tick: it blocks until that tick is due,
// unless ticks that already passed are owed. A caller that came late by a few
// ticks (it waited for a slow display) owes them and takes them one a call
// without waiting; one later than kMostOwed ticks was stalled, and its missed
// ticks are dropped, never caught up. Tick returns the ticks still owed.
class Timer {
 public:
  static constexpr int kMostOwed = 3;
  explicit Timer(int hertz);
  int Tick();
  // Forgets the owed ticks and the schedule: the next Tick waits a whole tick.
  void Restart();
  int hertz() const { return hertz_; }

 private:
  int hertz_;
  int64_t next_tick_us_;
  int owed_ = 0;
};
