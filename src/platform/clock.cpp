#include "platform/clock.h"

#include "platform/backend.h"
#include "platform/input.h"
#include "platform/stop.h"

int32_t MilliSecs() { return int32_t(ActiveBackend().MicroSecs() / 1000); }

void Delay(int32_t ms) {
  // In short steps, so a stop signal ends a long pause at once.
  Backend& backend = ActiveBackend();
  const int64_t end = backend.MicroSecs() + int64_t(ms) * 1000;
  for (int64_t left = end - backend.MicroSecs(); left > 0 && !StopRequested(); left = end - backend.MicroSecs())
    backend.SleepMicros(left < 20'000 ? left : 20'000);
}

Timer::Timer(int hertz) : hertz_(hertz > 0 ? hertz : 60), next_tick_us_(0) {}

void Timer::Restart() {
  next_tick_us_ = 0;
  owed_ = 0;
}

int Timer::Tick() {
  if (owed_ > 0) return --owed_;
  Backend& backend = ActiveBackend();
  const int64_t period = 1'000'000 / hertz_;
  const int64_t now = backend.MicroSecs();
  if (next_tick_us_ == 0) next_tick_us_ = now + period;
  if (now < next_tick_us_) {
    backend.SleepMicros(next_tick_us_ - now);
    next_tick_us_ += period;
    return 0;
  }
  // Late: the tick due is taken now, and the ones that went by since are owed.
  const int64_t missed = (now - next_tick_us_) / period;
  if (missed > kMostOwed) {
    next_tick_us_ = now + period;
    return 0;
  }
  owed_ = int(missed);
  next_tick_us_ += (missed + 1) * period;
  return owed_;
}
