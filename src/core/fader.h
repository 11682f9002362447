#pragma once
#include <cstdint>

// A value ramped between two limits, one step per frame: every fade of the
// game (scene, text, banners) is one of these. It clamps at the limits, so the
// exact values 0 and 1 are reached and can be tested for.
class TFader {
 public:
  float lim_min = 0, lim_max = 1;
  float value = 0;
  float change = 0;
  int32_t tick_last = 0;
  int32_t tick_gap = 0;
  uint8_t flag_cycle = 0;

  void Update();
  void SetMinMax(float min, float max);
  void SetValue(float v) { value = v; }
  void SetChange(float c) { change = c; }
  void SetCycle(uint8_t cycle) { flag_cycle = cycle; }
  void SetGap(int32_t gap) { tick_gap = gap; }
  void Set(float min, float max, float v, float c, uint8_t cycle, uint16_t gap);
};
