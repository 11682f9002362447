#pragma once
#include <cstdint>

#include "core/frame_input.h"

struct World;

// The player's input of this frame for the rules of play, read from the
// devices of the game's control method (or from the autopilot): steering,
// fire, the item and autofire keys, and whether any fire control is held.
FrameInput ReadFrameInput(const World& world, uint8_t controls);
