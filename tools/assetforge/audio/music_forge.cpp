// Music: every song in assets/music/ becomes a module under music/, its
// instruments synthesized from assets/music/instruments/*.sfx.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iostream>

#include "forge.h"
#include "mod_writer.h"
#include "module_preview.h"
#include "module_tuning.h"
#include "notes.h"
#include "recipe.h"
#include "song.h"
#include "sound_render.h"
#include "wav_writer.h"
#include "xm_writer.h"

namespace assetforge::audio {
namespace {

namespace fs = std::filesystem;

// Samples use nearly the full range (8-bit MOD samples need every bit);
// loudness in the mix comes from each instrument's volume instead.
constexpr double kSamplePeakDb = -0.5;

void render_instruments(Module& module, const fs::path& folder, std::vector<std::string>& errors) {
  for (ModuleInstrument& instrument : module.instruments) {
    fs::path path = folder / (instrument.recipe + ".sfx");
    SoundRecipe recipe = load_recipe(path.string(), instrument.recipe, errors);
    recipe.peak_db = kSamplePeakDb;
    // A melodic instrument is recorded at its base note; a drum as written.
    if (!instrument.drum)
      for (VoiceLayer& layer : recipe.layers) layer.voice.frequency = note_frequency(instrument.base_note);
    instrument.sample = render_sound(recipe, instrument.sample_rate, errors);
  }
}

bool write_file(const fs::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

void preview(const std::vector<uint8_t>& bytes, const std::string& relative, const Module& module,
             const ForgeOptions& options) {
  ModuleRender render = render_module(bytes, 240.0);
  fs::path wav = options.preview / (relative + ".wav");
  std::error_code ec;
  fs::create_directories(wav.parent_path(), ec);
  write_wav(wav.string(), render.stereo, 44100, 2);
  Levels levels = measure_levels(render.stereo, 44100, 2);
  std::printf("  %-34s %-3s %2d ch  %6.1f s  peak %6.1f dBFS  rms %6.1f dBFS\n", relative.c_str(), render.type.c_str(),
              render.channels, render.duration, levels.peak_db, levels.rms_db);
  std::vector<double> channels = channel_levels(bytes, 240.0);
  std::printf("    channel rms:");
  for (size_t c = 0; c < channels.size() && c < module.channel_names.size(); ++c)
    std::printf("  %s %.1f", module.channel_names[c].c_str(), channels[c]);
  std::printf("\n");
}

// assets/music/ingame/tune.xm.song -> music/ingame/tune.xm
std::string output_name(const fs::path& source, const ForgeOptions& options) {
  return "music/" + fs::relative(source, options.assets / "music").replace_extension().generic_string();
}

// The game plays every module it finds in music/ingame/, so one left over
// from a song since renamed or removed would sneak into the playlist.
void remove_stale_tracks(const std::vector<fs::path>& songs, const ForgeOptions& options) {
  std::vector<fs::path> current;
  for (const fs::path& song : songs) current.push_back(options.out / output_name(song, options));
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(options.out / "music" / "ingame", ec)) {
    std::string extension = entry.path().extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    bool module = extension == ".xm" || extension == ".mod" || extension == ".it" || extension == ".s3m";
    if (module && std::find(current.begin(), current.end(), entry.path()) == current.end()) {
      std::cerr << "assetforge-audio: removing stale " << entry.path() << "\n";
      fs::remove(entry.path(), ec);
    }
  }
}

bool forge_song(const fs::path& source, const ForgeOptions& options) {
  std::string relative = output_name(source, options);
  std::string extension = fs::path(relative).extension().string();
  std::vector<std::string> errors;
  if (extension != ".xm" && extension != ".mod")
    errors.push_back(source.string() + ": name must end in .xm.song or .mod.song");
  ModuleFormat format = extension == ".mod" ? ModuleFormat::mod : ModuleFormat::xm;

  Module module = parse_song(load_config(source.string()), errors);
  if (errors.empty()) {
    choose_base_notes(module, format, errors);
    render_instruments(module, options.assets / "music" / "instruments", errors);
  }
  std::vector<uint8_t> bytes;
  if (errors.empty()) bytes = format == ModuleFormat::mod ? write_mod(module, errors) : write_xm(module, errors);
  for (const std::string& e : errors) std::cerr << "assetforge-audio: " << e << "\n";
  if (!errors.empty()) return false;

  fs::path out = options.out / relative;
  std::error_code ec;
  fs::create_directories(out.parent_path(), ec);
  if (!write_file(out, bytes)) {
    std::cerr << "assetforge-audio: cannot write " << out << "\n";
    return false;
  }
  if (!options.preview.empty()) preview(bytes, relative, module, options);
  return true;
}

}  // namespace

bool forge_music(const ForgeOptions& options) {
  if (!options.preview.empty()) std::printf("Music:\n");
  std::vector<fs::path> songs = sorted_sources(options.assets / "music", ".song", true);
  if (songs.empty()) std::cerr << "assetforge-audio: no songs in " << (options.assets / "music") << "\n";
  bool ok = !songs.empty();
  for (const fs::path& song : songs) ok = forge_song(song, options) && ok;
  remove_stale_tracks(songs, options);
  return ok;
}

}  // namespace assetforge::audio
