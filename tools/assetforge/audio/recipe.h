#pragma once
// A sound recipe: the readable source of one sound effect or one instrument
// sample. Keys at the top apply to every voice; each [voice] section adds a
// layer and may override them. A file without [voice] sections is a single
// voice. See assets/sound/README.md for the keys.
#include <optional>
#include <string>
#include <vector>

#include "synth.h"
#include "text_config.h"

namespace assetforge::audio {

struct VoiceLayer {
  Voice voice;
  double start = 0.0;                     // seconds into the sound
  std::vector<std::optional<int>> notes;  // MIDI notes played in turn (nullopt: rest)
  double note_time = 0.1;                 // seconds from one note to the next
};

struct SoundRecipe {
  std::string name;
  double peak_db = -4.0;  // the finished sound is scaled so its peak sits here
  double loop = 0.0;      // > 0: a seamless loop of about this many seconds
  std::vector<VoiceLayer> layers;
};

// Reads a recipe; errors (unknown keys, bad numbers) are appended to `errors`.
SoundRecipe parse_recipe(const ConfigFile& file, const std::string& name, std::vector<std::string>& errors);
SoundRecipe load_recipe(const std::string& path, const std::string& name, std::vector<std::string>& errors);

}  // namespace assetforge::audio
