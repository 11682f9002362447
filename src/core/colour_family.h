#pragma once
#include <cstdint>
#include <string>

#include "platform/random.h"

// The game's colours: families of shades (reds, yellows, greens...) that
// chain parts, creatures, mushrooms and sparks draw their RRGGBB colour from.

// A number drawn from min..max, written as two upper-case hex digits: from
// the game's generator for the colours of the rules' creatures, from the
// show's for colours only seen in passing.
std::string RandomHexByte(uint8_t min, uint8_t max, RandomGenerator& random);
// A random colour of a numbered family (1..11, 20, 200); "" for any other.
std::string RandomColour(uint8_t family, RandomGenerator& random);
