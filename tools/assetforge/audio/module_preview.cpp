#include "module_preview.h"

#include <cmath>
#include <libopenmpt/libopenmpt.hpp>
#include <libopenmpt/libopenmpt_ext.hpp>
#include <sstream>

namespace assetforge::audio {
namespace {

constexpr int32_t kRate = 44100;
constexpr size_t kChunk = 4096;

std::vector<float> read_pass(openmpt::module& module, double max_seconds) {
  module.set_repeat_count(0);
  auto limit = static_cast<size_t>(max_seconds * kRate);
  std::vector<float> out, buffer(kChunk * 2);
  while (out.size() / 2 < limit) {
    size_t got = module.read_interleaved_stereo(kRate, kChunk, buffer.data());
    if (got == 0) break;
    out.insert(out.end(), buffer.begin(), buffer.begin() + static_cast<long>(got * 2));
  }
  return out;
}

double rms_db(const std::vector<float>& samples) {
  double sum = 0.0;
  for (float s : samples) sum += static_cast<double>(s) * s;
  double rms = samples.empty() ? 0.0 : std::sqrt(sum / static_cast<double>(samples.size()));
  return rms > 0.0 ? 20.0 * std::log10(rms) : -200.0;
}

}  // namespace

ModuleRender render_module(const std::vector<uint8_t>& bytes, double max_seconds) {
  ModuleRender render;
  try {  // libopenmpt reports a file it cannot read by throwing
    openmpt::module module(bytes, std::clog);
    render.type = module.get_metadata("type");
    render.channels = module.get_num_channels();
    render.duration = module.get_duration_seconds();
    render.stereo = read_pass(module, max_seconds);
    render.ok = true;
  } catch (const std::exception&) {
    render.ok = false;
  }
  return render;
}

std::vector<double> channel_levels(const std::vector<uint8_t>& bytes, double max_seconds) {
  std::vector<double> levels;
  try {
    std::ostringstream log;
    openmpt::module_ext probe(bytes, log);
    for (int32_t c = 0; c < probe.get_num_channels(); ++c) {
      openmpt::module_ext module(bytes, log);
      auto* interactive = static_cast<openmpt::ext::interactive*>(module.get_interface(openmpt::ext::interactive_id));
      for (int32_t other = 0; other < module.get_num_channels(); ++other)
        interactive->set_channel_mute_status(other, other != c);
      levels.push_back(rms_db(read_pass(module, max_seconds)));
    }
  } catch (const std::exception&) {
    levels.clear();
  }
  return levels;
}

}  // namespace assetforge::audio
