#include "persist/replay_store.h"

#include <sys/stat.h>

#include <vector>

#include "persist/highscores.h"
#include "platform/log.h"
#include "platform/paths.h"
#include "platform/stream.h"

namespace {

constexpr const char* kLastGame = "last.replay";
constexpr const char* kExtension = ".replay";

// Process-wide: the game just played, for the name entry and the scoreboard.
Replay last_game;

bool EnsureReplaysDir() {
  const std::string dir = ReplaysDir();
  if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return false;
  return FileType(dir) == FileKind::kDirectory;
}

bool Matches(const ReplayHeader& h, const THighscores& table, int entry) {
  return h.score == table.score[entry] && h.stage == table.stage[entry] && h.wave == table.wave[entry] &&
         h.name == table.player[entry];
}

struct StoredReplay {
  std::string path;
  ReplayHeader header;
};

// The table's replays on disk (every one but the last game's).
std::vector<StoredReplay> TableReplays() {
  std::vector<StoredReplay> found;
  for (const std::string& name : ReadDirectory(ReplaysDir())) {
    if (name == kLastGame || ExtractExt(name) != "replay") continue;
    StoredReplay stored{ReplaysDir() + "/" + name, {}};
    Replay replay;
    std::string error;
    if (LoadReplay(stored.path, replay, error)) stored.header = replay.header;
    found.push_back(stored);
  }
  return found;
}

// For each entry, the first stored replay that matches it and no earlier entry.
std::vector<std::string> AssignToEntries(const std::vector<StoredReplay>& stored, const THighscores& table) {
  std::vector<std::string> of_entry(THighscores::kEntries);
  std::vector<bool> taken(stored.size(), false);
  for (int entry = 0; entry < THighscores::kEntries; ++entry) {
    for (size_t i = 0; i < stored.size(); ++i) {
      if (taken[i] || !Matches(stored[i].header, table, entry)) continue;
      taken[i] = true;
      of_entry[entry] = stored[i].path;
      break;
    }
  }
  return of_entry;
}

}  // namespace

std::string ReplaysDir() { return DataFilePath("replays"); }

void KeepLastGame(const Replay& replay) {
  last_game = replay;
  if (!EnsureReplaysDir() || !SaveReplay(ReplaysDir() + "/" + kLastGame, replay))
    DebugLog("The last game's replay could not be saved in " + ReplaysDir());
}

const Replay& LastGame() { return last_game; }

void KeepLastGameForTable(const std::string& name, const THighscores& table) {
  last_game.header.name = name;
  if (!EnsureReplaysDir()) return;
  SaveReplay(ReplaysDir() + "/" + kLastGame, last_game);
  const std::string path = ReplaysDir() + "/" + std::to_string(last_game.header.seed) + "-" +
                           std::to_string(last_game.header.score) + kExtension;
  if (!SaveReplay(path, last_game)) DebugLog("The replay " + path + " could not be saved");
  // What no entry of the table claims is gone from it.
  const std::vector<StoredReplay> stored = TableReplays();
  const std::vector<std::string> kept = AssignToEntries(stored, table);
  for (const StoredReplay& replay : stored) {
    bool keep = false;
    for (const std::string& path_kept : kept) keep = keep || path_kept == replay.path;
    if (!keep) DeleteFile(replay.path);
  }
}

std::vector<std::string> ReplaysOfEntries(const THighscores& table) { return AssignToEntries(TableReplays(), table); }
