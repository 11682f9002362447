#pragma once
// Renders a written module through libopenmpt, the library the game plays
// music with: what a reviewer hears is what the player will hear.
#include <cstdint>
#include <string>
#include <vector>

namespace assetforge::audio {

struct ModuleRender {
  bool ok = false;
  std::string type;  // "xm", "mod", ... as libopenmpt reads the file
  int channels = 0;
  double duration = 0.0;      // seconds, one pass
  std::vector<float> stereo;  // interleaved, 44.1 kHz
};

// Renders one pass of the song (at most `max_seconds`).
ModuleRender render_module(const std::vector<uint8_t>& bytes, double max_seconds);

// RMS level (dBFS) of each channel played alone over one pass: shows a
// reviewer how the parts sit in the mix.
std::vector<double> channel_levels(const std::vector<uint8_t>& bytes, double max_seconds);

}  // namespace assetforge::audio
