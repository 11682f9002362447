#pragma once
#include <cstdint>

struct World;

// The spider radar power: two lamps at the bottom corners of the field. While
// no spider is due they blip every 2.5 seconds; in the last second before the
// next spider comes in they flash a warning three times, a third of a second
// apart. One object, the global radar, working while the ship's radar flag is
// set.
class TRadar {
 public:
  explicit TRadar(World& world) : world(world) {}
  World& world;  // the game it is part of

  uint8_t blink = 0;      // ticks left of the calm blip
  uint8_t detect = 0;     // ticks left of the warning flash
  int32_t lastblink = 0;  // game frame of the last blip

  // One tick, read against the spawner's spider countdown.
  void Update();
};
