#pragma once
#include <string>
#include <string_view>

// The debug log: silent unless a file was named with --debug-log or the
// SKITTERWORM_DEBUG_LOG variable. Lines are flushed at once so a crash keeps them.
void SetDebugLogFile(const std::string& path);
void CloseDebugLog();
void DebugLog(std::string_view line);
bool DebugLogEnabled();
