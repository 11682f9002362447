#pragma once
// A game as the program runs it, on the game screen: the world of
// game/game_test_world.h plus the front end, the run's first seed and the
// game screen's input.
#include <cstdint>

#include "app/game_input.h"
#include "app/game_loop.h"
#include "core/play_states.h"
#include "frontend/frontend.h"
#include "game/game_test_world.h"
#include "game/play.h"
#include "game/player.h"
#include "game/ship.h"
#include "game/world.h"
#include "persist/config.h"

namespace game_test {

// The whole program's state as at start-up, with a fresh world.
inline HeadlessBackend& ResetProgram(int32_t seed = 1234, bool with_assets = false) {
  World& world = ShownGame();
  HeadlessBackend& backend = ResetWorld(world, seed, with_assets);
  frontend.Reset();
  SetFirstGameSeed(seed);
  quitProgram = false;
  return backend;
}

// A game already past the stage banner: stage A, wave 1, playing.
inline void StartPlaying() {
  World& world = ShownGame();
  NewLiveGame();
  while (world.gameState == STATE_ENTERING) GameFrame();
}

// One tick of the ship's controls with what the devices hold now, read as
// the game screen reads them.
inline void SteerFromDevices() {
  World& world = ShownGame();
  world.controls = config.controls;
  world.input = ReadFrameInput(world, config.controls);
  ReadShipControls(world);
}

}  // namespace game_test
