#pragma once
#include <cstdint>

// Degree lookup tables built once, so per-frame wobbles cost a load.
class TSine {
 public:
  float val[360];
  uint16_t ang = 0;  // running phase, 5 degrees per frame

  TSine();
  void Update();
  // Negative i gives the running phase's value.
  float GetVal(int32_t i) const { return i < 0 ? val[ang] : val[i % 360]; }
};

class TCosine {
 public:
  float val[360];

  TCosine();
  float GetVal(int32_t i) const { return val[((i % 360) + 360) % 360]; }
};
