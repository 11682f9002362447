// Any bytes as "skitterworm.stats".
#include "persist/statistics.h"

#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TStatsLife life;
  life.Load(WriteFuzzInput(data, size, ".stats"));
  return 0;
}
