#include "sound_render.h"

#include <algorithm>
#include <cmath>

#include "notes.h"

namespace assetforge::audio {
namespace {

constexpr double kPi = 3.14159265358979323846;

void mix_into(std::vector<float>& mix, const std::vector<float>& part, size_t offset) {
  if (mix.size() < offset + part.size()) mix.resize(offset + part.size(), 0.0f);
  for (size_t i = 0; i < part.size(); ++i) mix[offset + i] += part[i];
}

void mix_layer(std::vector<float>& mix, const VoiceLayer& layer, double rate) {
  if (layer.notes.empty()) {
    mix_into(mix, render_voice(layer.voice, rate), static_cast<size_t>(layer.start * rate));
    return;
  }
  for (size_t i = 0; i < layer.notes.size(); ++i) {
    if (!layer.notes[i]) continue;
    Voice v = layer.voice;
    v.frequency = note_frequency(*layer.notes[i]);
    v.seed += static_cast<uint32_t>(i) * 104729u;
    double at = layer.start + static_cast<double>(i) * layer.note_time;
    mix_into(mix, render_voice(v, rate), static_cast<size_t>(std::lround(at * rate)));
  }
}

// Average of the vibrato's pitch multiplier over one wobble: a wobbling note
// runs through this many more cycles than a plain one.
double mean_vibrato_factor(double depth) {
  const int steps = 4096;
  double sum = 0.0;
  for (int i = 0; i < steps; ++i) sum += std::pow(2.0, depth * std::sin(2.0 * kPi * i / steps) / 12.0);
  return sum / steps;
}

// Loops repeat without a seam only if every periodic part of the voice runs
// through a whole number of cycles in the loop.
Voice make_periodic(Voice v, double seconds) {
  auto whole = [seconds](double hz) { return std::max(1.0, std::round(hz * seconds)) / seconds; };
  if (v.vibrato_rate > 0.0) v.vibrato_rate = whole(v.vibrato_rate);
  if (v.tremolo_rate > 0.0) v.tremolo_rate = whole(v.tremolo_rate);
  double stretch = v.vibrato_rate > 0.0 ? mean_vibrato_factor(v.vibrato_depth) : 1.0;
  v.frequency = whole(v.frequency * stretch) / stretch;
  return v;
}

bool loop_safe(const Voice& v) {
  return v.wave != Wave::noise && v.slide == 0.0 && v.slide_accel == 0.0 && v.duty_sweep == 0.0 && v.arp_time == 0.0 &&
         v.repeat == 0.0 && v.lowpass_sweep == 0.0 && v.highpass_sweep == 0.0 && v.phaser_sweep == 0.0;
}

// Starts the loop where it rises through zero most gently, so the first and
// last samples are both near silence and the loop point cannot click.
void rotate_to_zero_crossing(std::vector<float>& loop) {
  size_t best = 0;
  double best_score = 1e9;
  for (size_t i = 0; i < loop.size(); ++i) {
    float before = loop[(i + loop.size() - 1) % loop.size()];
    float at = loop[i];
    if (!(before < 0.0f && at >= 0.0f)) continue;
    double score = std::fabs(at) + std::fabs(before);
    if (score < best_score) {
      best_score = score;
      best = i;
    }
  }
  std::rotate(loop.begin(), loop.begin() + static_cast<long>(best), loop.end());
}

// Pulse waves that are not half high, half low carry a constant offset: it
// wastes headroom and thumps where a note starts or stops. A loop is
// periodic, so taking its mean away is exact; a one-shot goes through a
// gentle 20 Hz high-pass instead.
void remove_offset(std::vector<float>& samples, double rate, bool loop) {
  if (samples.empty()) return;
  if (loop) {
    double mean = 0.0;
    for (float s : samples) mean += s;
    mean /= static_cast<double>(samples.size());
    for (float& s : samples) s = static_cast<float>(s - mean);
    return;
  }
  const double r = std::exp(-2.0 * kPi * 20.0 / rate);
  double previous_in = 0.0, previous_out = 0.0;
  for (float& s : samples) {
    double out = s - previous_in + r * previous_out;
    previous_in = s;
    previous_out = out;
    s = static_cast<float>(out);
  }
}

// A one-shot starts and ends exactly at silence: a few milliseconds of
// raised-cosine ramp at each end, so neither the first nor the last sample
// clicks, whatever the voice does there. A short block of silence goes first,
// because Vorbis coding smears an attack a few milliseconds ahead of itself.
void fade_ends(std::vector<float>& samples, double rate) {
  samples.insert(samples.begin(), static_cast<size_t>(std::lround(0.006 * rate)), 0.0f);
  const size_t ramp = std::min(samples.size() / 2, static_cast<size_t>(std::lround(0.002 * rate)));
  for (size_t i = 0; i < ramp; ++i) {
    const auto gain =
        static_cast<float>(0.5 - 0.5 * std::cos(kPi * static_cast<double>(i) / static_cast<double>(ramp)));
    samples[i] *= gain;
    samples[samples.size() - 1 - i] *= gain;
  }
}

std::vector<float> render_loop(const SoundRecipe& recipe, double rate, std::vector<std::string>& errors) {
  auto length = static_cast<size_t>(std::lround(recipe.loop * rate));
  double seconds = static_cast<double>(length) / rate;
  std::vector<float> mix(length, 0.0f);
  for (const VoiceLayer& layer : recipe.layers) {
    if (!loop_safe(layer.voice) || !layer.notes.empty()) {
      errors.push_back(recipe.name +
                       ": a looping sound can use only steady voices (no noise, slides, sweeps, arpeggios or notes)");
      continue;
    }
    // Render two loop lengths and keep the second: by then the filters have
    // settled, so the end leads straight back into the start.
    std::vector<float> part = render_steady(make_periodic(layer.voice, seconds), rate, 2 * length);
    for (size_t i = 0; i < length; ++i) mix[i] += part[length + i];
  }
  remove_offset(mix, rate, true);
  rotate_to_zero_crossing(mix);
  return mix;
}

void scale_to_peak(std::vector<float>& samples, double peak_db) {
  float peak = 0.0f;
  for (float s : samples) peak = std::max(peak, std::fabs(s));
  if (peak <= 0.0f) return;
  auto gain = static_cast<float>(std::pow(10.0, peak_db / 20.0) / peak);
  for (float& s : samples) s *= gain;
}

}  // namespace

std::vector<float> render_sound(const SoundRecipe& recipe, double sample_rate, std::vector<std::string>& errors) {
  std::vector<float> mix;
  if (recipe.loop > 0.0) {
    mix = render_loop(recipe, sample_rate, errors);
  } else {
    for (const VoiceLayer& layer : recipe.layers) mix_layer(mix, layer, sample_rate);
    remove_offset(mix, sample_rate, false);
    fade_ends(mix, sample_rate);
  }
  scale_to_peak(mix, recipe.peak_db);
  return mix;
}

Levels measure_levels(const std::vector<float>& samples, double sample_rate, int channels) {
  Levels levels;
  if (samples.empty()) return levels;
  double peak = 0.0, sum = 0.0;
  for (float s : samples) {
    peak = std::max(peak, static_cast<double>(std::fabs(s)));
    sum += static_cast<double>(s) * s;
  }
  double rms = std::sqrt(sum / static_cast<double>(samples.size()));
  levels.peak_db = peak > 0.0 ? 20.0 * std::log10(peak) : -200.0;
  levels.rms_db = rms > 0.0 ? 20.0 * std::log10(rms) : -200.0;
  levels.seconds = static_cast<double>(samples.size()) / channels / sample_rate;
  size_t crossings = 0;
  for (size_t i = static_cast<size_t>(channels); i < samples.size(); i += static_cast<size_t>(channels))
    if ((samples[i - static_cast<size_t>(channels)] < 0.0f) != (samples[i] < 0.0f)) ++crossings;
  levels.brightness = static_cast<double>(crossings) / 2.0 / levels.seconds;
  return levels;
}

}  // namespace assetforge::audio
