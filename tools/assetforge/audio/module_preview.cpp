#include "module_preview.h"

#include <libopenmpt/libopenmpt.hpp>

#include <sstream>

namespace assetforge::audio {

ModuleRender render_module(const std::vector<uint8_t>& bytes, double max_seconds) {
  ModuleRender render;
  try {  // libopenmpt reports a file it cannot read by throwing
    openmpt::module module(bytes, std::clog);
    render.type = module.get_metadata("type");
    render.channels = module.get_num_channels();
    render.duration = module.get_duration_seconds();
    module.set_repeat_count(0);
    const int32_t rate = 44100;
    const size_t chunk = 4096;
    auto limit = static_cast<size_t>(max_seconds * rate);
    std::vector<float> buffer(chunk * 2);
    size_t frames = 0;
    while (frames < limit) {
      size_t got = module.read_interleaved_stereo(rate, chunk, buffer.data());
      if (got == 0) break;
      render.stereo.insert(render.stereo.end(), buffer.begin(), buffer.begin() + static_cast<long>(got * 2));
      frames += got;
    }
    render.ok = true;
  } catch (const std::exception&) {
    render.ok = false;
  }
  return render;
}

}  // namespace assetforge::audio
