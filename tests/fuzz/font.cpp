// Any bytes as a TrueType font, rasterised at the game's sizes.
#include "platform/font.h"

#include "fuzz_input.h"
#include "platform/atlas.h"
#include "platform/headless/headless_backend.h"
#include "platform/image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool started = (UseHeadlessBackend(), true);
  (void)started;
  const std::string& path = WriteFuzzInput(data, size, ".ttf");
  if (ImageFont* font = LoadImageFont(path, 8)) {
    SetImageFont(font);
    DrawText("Skitterworm 0123 \xe9\xff", 0, 0);
    TextWidth("Skitterworm");
  }
  // The font goes every time (so each input frees what it took); emptying the
  // atlas clears 16 MB, so that is done now and then.
  ReleaseAllFonts();
  static int loaded = 0;
  if (++loaded % 64 == 0) ReleaseAllImages();
  return 0;
}
