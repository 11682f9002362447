#include "core/colour_family.h"

#include "platform/text.h"

std::string RandomHexByte(uint8_t min, uint8_t max, RandomGenerator& random) {
  return Right(Hex8(uint32_t(random.Rand(min, max))), 2);
}

std::string RandomColour(uint8_t family, RandomGenerator& random) {
  std::string a, b, c;
  switch (family) {
    case 1:
      return RandomHexByte(100, 255, random) + "0000";
    case 2:
      return "FF" + RandomHexByte(0, 150, random) + "00";
    case 3:
      return "FF" + RandomHexByte(100, 255, random) + "00";
    case 4:
      a = RandomHexByte(150, 255, random);  // green is drawn first
      return RandomHexByte(100, 255, random) + a + "00";
    case 5:
      return "00" + RandomHexByte(100, 255, random) + "00";
    case 6:
      return "00FF" + RandomHexByte(100, 255, random);
    case 7:
      return "00" + RandomHexByte(100, 255, random) + "FF";
    case 8:
      return "0000" + RandomHexByte(150, 255, random);
    case 9:
      a = RandomHexByte(200, 255, random);  // blue is drawn first
      return RandomHexByte(150, 255, random) + "00" + a;
    case 10:
      c = RandomHexByte(100, 255, random);  // blue, then green, then red
      b = RandomHexByte(100, 255, random);
      a = RandomHexByte(100, 255, random);
      return a + b + c;
    case 11:
      a = RandomHexByte(100, 255, random);
      return a + a + a;
    case 20:
      return "00" + RandomHexByte(200, 255, random) + "00";
    case 200:
      return "FF" + RandomHexByte(0, 255, random) + "00";
    default:
      return "";
  }
}
