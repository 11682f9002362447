#include "recipe.h"

#include <charconv>
#include <functional>
#include <map>

#include "notes.h"

namespace assetforge::audio {
namespace {

std::optional<double> parse_number(const std::string& text) {
  double value = 0.0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

// A frequency may be given in Hz or as a note name ("A4").
std::optional<double> parse_frequency(const std::string& text) {
  if (auto note = parse_note(text)) return note_frequency(*note);
  return parse_number(text);
}

std::optional<Wave> parse_wave(const std::string& text) {
  static const std::map<std::string, Wave> waves = {{"square", Wave::square},
                                                    {"saw", Wave::saw},
                                                    {"sine", Wave::sine},
                                                    {"triangle", Wave::triangle},
                                                    {"noise", Wave::noise}};
  auto it = waves.find(text);
  if (it == waves.end()) return std::nullopt;
  return it->second;
}

using Setter = std::function<bool(VoiceLayer&, const std::string&)>;

Setter number_into(double Voice::*field) {
  return [field](VoiceLayer& l, const std::string& s) {
    auto n = parse_number(s);
    if (n) l.voice.*field = *n;
    return n.has_value();
  };
}

std::vector<std::optional<int>> parse_notes(const std::string& text, bool& ok) {
  std::vector<std::optional<int>> notes;
  for (const std::string& word : split_words(text)) {
    if (word == "." || word == "-") {
      notes.push_back(std::nullopt);
      continue;
    }
    auto note = parse_note(word);
    ok = ok && note.has_value();
    notes.push_back(note);
  }
  return notes;
}

const std::map<std::string, Setter>& voice_keys() {
  static const std::map<std::string, Setter> keys = {
      {"wave",
       [](VoiceLayer& l, const std::string& s) {
         auto w = parse_wave(s);
         if (w) l.voice.wave = *w;
         return w.has_value();
       }},
      {"frequency",
       [](VoiceLayer& l, const std::string& s) {
         auto f = parse_frequency(s);
         if (f) l.voice.frequency = *f;
         return f.has_value();
       }},
      {"min_frequency",
       [](VoiceLayer& l, const std::string& s) {
         auto f = parse_frequency(s);
         if (f) l.voice.min_frequency = *f;
         return f.has_value();
       }},
      {"max_frequency",
       [](VoiceLayer& l, const std::string& s) {
         auto f = parse_frequency(s);
         if (f) l.voice.max_frequency = *f;
         return f.has_value();
       }},
      {"seed",
       [](VoiceLayer& l, const std::string& s) {
         auto n = parse_number(s);
         if (n) l.voice.seed = static_cast<uint32_t>(*n);
         return n.has_value();
       }},
      {"notes",
       [](VoiceLayer& l, const std::string& s) {
         bool ok = true;
         l.notes = parse_notes(s, ok);
         return ok;
       }},
      {"note_time",
       [](VoiceLayer& l, const std::string& s) {
         auto n = parse_number(s);
         if (n) l.note_time = *n;
         return n.has_value();
       }},
      {"start",
       [](VoiceLayer& l, const std::string& s) {
         auto n = parse_number(s);
         if (n) l.start = *n;
         return n.has_value();
       }},
      {"slide", number_into(&Voice::slide)},
      {"slide_accel", number_into(&Voice::slide_accel)},
      {"duty", number_into(&Voice::duty)},
      {"duty_sweep", number_into(&Voice::duty_sweep)},
      {"vibrato_depth", number_into(&Voice::vibrato_depth)},
      {"vibrato_rate", number_into(&Voice::vibrato_rate)},
      {"tremolo_depth", number_into(&Voice::tremolo_depth)},
      {"tremolo_rate", number_into(&Voice::tremolo_rate)},
      {"arp_semitones", number_into(&Voice::arp_semitones)},
      {"arp_time", number_into(&Voice::arp_time)},
      {"repeat", number_into(&Voice::repeat)},
      {"attack", number_into(&Voice::attack)},
      {"sustain", number_into(&Voice::sustain)},
      {"punch", number_into(&Voice::punch)},
      {"decay", number_into(&Voice::decay)},
      {"decay_shape", number_into(&Voice::decay_shape)},
      {"lowpass", number_into(&Voice::lowpass)},
      {"lowpass_sweep", number_into(&Voice::lowpass_sweep)},
      {"resonance", number_into(&Voice::resonance)},
      {"highpass", number_into(&Voice::highpass)},
      {"highpass_sweep", number_into(&Voice::highpass_sweep)},
      {"phaser_delay", number_into(&Voice::phaser_delay)},
      {"phaser_sweep", number_into(&Voice::phaser_sweep)},
      {"gain", number_into(&Voice::gain_db)},
  };
  return keys;
}

std::string where(const ConfigFile& file, const ConfigEntry& e) {
  return file.path + ":" + std::to_string(e.line) + ": ";
}

void apply_voice_entry(const ConfigFile& file, const ConfigEntry& e, VoiceLayer& layer,
                       std::vector<std::string>& errors) {
  auto it = voice_keys().find(e.key);
  if (it == voice_keys().end()) {
    errors.push_back(where(file, e) + "unknown key '" + e.key + "'");
    return;
  }
  if (!it->second(layer, e.value)) errors.push_back(where(file, e) + "bad value '" + e.value + "'");
}

// Keys that belong to the whole sound rather than to a voice.
bool apply_sound_entry(const ConfigFile& file, const ConfigEntry& e, SoundRecipe& recipe,
                       std::vector<std::string>& errors) {
  double* target = nullptr;
  if (e.key == "peak") target = &recipe.peak_db;
  if (e.key == "loop") target = &recipe.loop;
  if (!target) return false;
  auto n = parse_number(e.value);
  if (n)
    *target = *n;
  else
    errors.push_back(where(file, e) + "bad value '" + e.value + "'");
  return true;
}

}  // namespace

SoundRecipe parse_recipe(const ConfigFile& file, const std::string& name, std::vector<std::string>& errors) {
  SoundRecipe recipe;
  recipe.name = name;
  errors.insert(errors.end(), file.errors.begin(), file.errors.end());
  // Every voice gets its own default seed from the sound's name, so two
  // noisy sounds never share their noise.
  uint32_t name_seed = 2166136261u;
  for (char c : name) name_seed = (name_seed ^ static_cast<uint8_t>(c)) * 16777619u;

  VoiceLayer defaults;
  defaults.voice.seed = name_seed;
  for (const ConfigEntry& e : file.sections[0].entries)
    if (!apply_sound_entry(file, e, recipe, errors)) apply_voice_entry(file, e, defaults, errors);

  for (size_t s = 1; s < file.sections.size(); ++s) {
    const ConfigSection& section = file.sections[s];
    if (section.name != "voice") {
      errors.push_back(file.path + ":" + std::to_string(section.line) + ": unknown section [" + section.name + "]");
      continue;
    }
    VoiceLayer layer = defaults;
    layer.voice.seed = name_seed + static_cast<uint32_t>(s) * 7919u;
    for (const ConfigEntry& e : section.entries) apply_voice_entry(file, e, layer, errors);
    recipe.layers.push_back(layer);
  }
  if (recipe.layers.empty()) recipe.layers.push_back(defaults);
  return recipe;
}

SoundRecipe load_recipe(const std::string& path, const std::string& name, std::vector<std::string>& errors) {
  return parse_recipe(load_config(path), name, errors);
}

}  // namespace assetforge::audio
