// Any bytes as a replay file (--replay, --verify, the scoreboard's uploads).
#include "persist/replay.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Replay replay;
  std::string error;
  if (DecodeReplay(std::string_view(reinterpret_cast<const char*>(data), size), replay, error) &&
      replay.inputs.size() != replay.header.frames)
    __builtin_trap();  // a replay that decodes holds exactly the frames it claims
  return 0;
}
