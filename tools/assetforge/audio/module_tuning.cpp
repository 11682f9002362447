#include "module_tuning.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "notes.h"

namespace assetforge::audio {
namespace {

// The Amiga's PAL clock divided by two: a period P plays kAmigaClock / P
// samples per second.
constexpr double kAmigaClock = 3546895.0;
// Period of the sample's own rate in our MOD tuning (the table's third octave C).
constexpr int kBasePeriod = 214;
constexpr int kBasePeriodIndex = 24;

// Periods of the three octaves every MOD player knows (finetune 0).
constexpr std::array<int, 36> kPeriods = {856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453,
                                          428, 404, 381, 360, 339, 320, 302, 285, 269, 254, 240, 226,
                                          214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113};

// XM plays note C-4 (49) of a sample with no relative note at 8363 Hz.
constexpr double kXmC4Rate = 8363.0;
// Players resolve an XM finetune only to 1/16 of a semitone, so XM samples
// are rendered at a rate a whole number of sixteenths above 8363 Hz (about
// 22.1 kHz): every note then lands exactly in tune.
const double kXmSampleRate = kXmC4Rate * std::pow(2.0, 269.0 / 192.0);

void used_notes(const Module& module, int instrument, int& low, int& high, std::vector<int>& all) {
  low = 1000;
  high = -1000;
  for (const Pattern& p : module.patterns)
    for (const auto& row : p.cells)
      for (const Cell& c : row)
        if (c.instrument == instrument && c.note >= 0) {
          low = std::min(low, c.note);
          high = std::max(high, c.note);
          all.push_back(c.note);
        }
}

}  // namespace

double format_sample_rate(ModuleFormat format) {
  return format == ModuleFormat::mod ? kAmigaClock / kBasePeriod : kXmSampleRate;
}

void choose_base_notes(Module& module, ModuleFormat format, std::vector<std::string>& errors) {
  for (size_t i = 0; i < module.instruments.size(); ++i) {
    ModuleInstrument& instrument = module.instruments[i];
    instrument.sample_rate = format_sample_rate(format);
    if (instrument.drum) {
      instrument.base_note = 60;
      continue;
    }
    int low = 0, high = 0;
    std::vector<int> all;
    used_notes(module, static_cast<int>(i + 1), low, high, all);
    if (all.empty()) continue;
    // The median note sounds most like the recipe: playing a sample far from
    // its base also speeds up or slows down its envelope.
    std::nth_element(all.begin(), all.begin() + static_cast<long>(all.size() / 2), all.end());
    int base = all[all.size() / 2];
    if (format == ModuleFormat::mod) {
      int lowest_base = high - (35 - kBasePeriodIndex);
      int highest_base = low + kBasePeriodIndex;
      if (lowest_base > highest_base)
        errors.push_back(module.title + ": instrument '" + instrument.name + "' spans " + note_name(low) + ".." +
                         note_name(high) + ", more than the three octaves a MOD can play");
      base = std::clamp(base, lowest_base, std::max(lowest_base, highest_base));
    }
    instrument.base_note = base;
  }
}

XmTuning xm_tuning(const ModuleInstrument& instrument) {
  // Note 49 (MIDI 60) must play at sample_rate * 2^((60 - base) / 12).
  double semitones = 12.0 * std::log2(instrument.sample_rate / kXmC4Rate) + (60 - instrument.base_note);
  XmTuning tuning;
  tuning.relative_note = static_cast<int>(std::lround(semitones));
  tuning.finetune = std::clamp(static_cast<int>(std::lround((semitones - tuning.relative_note) * 128.0)), -128, 127);
  return tuning;
}

int xm_note(int midi_note) { return midi_note - 11; }

std::optional<int> mod_period(const ModuleInstrument& instrument, int midi_note) {
  int index = kBasePeriodIndex + midi_note - instrument.base_note;
  if (index < 0 || index >= static_cast<int>(kPeriods.size())) return std::nullopt;
  return kPeriods[static_cast<size_t>(index)];
}

}  // namespace assetforge::audio
