#include "decoded_sound.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>

namespace skitterworm_test {

DecodedSound decode_ogg(const std::string& path) {
  DecodedSound sound;
  OggVorbis_File file;
  if (ov_fopen(path.c_str(), &file) != 0) return sound;
  vorbis_info* info = ov_info(&file, -1);
  sound.channels = info->channels;
  sound.rate = info->rate;
  int section = 0;
  float** pcm = nullptr;
  for (;;) {
    long frames = ov_read_float(&file, &pcm, 4096, &section);
    if (frames < 0) {  // a damaged stream
      ov_clear(&file);
      return sound;
    }
    if (frames == 0) break;
    for (long i = 0; i < frames; ++i)
      for (int c = 0; c < sound.channels; ++c) sound.samples.push_back(pcm[c][i]);
  }
  ov_clear(&file);
  sound.ok = true;
  return sound;
}

double peak_of(const std::vector<float>& samples) {
  double peak = 0.0;
  for (float s : samples) peak = std::max(peak, static_cast<double>(std::fabs(s)));
  return peak;
}

double rms_of(const std::vector<float>& samples) {
  if (samples.empty()) return 0.0;
  double sum = 0.0;
  for (float s : samples) sum += static_cast<double>(s) * s;
  return std::sqrt(sum / static_cast<double>(samples.size()));
}

double to_db(double level) { return level > 0.0 ? 20.0 * std::log10(level) : -200.0; }

int clipped_samples(const std::vector<float>& samples) {
  return static_cast<int>(
      std::count_if(samples.begin(), samples.end(), [](float s) { return std::fabs(s) >= 0.999f; }));
}

std::string data_path(const std::string& relative) { return std::string(SKITTERWORM_TEST_DATA_DIR) + "/" + relative; }

}  // namespace skitterworm_test
