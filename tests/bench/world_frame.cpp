// One full game frame at a busy moment, on the headless backend: a late wave
// of stage E (twenty chain parts winding through a dense field), the pilot
// flying and firing, 3,000 particles alive at the 300 % setting, the HUD on
// top. Each iteration is one pass of the game loop: clear, draw the world,
// update it, flip (the batch is flushed to the backend, which counts it).
//
// The game's own images are used when the data folder is found (run it from
// the build folder, or set SKITTERWORM_DATA); otherwise every image is null,
// draws nothing, and the figure is the game logic alone. The counters say
// which it was.

#include <benchmark/benchmark.h>

#include <cstdlib>

#include "app/game_loop.h"
#include "app/startup.h"
#include "core/common.h"
#include "core/fader.h"
#include "core/images.h"
#include "core/play_states.h"
#include "core/screen_size.h"
#include "game/autopilot.h"
#include "game/bullet.h"
#include "game/collision_mask.h"
#include "game/play.h"
#include "game/play_passes.h"
#include "game/player.h"
#include "game/playfield.h"
#include "game/skitterworm.h"
#include "game/world.h"
#include "persist/config.h"
#include "persist/records.h"
#include "platform/clock.h"
#include "platform/graphics.h"
#include "platform/headless/headless_backend.h"
#include "platform/paths.h"
#include "platform/random.h"
#include "show/particle.h"
#include "show/show.h"

namespace {

constexpr size_t kParticles = 3000;

void TopUpParticles() {
  while (lstParticles.Count() < kParticles)
    CreateParticles(uint16_t(ShowRand(20, 300)), uint16_t(ShowRand(20, 200)), 50, uint8_t(ShowRand(1, 11)), 60, 240,
                    0.05f, 0.6f, 10, 0, 359, 0.99f);
}

// Stage E, wave 6: the threat level gives 20 parts; the field is re-laid
// whenever the pilot has shot most of them.
void BusyWave() {
  World& world = ShownGame();
  world.player.stage = 4;
  SetupStage(world);
  world.player.stage = 5;
  world.player.wave = 5;
  SetupWave(world);
  world.playfield.Fill(60);
  world.gameState = STATE_PLAYING;
  world.stateTimer = 0;
}

bool LoadTheGamesImages() {
  const char* env = std::getenv("SKITTERWORM_DATA");
  FindDataDir(env ? env : "", "/proc/self/exe");
  LoadAssets();
  LoadCollisionMasks();
  return gfx.shroom != nullptr && gfx.player != nullptr;
}

void BM_WorldFrame(benchmark::State& state) {
  const uint8_t scale = uint8_t(state.range(0));
  UseHeadlessBackend();
  Graphics(kScreenWidth * scale, kScreenHeight * scale);
  SetDrawScale(scale);
  SetScale(1, 1);
  static const bool images = LoadTheGamesImages();
  ResetState();
  config.SetDefaults();
  config.sound = 0;
  config.music = 0;
  config.controls = CONTROLS_KEYBOARD;
  config.particles = 3;
  autopilotOn = true;
  NewLiveGame();
  World& world = ShownGame();
  world.player.cfire = 1;
  BusyWave();
  fadeScene.Set(0, 1, 1, 0, 0, 0);
  fadeText.Set(0, 1, 1, 0, 0, 0);
  ResetDrawStats();

  int64_t frames = 0;
  for (auto _ : state) {
    state.PauseTiming();
    if (world.lstEnemies.Count() < 10 || world.gameState != STATE_PLAYING) BusyWave();
    world.player.lives = 3;
    TopUpParticles();
    state.ResumeTiming();
    GameFrame();
    ++frames;
  }
  const DrawStats stats = GetDrawStats();
  state.counters["quads_per_frame"] = frames ? double(stats.quads) / double(frames) : 0;
  state.counters["flushes_per_frame"] = frames ? double(stats.flushes) / double(frames) : 0;
  state.counters["real_images"] = images ? 1 : 0;
  state.counters["enemies"] = double(world.lstEnemies.Count());
  autopilotOn = false;
  KillParticles();
  world.lstEnemies.Clear();
}

BENCHMARK(BM_WorldFrame)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

}  // namespace
