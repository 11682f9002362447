#pragma once
#include <cstdint>

struct World;

// A fingerprint of the game world: the mushroom grid, every chain part, the
// ship, the bullet, the score and counters, the play state and the random
// generator. Two runs with the same seed and the same input must end with the
// same value; anything that differs in play changes it.
uint64_t WorldHash(const World& world);
