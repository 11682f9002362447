#pragma once
#include <cstdint>

// The smart bomb item: every spider, snail and saucer dies at once and the
// mushroom field is swept (chains and wardens are left alone). The screen
// behind the game flashes bright grey and fades to black over 40 ticks.
// One object, the global smartbomb, for the whole program.
class TSmartBomb {
 public:
  uint8_t life = 0;  // brightness of the background flash

  void Update();
  void Activate();
};
