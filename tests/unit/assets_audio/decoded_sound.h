#pragma once
// Helpers for the audio asset tests: decode a built .ogg the way the game
// does (libvorbisfile) and measure it.
#include <string>
#include <vector>

namespace skitterworm_test {

struct DecodedSound {
  bool ok = false;
  int channels = 0;
  long rate = 0;
  std::vector<float> samples;  // interleaved

  double seconds() const {
    return ok && channels > 0 ? static_cast<double>(samples.size()) / channels / static_cast<double>(rate) : 0.0;
  }
};

DecodedSound decode_ogg(const std::string& path);

double peak_of(const std::vector<float>& samples);
double rms_of(const std::vector<float>& samples);
double to_db(double level);
// Samples at or beyond full scale.
int clipped_samples(const std::vector<float>& samples);

std::string data_path(const std::string& relative);

}  // namespace skitterworm_test
