#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/random.h"

// Small drawing, colour and text helpers shared by the whole game.

// Sets the drawing colour from six hex digits, RRGGBB, either case.
void SetColorHex(std::string_view hex);
// The same for a creature, a mushroom or a text on the black field: lifted
// where it is too dark to be seen there (core/readable_colour.h).
void SetReadableColorHex(std::string_view hex);
// A number drawn from min..max, written as two upper-case hex digits. The
// rules' generator by default; the show's for colours only seen in passing.
std::string RandomHexByte(uint8_t min, uint8_t max, RandomGenerator& random = RulesRandom());
// A random colour of a numbered family (1..11, 20, 200); "" for any other.
std::string RandomColour(uint8_t family, RandomGenerator& random = RulesRandom());
// 1 when the rectangles overlap; touching edges do not.
uint8_t RectsOverlap(int32_t x1, int32_t y1, int32_t w1, int32_t h1, int32_t x2, int32_t y2, int32_t w2, int32_t h2);

// Text with a black drop shadow one logical pixel down and right; both take
// their opacity from fadeText. Positions are logical, like every drawing call.
void DrawTextShadow(std::string_view text, int32_t x, int32_t y);
void DrawTextCentred(std::string_view text, int32_t x, int32_t y, uint8_t shadow);
void DrawTextRight(std::string_view text, int32_t x, int32_t y, uint8_t shadow);

// The first held key (codes 0..226), repeated at most every 100 ms; 0 when none.
int32_t AnyKey();
