#pragma once
// The ship's part of a frame and its bullet's, in the order they always had:
// the ship's clocks, what touches it (game/collisions.h), the tokens it picks
// up, its controls (move, fire, use an item) and its powers; then the bullet
// flies and hits.
#include "core/frame_input.h"
#include "game/player.h"

struct World;

void StepShip(World& world);
void StepBullet(World& world);

// The frame's input under the game's control method.
void ReadShipControls(World& world);
// Steering by steps (keyboard, joypad, autopilot), or by the pointer's place.
void SteerShip(World& world, const ShipSticks& sticks);
void SteerShipByPointer(World& world, const FrameInput& input);
// The first held item goes off; the slots move up even when it was empty.
void UseItem(World& world);
// A new shot only once the last one is gone, and not during the tally.
bool ShipMayFire(const World& world);
