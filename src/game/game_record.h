#pragma once
// A game as the rules record it while it runs: how it started, the player's
// input of every frame, a check of the world every second, and where it
// stands. It plays the game again exactly; a replay file
// (persist/replay.h) stores it with a header of the program's.
#include <cstdint>
#include <vector>

#include "core/frame_input.h"

// How a game starts: its seed (the rules' random numbers) and the control
// method it is played with (the mouse steers by position, the others by steps).
struct GameSetup {
  int32_t seed = 1;
  uint8_t controls = CONTROLS_KEYBOARD;
};

// Where a game stands: what the highscore table, the replay's header and the
// verifier report.
struct GameResult {
  int32_t score = 0;
  uint8_t stage = 0;
  uint8_t wave = 0;
  uint32_t frames = 0;  // frames of play stepped, pauses not counted
  bool over = false;    // ended by its game over (not quit)
};

// Every second of play the record notes a short fingerprint of the world,
// so a replay that plays another way shows where it parted.
constexpr uint32_t kReplayCheckFrames = 60;
// The most a record holds: four hours of play. A game that reaches it ends
// as quit.
constexpr uint32_t kReplayMaxFrames = 4u * 60u * 60u * 60u;

struct GameRecord {
  GameSetup setup;
  GameResult result;
  std::vector<FrameInput> inputs;
  std::vector<uint32_t> checks;  // after every kReplayCheckFrames-th frame
};
