#pragma once
#include <cstdint>
#include <string>

#include "persist/replay.h"

// A recorded game's identity: a SHA-256 digest, in lower-case hex, of what
// decides how the game plays (the version of the rules, the seed, the control
// method and every frame's input), and of nothing else. The header's claims
// (score, date, name) are left out, so one game keeps one identity whoever
// signs it; the pointer is left out of games not played with the mouse,
// since the rules never read it there. The scoreboard stores each game once
// by it.
std::string ReplayDigest(int32_t rules, const Replay& replay);

// SHA-256 of bytes, as 64 lower-case hex digits.
std::string Sha256Hex(const std::string& bytes);
