// Any Ogg stream as a sound effect: decoded whole, as the game does at load.
#include <cstring>

#include "audio/sound.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Only what the loader takes for Ogg; everything else is the module target's.
  if (size < 4 || std::memcmp(data, "OggS", 4) != 0) return 0;
  Sound::Load(WriteFuzzInput(data, size, ".ogg"), SOUND_LOOP_OFF);
  return 0;
}
