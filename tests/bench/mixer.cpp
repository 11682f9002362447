// The audio callback's work at its busiest: 26 one-shot effects and a module
// playing at once, mixed in 1024-frame blocks as the device asks for them.
//
// "core_share" is the part of one CPU core the mix takes at 44.1 kHz (time per
// block divided by the 23.2 ms the block lasts); the library prints it as
// seconds of CPU per second of sound, so "1.7ms" means 0.17 % of a core. The module is the built menu
// tune when SKITTERWORM_BENCH_MODULE names it, else a small four-channel one
// made here.
#include "audio/mixer.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/log.h"

namespace {

// Four channels of looping square waves through 64 rows, all notes held.
std::vector<uint8_t> SmallModule() {
  std::vector<uint8_t> mod(20 + 31 * 30 + 2 + 128 + 4 + 1024 + 64, 0);
  const size_t h = 20;
  mod[h + 23] = 32;  // 64-byte sample, full volume, looping over its length
  mod[h + 25] = 64;
  mod[h + 29] = 32;
  for (int s = 1; s < 31; ++s) mod[h + s * 30 + 29] = 1;
  mod[20 + 31 * 30] = 1;
  mod[20 + 31 * 30 + 1] = 127;
  std::memcpy(mod.data() + 20 + 31 * 30 + 130, "M.K.", 4);
  const size_t p = 20 + 31 * 30 + 134;
  const int periods[4] = {428, 339, 285, 214};
  for (int c = 0; c < 4; ++c) {
    mod[p + c * 4] = static_cast<uint8_t>(periods[c] >> 8);
    mod[p + c * 4 + 1] = static_cast<uint8_t>(periods[c] & 0xFF);
    mod[p + c * 4 + 2] = 0x10;
  }
  for (int i = 0; i < 64; ++i) mod[p + 1024 + i] = static_cast<uint8_t>(i % 16 < 8 ? 40 : -40);
  return mod;
}

Sound* LoadModule(AudioSystem& system) {
  if (const char* path = std::getenv("SKITTERWORM_BENCH_MODULE"))
    if (Sound* s = system.CreateSound(path, SOUND_LOOP_NORMAL)) return s;
  // A name of this process's own, so two runs side by side never share the file.
  const std::string path = "/tmp/skitterworm-bench-module-" + std::to_string(::getpid()) + ".mod";
  const std::vector<uint8_t> bytes = SmallModule();
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  Sound* sound = system.CreateSound(path, SOUND_LOOP_NORMAL);  // read whole at load
  ::unlink(path.c_str());
  return sound;
}

void BM_MixerBlock(benchmark::State& state) {
  AudioSystem system;
  system.InitOffline();
  // 26 effects of one second of noise each, looping so none runs out mid-run.
  for (int i = 0; i < 26; ++i) {
    std::vector<int16_t> noise(44100);
    uint32_t seed = 12345u + i;
    for (int16_t& s : noise) {
      seed = seed * 1664525u + 1013904223u;
      s = ToPcm16((static_cast<float>(seed >> 8) / 16777216.0f - 0.5f) * 0.2f);
    }
    system.PlaySound(6 + i, system.AddSound(Sound::FromPcm(std::move(noise), 1, true)), false);
  }
  Sound* module = LoadModule(system);
  if (!module) {
    state.SkipWithError("no module");
    return;
  }
  system.PlaySound(1, module, false);
  std::vector<float> out(AudioSystem::kBlockFrames * 2);
  for (auto _ : state) {
    system.Render(out.data(), AudioSystem::kBlockFrames);
    benchmark::DoNotOptimize(out.data());
  }
  const double block_seconds = double(AudioSystem::kBlockFrames) / kMixRate;
  state.counters["core_share"] =
      benchmark::Counter(block_seconds * state.iterations(), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_MixerBlock)->Unit(benchmark::kMicrosecond);

}  // namespace
