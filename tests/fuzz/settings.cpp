// Any bytes as "skitterworm.cfg": the settings that come out are always usable.
#include <cstdlib>

#include "fuzz_input.h"
#include "persist/config.h"
#include "persist/records.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TConfig config;
  config.Load(WriteFuzzInput(data, size, ".cfg"));
  if (config.vmode < 1 || config.vmode > 4 || config.vscale < 1 || config.vscale > 4 || config.controls < 1 ||
      config.controls > 3 || config.particles > 3 || (config.vmode != 4 && (config.vres < 1 || config.vres > 2)))
    abort();
  return 0;
}
