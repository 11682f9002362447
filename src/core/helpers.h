#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "core/colour_family.h"
#include "core/rects.h"

// Small drawing and text helpers shared by the whole game (and, through the
// two headers above, the colours and boxes the rules use too).

// Sets the drawing colour from six hex digits, RRGGBB, either case.
void SetColorHex(std::string_view hex);
// The same for a creature, a mushroom or a text on the black field: lifted
// where it is too dark to be seen there (core/readable_colour.h).
void SetReadableColorHex(std::string_view hex);

// Text with a black drop shadow one logical pixel down and right; both take
// their opacity from fadeText. Positions are logical, like every drawing call.
void DrawTextShadow(std::string_view text, int32_t x, int32_t y);
void DrawTextCentred(std::string_view text, int32_t x, int32_t y, uint8_t shadow);
void DrawTextRight(std::string_view text, int32_t x, int32_t y, uint8_t shadow);

// The first held key (codes 0..226), repeated at most every 100 ms; 0 when none.
int32_t AnyKey();
