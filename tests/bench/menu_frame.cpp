// One frame of the menu on the headless backend at window scale 4: the 50
// drifting creatures, the bouncing logo with its reflection, the widgets with
// their sparks and the pointer; the main menu, and the highscores screen with
// its table and sparks. Each iteration is what the frame driver runs for the
// menu: clear, the menu's step, flip (the batch is flushed to the backend,
// which counts it). Run it from the build folder so the game's images are found.

#include <benchmark/benchmark.h>

#include <cstdlib>

#include "app/startup.h"
#include "core/fader.h"
#include "core/fonts.h"
#include "core/images.h"
#include "core/menu_screens.h"
#include "core/screen_size.h"
#include "frontend/frontend.h"
#include "frontend/menu.h"
#include "frontend/menu_particle.h"
#include "frontend/menu_state.h"
#include "game/world.h"
#include "persist/config.h"
#include "persist/records.h"
#include "platform/graphics.h"
#include "platform/headless/headless_backend.h"
#include "platform/paths.h"
#include "platform/random.h"
#include "show/particle.h"
#include "show/show.h"

namespace {

bool LoadTheGamesImages() {
  const char* env = std::getenv("SKITTERWORM_DATA");
  FindDataDir(env ? env : "", "/proc/self/exe");
  LoadAssets();
  return fntMain != nullptr;
}

void BM_MenuFrame(benchmark::State& state) {
  const uint8_t screen = uint8_t(state.range(0));
  UseHeadlessBackend();
  Graphics(kScreenWidth * 4, kScreenHeight * 4);
  SetDrawScale(4);
  SetScale(1, 1);
  static const bool assets = LoadTheGamesImages();
  ResetState();
  config.SetDefaults();
  config.sound = 0;
  config.music = 0;
  RemoveMenuParticles();
  returnToHighscores = screen == MENU_HIGHSCORES ? 1 : 0;
  TheMenuScreen().Enter();
  for (int i = 0; i < 60; ++i) TheMenuScreen().Step();  // faded in, sparks flying
  ResetDrawStats();
  int64_t frames = 0;
  for (auto _ : state) {
    Cls();
    TheMenuScreen().Step();
    Flip();
    ++frames;
  }
  const DrawStats stats = GetDrawStats();
  state.counters["quads_per_frame"] = frames ? double(stats.quads) / double(frames) : 0;
  state.counters["flushes_per_frame"] = frames ? double(stats.flushes) / double(frames) : 0;
  state.counters["menu_particles"] = double(lstMenuParticles.Count());
  state.counters["particles"] = double(lstParticles.Count());
  state.counters["real_images"] = assets ? 1 : 0;
  returnToHighscores = 0;
  KillParticles();
  RemoveMenuParticles();
}

BENCHMARK(BM_MenuFrame)->Arg(MENU_MAIN)->Arg(MENU_HIGHSCORES)->Unit(benchmark::kMicrosecond);

}  // namespace
