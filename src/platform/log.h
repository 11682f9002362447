#pragma once
#include <string>
#include <string_view>

// The debug log: silent unless a file was named with --debug-log or the
// SKITTERWORM_DEBUG_LOG variable. Lines are flushed at once so a crash keeps them.
void SetDebugLogFile(const std::string& path);
void CloseDebugLog();
void DebugLog(std::string_view line);
bool DebugLogEnabled();
// A problem the player should hear of even without a debug log (a data file
// that cannot be read): written to stderr and to the debug log.
void Warn(std::string_view line);
// The name those lines begin with: "skitterworm" unless a tool names itself.
void SetProgramName(const char* name);
