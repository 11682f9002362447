#pragma once
#include <string>
#include <vector>

#include "persist/replay.h"

class THighscores;

// The replays kept in the "replays" folder beside the highscores: the last
// game ("last.replay") and the game of every entry of the local table, each
// found again by its header (the table's file keeps its format). Each entry's
// game has a file of its own, so two games alike in every way the table shows
// still keep both their replays. A replay is removed only once the table on
// disk has no entry for it; one that cannot be read is never removed.
std::string ReplaysDir();

// The game just played: kept in memory for the name entry and the online
// scoreboard, and written as the last game.
void KeepLastGame(const Replay& replay);
const Replay& LastGame();
// At start: the last game as "last.replay" holds it.
void ReadLastGame();
// The last game, when its score is `score`, was signed with this name at the
// name entry: its file says so too.
void SignLastGame(const std::string& name, int32_t score);

// True when the last game enters the table but the table has no entry for it:
// the program ended during its name entry, and the game is still owed its place.
bool LastGameAwaitsTable(const THighscores& table);

// Saves the table with its replays: the last game's replay is stored for its
// entry first (so the table never names a game whose replay is not on disk),
// then the table is saved, and only once it is on disk are the replays of
// entries gone from it removed. False when the table could not be saved;
// nothing is removed then.
bool SaveTableWithReplays(const THighscores& table, const std::string& path);
// For a table just read from its file: the last game's replay goes back to its
// entry when that entry lacks one (the program ended between the two saves),
// and the replays no entry claims are removed.
void MendTableReplays(const THighscores& table);

// An entry's recorded game as the highscores page offers it.
struct EntryGame {
  std::string path;          // empty when the entry has none
  bool other_rules = false;  // recorded by other rules of play: kept, but not to be watched
  bool Watchable() const { return !path.empty() && !other_rules; }
};
// For each entry of the local table, its game. Reads every stored replay: for
// when the table is opened, not every frame.
std::vector<EntryGame> GamesOfEntries(const THighscores& table);
