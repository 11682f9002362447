#pragma once
#include <cstdint>

struct World;

// Snails, spiders and saucers: one pass each over lstEnemies for their kind.
void UpdateSnails(World& world);
void UpdateSpiders(World& world);
int32_t UpdateSaucers(World& world);  // returns how many saucers were updated (the saucer hum follows it)
