#pragma once
#include <string>
#include <vector>

#include "persist/replay.h"

class THighscores;

// The replays kept in the "replays" folder beside the highscores: the last
// game ("last.replay") and the game of every entry of the local table, each
// found again by its header (the table's file keeps its format). A replay
// whose entry has left the table is removed.
std::string ReplaysDir();

// The game just played: kept in memory for the name entry and the online
// scoreboard, and written as the last game.
void KeepLastGame(const Replay& replay);
const Replay& LastGame();
// The last game was signed into the local table under this name: its replay
// is kept with the table's, and those of entries gone from it are removed.
void KeepLastGameForTable(const std::string& name, const THighscores& table);

// For each entry of the local table, its replay, or empty when there is none.
// Reads every stored replay: for when the table is opened, not every frame.
std::vector<std::string> ReplaysOfEntries(const THighscores& table);
