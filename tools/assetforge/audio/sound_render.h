#pragma once
// Turns a recipe into finished samples: every voice layer and note mixed,
// loops made seamless, the whole scaled to the recipe's peak level.
#include <string>
#include <vector>

#include "recipe.h"

namespace assetforge::audio {

std::vector<float> render_sound(const SoundRecipe& recipe, double sample_rate, std::vector<std::string>& errors);

struct Levels {
  double peak_db = -200.0;
  double rms_db = -200.0;
  double seconds = 0.0;
  double brightness = 0.0;  // zero crossings per second / 2: a rough "pitch" of the sound, high = bright
};

// Peak and RMS in dBFS (interleaved channels count alike).
Levels measure_levels(const std::vector<float>& samples, double sample_rate, int channels = 1);

}  // namespace assetforge::audio
