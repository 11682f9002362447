#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// Text and number helpers with the exact rules the game's data and colours rely on.
std::string IntText(int64_t value);
std::string FloatText(double value);  // C format "%#.9g": 1.0 reads "1.00000000"
// Leading white space and one sign are skipped; "$" reads hex, "%" binary,
// otherwise decimal; reading stops at the first other character; 0 without digits.
int32_t ParseInt(std::string_view text);
std::string Chr(int code);
std::string Left(std::string_view text, int count);
std::string Right(std::string_view text, int count);
std::string Mid(std::string_view text, int start_1based, int count = -1);
std::string Trim(std::string_view text);   // drops codes below 33 at both ends
std::string Lower(std::string_view text);  // A-Z only
std::string Hex8(uint32_t value);          // 8 upper-case digits

