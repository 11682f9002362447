#include "platform/log.h"

#include <cstdio>

namespace {
// Process-wide: the one debug log of the run.
FILE* log_file = nullptr;
// Process-wide: the name messages on stderr begin with.
const char* program_name = "skitterworm";
}  // namespace

void SetDebugLogFile(const std::string& path) {
  CloseDebugLog();
  if (path.empty()) return;
  log_file = std::fopen(path.c_str(), "w");
  if (!log_file) std::fprintf(stderr, "%s: cannot write the debug log to %s\n", program_name, path.c_str());
}

void SetProgramName(const char* name) { program_name = name; }

void CloseDebugLog() {
  if (log_file) std::fclose(log_file);
  log_file = nullptr;
}

bool DebugLogEnabled() { return log_file != nullptr; }

void DebugLog(std::string_view line) {
  if (!log_file) return;
  std::fwrite(line.data(), 1, line.size(), log_file);
  std::fputc('\n', log_file);
  std::fflush(log_file);
}

void Warn(std::string_view line) {
  std::fprintf(stderr, "%s: %.*s\n", program_name, int(line.size()), line.data());
  DebugLog(line);
}
