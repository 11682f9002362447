#include "persist/replay_store.h"

#include <vector>

#include "core/version.h"
#include "persist/highscores.h"
#include "platform/log.h"
#include "platform/paths.h"
#include "platform/stream.h"

namespace {

constexpr const char* kLastGame = "last.replay";

// Process-wide: the game just played, for the name entry and the scoreboard.
// The stop watchdog's final save reads it too: it changes only under the save lock.
Replay last_game;
// The last game was signed into the table (or read back at start, when it may
// have been): only then is its replay owed to an entry.
bool last_game_signed = false;

bool EnsureReplaysDir() { return SettlePlayersFolder(ReplaysDir()); }
// Reading makes no folder: there is nothing to read before the first game.
bool ReplaysDirToRead() { return FileType(ReplaysDir()) == FileKind::kDirectory && EnsureReplaysDir(); }

std::string LastGamePath() { return ReplaysDir() + "/" + kLastGame; }

bool Matches(const ReplayHeader& h, const THighscores& table, int entry) {
  return h.score == table.score[entry] && h.stage == table.stage[entry] && h.wave == table.wave[entry] &&
         h.name == table.player[entry];
}

struct StoredReplay {
  std::string path;
  ReplayHeader header;
  bool read = false;  // the file was read and is a replay
};

// The table's replays on disk (every one but the last game's).
std::vector<StoredReplay> TableReplays() {
  std::vector<StoredReplay> found;
  if (!ReplaysDirToRead()) return found;
  for (const std::string& name : ReadDirectory(ReplaysDir())) {
    if (name == kLastGame || ExtractExt(name) != "replay") continue;
    StoredReplay stored{ReplaysDir() + "/" + name, {}};
    Replay replay;
    std::string error;
    stored.read = LoadReplay(stored.path, replay, error);
    if (stored.read)
      stored.header = replay.header;
    else
      DebugLog("The replay " + stored.path + " " + error + "; it is left as it is");
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
      if (taken[i] || !stored[i].read || !Matches(stored[i].header, table, entry)) continue;
      taken[i] = true;
      of_entry[entry] = stored[i].path;
      break;
    }
  }
  return of_entry;
}

// A new file for the game, never one another game has: the seed and score
// name it, and a number follows when that name is taken.
std::string EntryReplayName(const ReplayHeader& h, int n) {
  return ReplaysDir() + "/" + std::to_string(h.seed) + "-" + std::to_string(h.score) +
         (n > 1 ? "-" + std::to_string(n) : "") + ".replay";
}

// The last game's replay, for the entry that took it when that entry has none.
void StoreEntryReplay(const THighscores& table) {
  if (!last_game_signed || last_game.header.score <= 0) return;
  const std::vector<std::string> of_entry = AssignToEntries(TableReplays(), table);
  bool owed = false;
  for (int entry = 0; entry < THighscores::kEntries; ++entry)
    owed = owed || (of_entry[entry].empty() && Matches(last_game.header, table, entry));
  if (!owed) return;
  const std::string placed = EnsureReplaysDir()
                                 ? WriteNewFile([](int n) { return EntryReplayName(last_game.header, n); }, 1,
                                                [](const std::string& temp) { return SaveReplay(temp, last_game); })
                                 : std::string();
  if (placed.empty()) ReportFailedSave("replay", EntryReplayName(last_game.header, 1));
}

void RemoveReplaysOfNoEntry(const THighscores& table) {
  const std::vector<StoredReplay> stored = TableReplays();
  const std::vector<std::string> kept = AssignToEntries(stored, table);
  for (const StoredReplay& replay : stored) {
    bool keep = !replay.read;
    for (const std::string& path_kept : kept) keep = keep || path_kept == replay.path;
    if (!keep) DeleteFile(replay.path);
  }
}

}  // namespace

std::string ReplaysDir() { return DataFilePath("replays"); }

void KeepLastGame(const Replay& replay) {
  const SaveLock hold = HoldSaves();
  last_game = replay;
  last_game_signed = false;
  if (!EnsureReplaysDir() || !SaveReplay(LastGamePath(), replay)) ReportFailedSave("replay", LastGamePath());
}

const Replay& LastGame() { return last_game; }

void ReadLastGame() {
  const SaveLock hold = HoldSaves();
  std::string error;
  Replay replay;
  if (!ReplaysDirToRead() || !LoadReplay(LastGamePath(), replay, error)) return;
  last_game = std::move(replay);
  last_game_signed = true;
}

void SignLastGame(const std::string& name, int32_t score) {
  const SaveLock hold = HoldSaves();
  if (last_game.header.score != score) return;
  last_game.header.name = name;
  last_game_signed = true;
  if (!SaveReplay(LastGamePath(), last_game)) ReportFailedSave("replay", LastGamePath());
}

bool LastGameAwaitsTable(const THighscores& table) {
  if (last_game.header.score <= 0 || !table.Check(last_game.header.score)) return false;
  for (int entry = 0; entry < THighscores::kEntries; ++entry)
    if (Matches(last_game.header, table, entry)) return false;
  return true;
}

bool SaveTableWithReplays(const THighscores& table, const std::string& path) {
  const SaveLock hold = HoldSaves();
  StoreEntryReplay(table);
  if (!table.Save(path)) return false;
  RemoveReplaysOfNoEntry(table);
  return true;
}

void MendTableReplays(const THighscores& table) {
  const SaveLock hold = HoldSaves();
  StoreEntryReplay(table);
  RemoveReplaysOfNoEntry(table);
}

std::vector<EntryGame> GamesOfEntries(const THighscores& table) {
  const std::vector<StoredReplay> stored = TableReplays();
  const std::vector<std::string> paths = AssignToEntries(stored, table);
  std::vector<EntryGame> games(paths.size());
  for (size_t entry = 0; entry < paths.size(); ++entry) {
    games[entry].path = paths[entry];
    for (const StoredReplay& replay : stored)
      if (replay.path == paths[entry]) games[entry].other_rules = replay.header.rules != kRulesVersion;
  }
  return games;
}
