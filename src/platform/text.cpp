#include "platform/text.h"

#include <cmath>
#include <cstdio>

std::string IntText(int64_t value) { return std::to_string(value); }

std::string FloatText(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%#.9g", value);
  return buffer;
}

namespace {
int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}
}  // namespace

int32_t ParseInt(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\r' || text[i] == '\n')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16;
    ++i;
  } else if (i < text.size() && text[i] == '%') {
    base = 2;
    ++i;
  }
  uint32_t value = 0;  // wraps like a 32-bit register on absurdly long input
  for (; i < text.size(); ++i) {
    const int digit = DigitValue(text[i]);
    if (digit >= base) break;
    value = value * uint32_t(base) + uint32_t(digit);
  }
  return int32_t(negative ? 0u - value : value);
}

std::string Chr(int code) { return std::string(1, char(code)); }

std::string Left(std::string_view text, int count) {
  if (count <= 0) return {};
  return std::string(text.substr(0, size_t(count)));
}

std::string Right(std::string_view text, int count) {
  if (count <= 0) return {};
  if (size_t(count) >= text.size()) return std::string(text);
  return std::string(text.substr(text.size() - size_t(count)));
}

std::string Mid(std::string_view text, int start, int count) {
  if (start < 1) {
    if (count >= 0) count += start - 1;
    start = 1;
  }
  if (size_t(start) > text.size()) return {};
  auto rest = text.substr(size_t(start - 1));
  if (count < 0) return std::string(rest);
  return std::string(rest.substr(0, size_t(count)));
}

std::string Trim(std::string_view text) {
  size_t begin = 0, end = text.size();
  while (begin < end && uint8_t(text[begin]) < 33) ++begin;
  while (end > begin && uint8_t(text[end - 1]) < 33) --end;
  return std::string(text.substr(begin, end - begin));
}

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return out;
}

std::string Hex8(uint32_t value) {
  char buffer[9];
  std::snprintf(buffer, sizeof buffer, "%08X", value);
  return buffer;
}
