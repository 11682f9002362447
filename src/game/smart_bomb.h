#pragma once
#include <cstdint>

struct World;

// The smart bomb item: every spider, snail and saucer dies at once and the
// mushroom field is swept (chains and wardens are left alone). The screen
// behind the game flashes bright grey and fades to black over 40 ticks.
// One object, the global smartbomb, for the whole program.
class TSmartBomb {
 public:
  explicit TSmartBomb(World& world) : world(world) {}
  World& world;  // the game it is part of

  uint8_t life = 0;  // brightness of the background flash

  void Update();
  void Activate();
};
