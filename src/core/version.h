#pragma once
#include <cstddef>

// The program's version comes from the build (the project's version).
constexpr const char* kGameVersion = SKITTERWORM_VERSION;
constexpr const char* kWindowTitle = "Skitterworm " SKITTERWORM_VERSION;
// The first line of every data file: the format's version, which stays as it
// is whatever the program's version, so older files keep loading.
constexpr const char* kDataFileVersion = "1.2.0";
// No version line is longer: a first line that goes on is not read any further
// (a huge file is never taken in whole), and the file counts as another version.
constexpr size_t kDataFileVersionMaxBytes = 16;
// The rules of play: raised by every change that makes a seed and its input
// play another game, so a replay of other rules is refused, never misplayed.
// Replays from before the rules had a version are version 1; 2 collides in
// picture pixels at every scale; 3 makes fire held past the tally count again
// only once let go, with every control method and in replays too.
constexpr int kRulesVersion = 3;
