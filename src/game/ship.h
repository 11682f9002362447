#pragma once
// The ship's part of a frame and its bullet's, in the order they always had:
// the ship's clocks, what touches it (game/collisions.h), the tokens it picks
// up, its controls (move, fire, use an item) and its powers; then the bullet
// flies and hits.
#include "core/frame_input.h"
#include "game/player.h"

void StepShip();
void StepBullet();

// The frame's input under the game's control method.
void ReadShipControls();
// Steering by steps (keyboard, joypad, autopilot), or by the pointer's place.
void SteerShip(const ShipSticks& sticks);
void SteerShipByPointer(const FrameInput& input);
// The first held item goes off; the slots move up even when it was empty.
void UseItem();
// A new shot only once the last one is gone, and not during the tally.
bool ShipMayFire();
