#pragma once
#include <cstdint>

// Snails, spiders and saucers: one pass each over lstEnemies for their kind.
void UpdateSnails();
void UpdateSpiders();
int32_t UpdateSaucers();  // returns how many saucers were updated (the saucer hum follows it)
