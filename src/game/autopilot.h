#pragma once
#include "game/player.h"

struct World;

// A small scripted pilot for demos, soak runs and end-to-end tests: it keeps
// the ship at the bottom, moves under the lowest chain part and fires. While
// it flies it replaces the player's steering; the in-game keys (pause, quit)
// still work.

// Process-wide: set once from the command line, so no reset of the world clears it.
extern bool autopilotOn;

inline bool AutopilotOn() { return autopilotOn; }
// What the pilot would do with the world as it is now.
ShipSticks AutopilotSticks(const World& world);
