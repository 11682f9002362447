#include "app/command_line.h"

#include <cstdlib>

#include "app/usage_text.h"

namespace {

bool ParseNumber(const std::string& text, long min, long max, long& out) {
  if (text.empty()) return false;
  char* end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (*end != '\0' || value < min || value > max) return false;
  out = value;
  return true;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine cl;
  if (const char* log = std::getenv("SKITTERWORM_DEBUG_LOG")) cl.debug_log = log;
  auto scoreboard = [&](const std::string& text, const std::string& source) {
    if (!ParseScoreboardAddress(text, cl.scoreboard_host, cl.scoreboard_port))
      cl.error = source + " takes HOST or HOST:PORT (port 1 to 65535), not \"" + text + "\"";
  };
  if (const char* address = std::getenv("SKITTERWORM_SCOREBOARD")) scoreboard(address, "SKITTERWORM_SCOREBOARD");
  if (const char* web = std::getenv("SKITTERWORM_SCOREBOARD_WEB")) cl.scoreboard_web = web;
  for (size_t i = 0; i < args.size() && cl.error.empty(); ++i) {
    const std::string& arg = args[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) {
        cl.error = arg + " needs a value";
        return false;
      }
      out = args[++i];
      return true;
    };
    std::string text;
    long number = 0;
    if (arg == "--help" || arg == "-h") {
      cl.show_help = true;
    } else if (arg == "--version") {
      cl.show_version = true;
    } else if (arg == "--data") {
      value(cl.data_dir);
    } else if (arg == "--save-dir") {
      value(cl.save_dir);
    } else if (arg == "--debug-log") {
      value(cl.debug_log);
    } else if (arg == "--windowed") {
      cl.fullscreen = false;
    } else if (arg == "--fullscreen") {
      cl.fullscreen = true;
    } else if (arg == "--scale") {
      if (value(text)) {
        if (ParseNumber(text, 1, 4, number))
          cl.scale = int(number);
        else
          cl.error = "--scale takes 1, 2, 3 or 4, not \"" + text + "\"";
      }
    } else if (arg == "--seed") {
      if (value(text)) {
        if (ParseNumber(text, 0, 0x7FFFFFFF, number))
          cl.seed = int32_t(number);
        else
          cl.error = "--seed takes a whole number from 0 to 2147483647, not \"" + text + "\"";
      }
    } else if (arg == "--scoreboard") {
      if (value(text)) scoreboard(text, "--scoreboard");
    } else if (arg == "--scoreboard-web") {
      value(cl.scoreboard_web);
    } else if (arg == "--replay") {
      value(cl.replay);
    } else if (arg == "--verify") {
      value(cl.verify);
    } else if (arg == "--autopilot") {
      cl.autopilot = true;
    } else if (arg == "--unpaced") {
      cl.unpaced = true;
    } else {
      cl.error = "unknown option \"" + arg + "\"";
    }
  }
  return cl;
}

std::string UsageText() { return kUsageText; }
