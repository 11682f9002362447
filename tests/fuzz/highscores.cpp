// Any bytes as "skitterworm.hi".
#include "persist/highscores.h"

#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  THighscores table;
  table.Load(WriteFuzzInput(data, size, ".hi"));
  return 0;
}
