#include "core/helpers.h"

#include <cmath>

#include "core/common.h"
#include "core/fader.h"
#include "core/readable_colour.h"
#include "platform/clock.h"
#include "platform/font.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/log.h"
#include "platform/random.h"
#include "platform/stream.h"
#include "platform/text.h"

namespace {
void ParseHexColour(std::string_view hex, int& r, int& g, int& b) {
  r = ParseInt("$" + Left(hex, 2));
  g = ParseInt("$" + Mid(hex, 3, 2));
  b = ParseInt("$" + Right(hex, 2));
}
}  // namespace

void SetColorHex(std::string_view hex) {
  int r, g, b;
  ParseHexColour(hex, r, g, b);
  SetColor(r, g, b);
}

void SetReadableColorHex(std::string_view hex) {
  int r, g, b;
  ParseHexColour(hex, r, g, b);
  SetReadableColor(r, g, b);
}

void DrawTextShadow(std::string_view text, int32_t x, int32_t y) {
  int r, g, b;
  GetColor(r, g, b);
  SetBlend(Blend::kAlpha);
  SetColor(0, 0, 0);
  SetAlpha(0.75f * fadeText.value);
  DrawText(text, float(x + 1), float(y + 1));
  SetAlpha(fadeText.value);
  SetColor(r, g, b);
  DrawText(text, float(x), float(y));
  SetBlend(Blend::kLight);
}

namespace {
void DrawAt(std::string_view text, float x, float y, uint8_t shadow) {
  if (shadow)
    DrawTextShadow(text, int32_t(x), int32_t(y));
  else
    DrawText(text, x, y);
}
}  // namespace

void DrawTextCentred(std::string_view text, int32_t x, int32_t y, uint8_t shadow) {
  float sx, sy;
  GetScale(sx, sy);
  const float left = std::fabs(float(x) - float(TextWidth(text) / 2) * sx);
  const float top = std::fabs(float(y) - float(TextHeight(text) / 2) * sy);
  DrawAt(text, left, top, shadow);
}

void DrawTextRight(std::string_view text, int32_t x, int32_t y, uint8_t shadow) {
  float sx, sy;
  GetScale(sx, sy);
  const float left = std::fabs(float(x) - float(TextWidth(text)) * sx);
  DrawAt(text, left, float(y), shadow);
}

int32_t AnyKey() {
  int32_t& last_key = common.anyKeyLast;
  int64_t& last_time = common.anyKeyTime;
  int32_t key = 0;
  // Shift, Ctrl and Alt are reported by their side (160..165); the generic
  // codes 16..18 that come down with them only when no side is known.
  for (int code = 0; code <= 226 && key == 0; ++code)
    if (KeyDown(code) && (code < vk::kShift || code > vk::kAlt)) key = code;
  for (int code = vk::kShift; code <= vk::kAlt && key == 0; ++code)
    if (KeyDown(code)) key = code;
  if (key == 0) return 0;
  const int64_t now = MilliSecs();
  if (key == last_key && now - last_time < 100) return 0;
  last_key = key;
  last_time = now;
  return key;
}
