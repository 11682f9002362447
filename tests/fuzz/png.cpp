// Any bytes as an image file, loaded whole and as animation cells.
#include "fuzz_input.h"
#include "platform/headless/headless_backend.h"
#include "platform/image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool started = (UseHeadlessBackend(), true);
  (void)started;
  const std::string& path = WriteFuzzInput(data, size, ".png");
  LoadImage(path);
  LoadAnimImage(path, 8, 8, 1, 2);
  // Emptying the atlas clears 16 MB, so it is done now and then rather than every input.
  static int loaded = 0;
  if (++loaded % 64 == 0) ReleaseAllImages();
  return 0;
}
