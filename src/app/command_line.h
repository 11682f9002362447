#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "persist/online_highscores.h"

// What the command line asks of this run.
struct CommandLine {
  std::string data_dir;            // --data DIR
  std::string save_dir;            // --save-dir DIR: where the player's files are kept
  std::string debug_log;           // --debug-log FILE (or SKITTERWORM_DEBUG_LOG)
  std::optional<bool> fullscreen;  // --windowed / --fullscreen, for this run only
  std::optional<int> scale;        // --scale N (1..4), for this run only
  std::optional<int32_t> seed;     // --seed N: a fixed seed instead of the clock
  bool autopilot = false;          // --autopilot: the pilot plays instead of the player
  std::string replay;              // --replay FILE: watch a recorded game
  std::string verify;              // --verify FILE: play a recorded game headless and check its result
  // --scoreboard HOST[:PORT] (or SKITTERWORM_SCOREBOARD): the online scoreboard;
  // the bundled one on this machine unless told otherwise.
  std::string scoreboard_host = kDefaultScoreboardHost;
  int32_t scoreboard_port = kDefaultScoreboardPort;
  // --scoreboard-web URL (or SKITTERWORM_SCOREBOARD_WEB): the page named under
  // the online table; empty means the scoreboard script's own page.
  std::string scoreboard_web;
  bool unpaced = false;            // --unpaced: frames back to back (tests, benchmarks)
  bool show_help = false, show_version = false;
  std::string error;  // set when the arguments cannot be used
};

CommandLine ParseCommandLine(const std::vector<std::string>& args);
std::string UsageText();
