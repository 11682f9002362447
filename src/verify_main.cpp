// skitterworm-verify: plays a recorded game with no window and no sound and
// checks its result, as `skitterworm --verify FILE` does, in a program that
// links the rules and no display or sound device (what a scoreboard server
// runs on every submitted replay).
//   skitterworm-verify [--data DIR] --verify FILE
//   skitterworm-verify --digest FILE
// --digest reads the replay without playing it and prints its identity
// ("digest HEX", see persist/replay_digest.h) and the name signed in it
// ("name NAME"); the scoreboard stores each game once by it.
#include <unistd.h>

#include <cstdio>
#include <string>

#include "persist/replay.h"
#include "persist/replay_digest.h"
#include "persist/replay_verify.h"
#include "platform/log.h"
#include "platform/paths.h"

namespace {
constexpr const char* kProgram = "skitterworm-verify";

std::string ExecutablePath(const char* argv0) {
  char buffer[4096];
  const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  return n > 0 ? std::string(buffer, size_t(n)) : argv0;
}

// Needs no data: the game is read, not played.
int PrintIdentity(const std::string& path) {
  Replay replay;
  std::string error;
  if (!LoadReplay(path, replay, error) || !SameRules(replay.header, error)) {
    std::fprintf(stderr, "%s: %s is not a usable replay: %s\n", kProgram, path.c_str(), error.c_str());
    return 2;
  }
  std::printf("digest %s\nname %s\n", ReplayDigest(replay.header.rules, replay).c_str(), replay.header.name.c_str());
  return 0;
}
}  // namespace

int main(int argc, char** argv) {
  SetProgramName(kProgram);
  std::string data, file, digest;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--data") data = argv[i + 1];
    if (option == "--verify") file = argv[i + 1];
    if (option == "--digest") digest = argv[i + 1];
  }
  if (!digest.empty()) return PrintIdentity(digest);
  if (file.empty()) {
    std::fputs("Usage: skitterworm-verify [--data DIR] --verify FILE | --digest FILE\n", stderr);
    return 2;
  }
  if (!FindDataDir(data, ExecutablePath(argv[0]))) {
    std::fprintf(stderr, "%s: the game's data was not found. Looked in: %s\n", kProgram, DataFoldersTried().c_str());
    return 2;
  }
  return VerifyReplay(file, kProgram);
}
