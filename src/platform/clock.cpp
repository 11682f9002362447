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

int Timer::Wait() {
  Backend& backend = ActiveBackend();
  const int64_t period = 1'000'000 / hertz_;
  int64_t now = backend.MicroSecs();
  if (next_tick_us_ == 0) next_tick_us_ = now + period;
  int ticks = 1;
  if (now < next_tick_us_) {
    backend.SleepMicros(next_tick_us_ - now);
    next_tick_us_ += period;
  } else {
    // Late: count the ticks that went by and drop them rather than catch up.
    ticks = int(1 + (now - next_tick_us_) / period);
    next_tick_us_ += int64_t(ticks) * period;
  }
  return ticks;
}
