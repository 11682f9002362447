#include "core/fader.h"

#include "core/common.h"

void TFader::Update() {
  // A positive gap only restamps the time; the value still moves every update
  // (every fader of the game runs with gap 0).
  if (tick_gap > 0 && timeNow - int64_t(tick_last) >= tick_gap) tick_last = int32_t(timeNow);
  value += change;
  if (value > lim_max) {
    if (flag_cycle)
      change = -change;
    else
      value = lim_max;
  }
  if (value < lim_min) {
    if (flag_cycle)
      change = -change;
    else
      value = lim_min;
  }
}

void TFader::SetMinMax(float min, float max) {
  lim_min = min;
  lim_max = max;
}

void TFader::Set(float min, float max, float v, float c, uint8_t cycle, uint16_t gap) {
  SetMinMax(min, max);
  value = v;
  change = c;
  flag_cycle = cycle;
  tick_gap = gap;
}
