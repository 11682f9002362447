// Particles at the busiest the game gets: 3,000 alive with the particles
// setting at 300 %, updated and drawn once per frame on the headless backend
// (the shared batching and the game's own work, no GL).
//
// BM_ParticlesSteady keeps a fixed population of long-lived sparks (every type
// the general emitter makes, streaks included) and times one frame of update
// and draw. BM_ParticlesChurn emits a death burst every frame and lets the
// bursts die, so creation, pooling and removal are in the figure too; its
// population settles near 3,000.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "core/common.h"
#include "core/fader.h"
#include "core/images.h"
#include "core/menu_screens.h"
#include "core/screen_size.h"
#include "game/world.h"
#include "persist/config.h"
#include "persist/records.h"
#include "platform/atlas.h"
#include "platform/graphics.h"
#include "platform/headless/headless_backend.h"
#include "platform/image.h"
#include "platform/random.h"
#include "show/particle.h"
#include "show/show.h"

namespace {

Image* SolidImage(int size, int cells) {
  std::vector<uint32_t> pixels(size_t(size) * size * cells, 0xFFFFFFFFu);
  return CreateImage(pixels.data(), size * cells, size, size, size, cells);
}

void SetUpWorld(uint8_t scale) {
  UseHeadlessBackend();
  Graphics(kScreenWidth * scale, kScreenHeight * scale);
  SetDrawScale(scale);
  SetScale(1, 1);
  fadeText.value = 1;
  fadeScene.value = 1;
  menuScreen = MENU_INGAME;
  config.particles = 3;
  for (int i = 1; i <= 9; ++i) gfx.particle[i] = SolidImage(4, 1);
  gfx.splat = SolidImage(8, 1);
  gfx.kersplode = SolidImage(16, 1);
  gfx.shroom = SolidImage(8, 32);
  gfx.bonus_scores = SolidImage(8, 8);
  lstParticles.Clear();
}

void TearDownWorld() {
  lstParticles.Clear();
  for (int i = 1; i <= 9; ++i) gfx.particle[i] = nullptr;
  gfx.splat = gfx.kersplode = gfx.shroom = gfx.bonus_scores = nullptr;
  ReleaseAllImages();
}

void BM_ParticlesSteady(benchmark::State& state) {
  SetUpWorld(uint8_t(state.range(0)));
  // 10 bursts of 100 at 300 %: 3,000 sparks spread over the field. Their
  // velocity factor is -1, so they jitter in place: the population stays, no
  // spark drifts off the screen, and no velocity decays into denormal floats
  // (which no real particle lives long enough to reach).
  for (int i = 0; i < 10; ++i)
    CreateParticles(uint16_t(30 + 28 * i), uint16_t(40 + 16 * i), 100, uint8_t(1 + i), 30000, 30000, 0.1f, 3.0f,
                    PARTICLE_ANY_SPARK, 0, 359, -1.0f);
  for (auto _ : state) {
    UpdateParticles();
    DrawParticles();
    FlushBatch();
  }
  state.counters["alive"] = double(lstParticles.Count());
  state.SetItemsProcessed(state.iterations() * int64_t(lstParticles.Count()));
  TearDownWorld();
}
BENCHMARK(BM_ParticlesSteady)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_ParticlesChurn(benchmark::State& state) {
  SetUpWorld(uint8_t(state.range(0)));
  // A burst of 25 at 300 % (75 particles) living 20..60 frames, every frame:
  // about 3,000 alive once settled.
  auto frame = [] {
    CreateParticles(uint16_t(ShowRand(40, 280)), uint16_t(ShowRand(30, 200)), 25, uint8_t(ShowRand(1, 11)), 20, 60,
                    0.1f, 1.5f, PARTICLE_ANY_SPARK, 0, 359, 0.95f);
    UpdateParticles();
    DrawParticles();
    FlushBatch();
  };
  for (int i = 0; i < 120; ++i) frame();
  for (auto _ : state) frame();
  state.counters["alive"] = double(lstParticles.Count());
  state.counters["pool"] = double(particlePool.capacity());
  TearDownWorld();
}
BENCHMARK(BM_ParticlesChurn)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

}  // namespace
