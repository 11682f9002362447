// skitterworm-verify: plays a recorded game with no window and no sound and
// checks its result, as `skitterworm --verify FILE` does, in a program that
// links the rules and no display or sound device (what a scoreboard server
// runs on every submitted replay).
//   skitterworm-verify [--data DIR] --verify FILE
#include <unistd.h>

#include <cstdio>
#include <string>

#include "persist/replay_verify.h"
#include "platform/paths.h"

namespace {
std::string ExecutablePath(const char* argv0) {
  char buffer[4096];
  const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  return n > 0 ? std::string(buffer, size_t(n)) : argv0;
}
}  // namespace

int main(int argc, char** argv) {
  std::string data, file;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--data") data = argv[i + 1];
    if (option == "--verify") file = argv[i + 1];
  }
  if (file.empty()) {
    std::fputs("Usage: skitterworm-verify [--data DIR] --verify FILE\n", stderr);
    return 2;
  }
  if (!FindDataDir(data, ExecutablePath(argv[0]))) {
    std::fprintf(stderr, "skitterworm-verify: the game's data was not found. Looked in: %s\n",
                 DataFoldersTried().c_str());
    return 2;
  }
  return VerifyReplay(file);
}
