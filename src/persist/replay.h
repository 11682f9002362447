#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/frame_input.h"
#include "game/game_record.h"

// A recorded game: a short text header (what the game was and how it ended)
// and the player's input for every frame of play, compressed. The seed, the
// control method and the inputs play the game again exactly; the rest says
// what it should come to.
//
// The file: the line "SKITTERWORM REPLAY 1", then "key value" lines (version,
// rules, seed, date, score, stage, wave, frames, controls, end, and name when
// one was entered), an empty line, then one zlib stream and nothing after it:
// the inputs stored as three columns (all buttons, then the pointer's x steps,
// then its y steps), which packs a game of held keys and short pointer moves
// into a few bytes a second, then the checks, four bytes each.
struct ReplayHeader {
  std::string version;  // the program that played it
  int rules = 1;        // the rules of play it was played by (kRulesVersion)
  int32_t seed = 0;
  std::string date;  // UTC, as 2026-12-08T10:15:00Z
  int32_t score = 0;
  uint8_t stage = 0;
  uint8_t wave = 0;
  uint32_t frames = 0;
  uint8_t controls = 0;
  bool over = false;  // ended by its game over; otherwise quit
  std::string name;   // the name signed at the name entry, Latin-1; may be empty
};

struct Replay {
  ReplayHeader header;
  std::vector<FrameInput> inputs;
  std::vector<uint32_t> checks;  // after every kReplayCheckFrames-th frame (rules 2 on)
};

// What a replay file may claim: four hours of play (kReplayMaxFrames), a
// megabyte on disk.
constexpr size_t kReplayMaxBytes = 1u << 20;

// The replay of a game as the rules recorded it, its header filled in from
// where the game stands (all but the date and the name, which are the
// program's and the player's).
Replay ReplayOf(const GameRecord& record);

std::string EncodeReplay(const Replay& replay);
// False, with the reason in `error`, for anything that is not a whole replay
// of a version this program reads.
bool DecodeReplay(std::string_view bytes, Replay& out, std::string& error);
// False, with the reason, for a replay of other rules than this program's:
// it would play another game than the one recorded.
bool SameRules(const ReplayHeader& header, std::string& error);

// Written like every data file: a crash never leaves half a replay.
bool SaveReplay(const std::string& path, const Replay& replay);
bool LoadReplay(const std::string& path, Replay& out, std::string& error);

// The current time as the header's date.
std::string ReplayDateNow();
