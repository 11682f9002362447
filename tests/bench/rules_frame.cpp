// A frame of the rules alone, as --verify and the scoreboard's verification
// run them: the pilot's games stepped one frame at a time on the headless
// backend, nothing drawn, particles at their fewest. A 10-minute game is
// 36,000 of these frames. Run it from the build folder, where the game's
// images are (the wardens' shots hit by their pictures).

#include <benchmark/benchmark.h>

#include <memory>

#include "app/game_input.h"
#include "app/startup.h"
#include "core/images.h"
#include "game/autopilot.h"
#include "game/collision_mask.h"
#include "game/play.h"
#include "game/world.h"
#include "persist/records.h"
#include "platform/graphics.h"
#include "platform/headless/headless_backend.h"
#include "platform/paths.h"

namespace {

void BM_RulesFrame(benchmark::State& state) {
  UseHeadlessBackend();
  Graphics(320, 240);
  FindDataDir("", "/proc/self/exe");
  LoadAssets();
  LoadCollisionMasks();
  ResetState();
  config.SetDefaults();
  config.sound = config.music = 0;
  config.particles = 0;
  autopilotOn = true;
  int32_t seed = 11;
  const auto game = std::make_unique<World>();
  World& world = *game;
  NewGame(world, {seed, CONTROLS_KEYBOARD});
  int64_t games = 1;
  for (auto _ : state) {
    StepGame(world, ReadFrameInput(world, CONTROLS_KEYBOARD));
    if (GameEnded(world)) {
      NewGame(world, {++seed, CONTROLS_KEYBOARD});
      ++games;
    }
  }
  state.counters["games"] = double(games);
  autopilotOn = false;
}

BENCHMARK(BM_RulesFrame)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

}  // namespace
