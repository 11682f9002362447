// The sprite batch under a heavy frame: 5,000 sprites of 16x16 pixels at scale 2
// in a 640x480 picture, switching blend mode every `run` sprites (mask, alpha,
// light in turn, as sprites, overlays and particles interleave in play).
// Measured on the headless backend (the shared batching alone) and on the
// SDL/OpenGL backend (batching plus the real GL work; skipped without a display).
//
// Each GL frame ends by reading one pixel back, which waits until the driver has
// drawn everything, so the time is the real cost of the frame and not only of
// queueing commands. The 60 Hz pacing of Flip is deliberately left out.

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/atlas.h"
#include "platform/backend.h"
#include "platform/graphics.h"
#include "platform/headless/headless_backend.h"
#include "platform/image.h"

namespace {

constexpr int kSprites = 5000;
constexpr int kCell = 16;
constexpr int kCells = 4;

struct Sprite {
  float x, y;
  int image, cell;
  uint8_t r, g, b;
};

struct Scene {
  std::vector<Image*> images;
  std::vector<Sprite> sprites;
};

// Sprites with a soft round body and transparent corners, so every blend mode has
// both opaque and translucent texels to deal with.
Image* MakeSpriteImage(int seed) {
  std::vector<uint32_t> pixels(size_t(kCell) * kCell * kCells);
  for (int c = 0; c < kCells; ++c) {
    for (int y = 0; y < kCell; ++y) {
      for (int x = 0; x < kCell; ++x) {
        const int dx = 2 * x - kCell + 1, dy = 2 * y - kCell + 1;
        const int d2 = dx * dx + dy * dy;
        const uint32_t alpha = d2 < 100 ? 255 : d2 < 200 ? 160 : d2 < 256 ? 60 : 0;
        const uint32_t shade = uint32_t(128 + ((x * 7 + y * 3 + c * 31 + seed * 17) % 128));
        pixels[size_t(y) * kCell * kCells + c * kCell + x] = shade | shade << 8 | shade << 16 | alpha << 24;
      }
    }
  }
  return CreateImage(pixels.data(), kCell * kCells, kCell, kCell, kCell, kCells);
}

const Scene& SharedScene() {
  static const Scene scene = [] {
    Scene s;
    for (int i = 0; i < 8; ++i) {
      Image* image = MakeSpriteImage(i);
      MidHandleImage(image);
      s.images.push_back(image);
    }
    // A fixed pseudo-random spread, the same for every run.
    uint32_t state = 12345;
    const auto next = [&state](uint32_t range) {
      state = state * 1103515245u + 12345u;
      return (state >> 8) % range;
    };
    for (int i = 0; i < kSprites; ++i) {
      s.sprites.push_back({float(next(640)), float(next(480)), int(next(8)), int(next(kCells)), uint8_t(next(256)),
                           uint8_t(next(256)), uint8_t(next(256))});
    }
    return s;
  }();
  return scene;
}

void DrawFrame(const Scene& scene, int run) {
  static constexpr std::array<Blend, 3> kModes = {Blend::kMask, Blend::kAlpha, Blend::kLight};
  Cls();
  SetScale(2, 2);
  for (int i = 0; i < kSprites; ++i) {
    const Sprite& s = scene.sprites[size_t(i)];
    if (i % run == 0) SetBlend(kModes[size_t(i / run) % kModes.size()]);
    SetColor(s.r, s.g, s.b);
    SetAlpha(0.75f);
    DrawImage(scene.images[size_t(s.image)], s.x, s.y, s.cell);
  }
  SetScale(1, 1);
  SetAlpha(1);
}

void Report(benchmark::State& state, const DrawStats& before) {
  const DrawStats after = GetDrawStats();
  const double frames = double(state.iterations());
  state.counters["sprites/s"] = benchmark::Counter(frames * kSprites, benchmark::Counter::kIsRate);
  state.counters["flushes/frame"] = frames > 0 ? double(after.flushes - before.flushes) / frames : 0;
  state.SetItemsProcessed(state.iterations() * kSprites);
}

void BM_SpriteBatchHeadless(benchmark::State& state) {
  const Scene& scene = SharedScene();
  UseHeadlessBackend();
  if (!Graphics(640, 480, 0)) {
    state.SkipWithError("the headless display did not open");
    return;
  }
  const int run = int(state.range(0));
  const DrawStats before = GetDrawStats();
  for (auto _ : state) {
    DrawFrame(scene, run);
    FlushBatch();
  }
  Report(state, before);
  EndGraphics();
  SetBackend(nullptr);
}

void BM_SpriteBatchGl(benchmark::State& state) {
  const char* display = std::getenv("DISPLAY");
  if (!display || !*display) {
    state.SkipWithError("no X display (DISPLAY unset): run under xvfb-run for the OpenGL figures");
    return;
  }
  const Scene& scene = SharedScene();
  SetBackend(nullptr);
  ResetDrawState();
  if (!Graphics(640, 480, 0)) {
    state.SkipWithError("the OpenGL display did not open");
    return;
  }
  const int run = int(state.range(0));
  const DrawStats before = GetDrawStats();
  for (auto _ : state) {
    DrawFrame(scene, run);
    benchmark::DoNotOptimize(GrabPixmap(0, 0, 1, 1));  // waits for the picture to be finished
  }
  Report(state, before);
  // Show the last frame once, so a person watching sees what was measured.
  ActiveBackend().Present();
  EndGraphics();
}

}  // namespace

// Blend changes every 50 sprites (100 flushes a frame) and every sprite (the worst case).
BENCHMARK(BM_SpriteBatchHeadless)->Arg(50)->Arg(1)->Unit(benchmark::kMicrosecond);
// The driver renders on its own threads: only wall time tells the GL frame's cost.
BENCHMARK(BM_SpriteBatchGl)->Arg(50)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();
