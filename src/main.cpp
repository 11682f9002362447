// Skitterworm: the program's entry point.
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/startup.h"
#include "core/version.h"
#include "persist/replay.h"
#include "persist/replay_verify.h"
#include "platform/graphics.h"
#include "platform/log.h"
#include "platform/paths.h"
#include "platform/stop.h"

namespace {
// The executable's own path, for finding the data folders beside it.
std::string ExecutablePath(const char* argv0) {
  char buffer[4096];
  const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return argv0;
  return std::string(buffer, size_t(n));
}

// Verifying needs the data (the shapes of the sprites), no window, no save folder.
int Verify(const std::string& replay, const std::string& data_dir, const char* argv0) {
  if (!FindDataDir(data_dir, ExecutablePath(argv0))) {
    std::fprintf(stderr, "skitterworm: the game's data was not found. Looked in: %s\n", DataFoldersTried().c_str());
    return 2;
  }
  return VerifyReplay(replay);
}

bool Playable(const std::string& path) {
  Replay replay;
  std::string error;
  if (LoadReplay(path, replay, error)) return true;
  std::fprintf(stderr, "skitterworm: the replay %s cannot be played: %s\n", path.c_str(), error.c_str());
  return false;
}
}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const CommandLine command_line = ParseCommandLine(args);
  if (!command_line.error.empty()) {
    std::fprintf(stderr, "skitterworm: %s\n%s", command_line.error.c_str(), UsageText().c_str());
    return 2;
  }
  if (command_line.show_help) {
    std::fputs(UsageText().c_str(), stdout);
    return 0;
  }
  if (command_line.show_version) {
    std::puts(SKITTERWORM_VERSION);
    return 0;
  }
  SetDebugLogFile(command_line.debug_log);
  // Verifying is a tool's run, with no window and none of the player's files,
  // so it keeps no stop handling: a stop signal ends it as it ends any
  // program, and whoever waits on it sees a stopped run, never a result.
  if (!command_line.verify.empty()) return Verify(command_line.verify, command_line.data_dir, argv[0]);
  // A replay that cannot be played is said at once, before any window opens.
  if (!command_line.replay.empty() && !Playable(command_line.replay)) return 2;
  InstallStopSignals();
  AppTitle(kWindowTitle);  // the message boxes below carry it too
  if (!FindDataDir(command_line.data_dir, ExecutablePath(argv[0]))) {
    // Without fonts and images the window would stay black: say so instead.
    const std::string text =
        "The game's data (the fonts/ and graphics/ folders) was not found. Looked in: " + DataFoldersTried() +
        ". Use --data DIR to name the folder.";
    std::fprintf(stderr, "skitterworm: %s\n", text.c_str());
    SetStopExitCode(1);  // stopped while the box shows, it still did not start
    Notify("Skitterworm cannot start. " + text);
    return 1;
  }
  if (!SettleFilesDir(command_line.save_dir)) return 1;
  if (!LockFilesDir()) {
    // A second copy on the same files would overwrite the first one's results
    // at its exit (or lose its own): it does not start.
    const std::string text = "Skitterworm is already running with its files in " + FilesDirInFull() + ".";
    std::fprintf(stderr, "skitterworm: %s\n", text.c_str());
    SetStopExitCode(1);
    Notify(text);
    return 1;
  }
  RemoveLeftoverTempFiles();
  const int code = RunProgram(command_line);
  CloseDebugLog();
  return code;
}
