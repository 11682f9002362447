// Any bytes that are not Ogg as a music module, opened and played a little.
#include <cstring>
#include <libopenmpt/libopenmpt.hpp>

#include "audio/sound.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size >= 4 && std::memcmp(data, "OggS", 4) == 0) return 0;
  auto sound = Sound::Load(WriteFuzzInput(data, size, ".xm"), SOUND_LOOP_NORMAL);
  if (sound && sound->module()) {
    float out[2 * 512];
    sound->module()->read_interleaved_stereo(kMixRate, 512, out);
  }
  return 0;
}
