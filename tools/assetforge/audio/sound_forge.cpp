// Sound effects: every recipe in assets/sound/ becomes sound/<name>.ogg.
#include <algorithm>
#include <cstdio>
#include <iostream>

#include "forge.h"
#include "ogg_writer.h"
#include "recipe.h"
#include "sound_render.h"
#include "wav_writer.h"

namespace assetforge::audio {
namespace {

constexpr int kSampleRate = 44100;
namespace fs = std::filesystem;

void print_levels(const std::string& name, const Levels& levels) {
  std::printf("  %-28s %6.2f s  peak %6.1f dBFS  rms %6.1f dBFS  brightness %5.0f Hz\n", name.c_str(), levels.seconds,
              levels.peak_db, levels.rms_db, levels.brightness);
}

bool forge_one(const fs::path& source, const ForgeOptions& options) {
  std::string name = source.stem().string();
  std::vector<std::string> errors;
  SoundRecipe recipe = load_recipe(source.string(), name, errors);
  std::vector<float> samples = render_sound(recipe, kSampleRate, errors);
  if (samples.empty()) errors.push_back(source.string() + ": the recipe makes no sound");
  for (const std::string& e : errors) std::cerr << "assetforge-audio: " << e << "\n";
  if (!errors.empty()) return false;

  std::string error;
  std::string relative = "sound/" + name + ".ogg";
  if (!write_ogg((options.out / relative).string(), samples, kSampleRate, stream_serial(relative), error)) {
    std::cerr << "assetforge-audio: " << error << "\n";
    return false;
  }
  if (!options.preview.empty()) {
    write_wav((options.preview / "sound" / (name + ".wav")).string(), samples, kSampleRate, 1);
    print_levels(name, measure_levels(samples, kSampleRate));
  }
  return true;
}

}  // namespace

std::vector<fs::path> sorted_sources(const fs::path& folder, const std::string& extension, bool recursive) {
  std::vector<fs::path> found;
  std::error_code ec;
  auto take = [&](const fs::directory_entry& entry) {
    if (entry.is_regular_file() && entry.path().extension() == extension) found.push_back(entry.path());
  };
  if (recursive) {
    for (const auto& entry : fs::recursive_directory_iterator(folder, ec)) take(entry);
  } else {
    for (const auto& entry : fs::directory_iterator(folder, ec)) take(entry);
  }
  std::sort(found.begin(), found.end());
  return found;
}

bool forge_sounds(const ForgeOptions& options) {
  std::error_code ec;
  fs::create_directories(options.out / "sound", ec);
  if (!options.preview.empty()) {
    fs::create_directories(options.preview / "sound", ec);
    std::printf("Sound effects:\n");
  }
  std::vector<fs::path> sources = sorted_sources(options.assets / "sound", ".sfx", false);
  if (sources.empty()) std::cerr << "assetforge-audio: no recipes in " << (options.assets / "sound") << "\n";
  bool ok = !sources.empty();
  for (const fs::path& source : sources) ok = forge_one(source, options) && ok;
  return ok;
}

}  // namespace assetforge::audio
