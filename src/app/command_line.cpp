#include "app/command_line.h"

#include <cstdlib>

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

std::string UsageText() {
  return "Usage: skitterworm [options]\n"
         "Shoot the skitterworms winding down through the mushroom field.\n\n"
         "Options:\n"
         "  --help             show this help and exit\n"
         "  --version          show the version and exit\n"
         "  --data DIR         read fonts/, graphics/, sound/ and music/ from DIR\n"
         "  --save-dir DIR     keep settings, highscores, statistics and screenshots in DIR\n"
         "  --debug-log FILE   write the debug log to FILE (also SKITTERWORM_DEBUG_LOG)\n"
         "  --windowed         play in a window this time\n"
         "  --fullscreen       play full screen this time\n"
         "  --scale N          window scale 1 to 4 this time\n"
         "  --seed N           the first game's seed: the same seed and the same input\n"
         "                     play the same game\n"
         "  --replay FILE      watch a recorded game (P pauses, hold Space to skip ahead,\n"
         "                     Escape ends); every game is recorded in replays/\n"
         "  --verify FILE      play a recorded game with no window and no sound, print\n"
         "                     its seed, score, stage, wave and frames; exit 0 when it\n"
         "                     ends as its header says, 1 when not, 2 when unusable\n"
         "  --autopilot        let the built-in pilot play\n"
         "  --unpaced          run frames back to back without waiting for the clock\n"
         "                     (for tests and benchmarks; frames per second go to the debug log)\n"
         "  --scoreboard HOST[:PORT]\n"
         "                     post scores to and fetch the world leaderboard from\n"
         "                     this scoreboard (also SKITTERWORM_SCOREBOARD); default\n"
         "                     127.0.0.1:47474, the bundled one scripts/play starts\n"
         "  --scoreboard-web URL\n"
         "                     the page named under the online table (also\n"
         "                     SKITTERWORM_SCOREBOARD_WEB)\n\n"
         "Settings (skitterworm.cfg), highscores (skitterworm.hi), statistics\n"
         "(skitterworm.stats) and screenshots are kept in the working directory when it\n"
         "holds any of those files, or when the game runs from its own folder (a build\n"
         "or a portable copy). An installed game keeps them in\n"
         "$XDG_DATA_HOME/skitterworm (by default ~/.local/share/skitterworm), the\n"
         "screenshots in its screenshots/ folder, the replays in replays/ (the last\n"
         "game and those of the highscore table). --save-dir chooses the folder.\n";
}
