#pragma once
#include <string>

#include "game/play.h"
#include "persist/replay.h"

struct World;

// Plays a recorded game with no window and no sound, as fast as the machine
// allows, and prints "seed S score N stage T wave W frames F". Returns the
// exit status: 0 when the game ended as it did when recorded and as its
// header says, 1 when it came to another result, 2 when the file cannot be
// played (the reason goes to stderr, after the program's name).
int VerifyReplay(const std::string& path, const char* program = "skitterworm");

// Plays the replay as a new game in `world` and tells whether it ends as
// recorded: the header's result, the same checks of the world all the way.
// `result` is where it ended.
bool PlaysAsRecorded(World& world, const Replay& replay, GameResult& result);
