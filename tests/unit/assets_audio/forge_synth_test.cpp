// The effect synthesizer: repeatable output, the pitch it is asked for,
// slides, filters, seamless loops and the final level.
#include <gtest/gtest.h>

#include <cmath>

#include "recipe.h"
#include "sound_render.h"
#include "synth.h"

namespace assetforge::audio {
namespace {

constexpr double kRate = 44100.0;

// Rising zero crossings per second over a stretch of samples.
double pitch_of(const std::vector<float>& s, size_t from, size_t to) {
  size_t first = 0, last = 0, count = 0;
  for (size_t i = from + 1; i < to; ++i) {
    if (s[i - 1] < 0.0f && s[i] >= 0.0f) {
      if (count == 0) first = i;
      last = i;
      ++count;
    }
  }
  return count < 2 ? 0.0 : (count - 1) * kRate / static_cast<double>(last - first);
}

double roughness(const std::vector<float>& s) {
  double sum = 0.0;
  for (size_t i = 1; i < s.size(); ++i) sum += std::fabs(double(s[i]) - s[i - 1]);
  return sum / static_cast<double>(s.size());
}

SoundRecipe recipe_from(const std::string& text, std::vector<std::string>& errors) {
  return parse_recipe(parse_config(text, "test.sfx"), "test", errors);
}

TEST(ForgeSynth, SameVoiceRendersTheSameSamplesAndSeedsChangeTheNoise) {
  Voice v;
  v.wave = Wave::noise;
  v.frequency = 2000;
  v.seed = 7;
  EXPECT_EQ(render_voice(v, kRate), render_voice(v, kRate));
  Voice other = v;
  other.seed = 8;
  EXPECT_NE(render_voice(v, kRate), render_voice(other, kRate));
}

TEST(ForgeSynth, EveryWavePlaysTheRequestedPitch) {
  for (Wave wave : {Wave::square, Wave::saw, Wave::sine, Wave::triangle}) {
    Voice v;
    v.wave = wave;
    v.frequency = 440.0;
    v.sustain = 0.5;
    v.decay = 0.0;
    std::vector<float> s = render_voice(v, kRate);
    // A saw falls through zero each cycle; flip it so every wave rises there.
    if (wave == Wave::saw)
      for (float& x : s) x = -x;
    EXPECT_NEAR(pitch_of(s, 0, s.size()), 440.0, 2.0) << static_cast<int>(wave);
  }
}

TEST(ForgeSynth, SlideAndArpeggioMoveThePitchBySemitones) {
  Voice v;
  v.wave = Wave::sine;
  v.frequency = 220.0;
  v.slide = 12.0;  // one octave per second
  v.sustain = 1.0;
  v.decay = 0.0;
  std::vector<float> s = render_voice(v, kRate);
  double start = pitch_of(s, 0, 4410);
  double end = pitch_of(s, s.size() - 4410, s.size());
  EXPECT_NEAR(end / start, std::pow(2.0, 0.9), 0.05);

  Voice jump;
  jump.wave = Wave::sine;
  jump.frequency = 220.0;
  jump.arp_semitones = 12.0;
  jump.arp_time = 0.2;
  jump.sustain = 0.5;
  jump.decay = 0.0;
  std::vector<float> j = render_voice(jump, kRate);
  EXPECT_NEAR(pitch_of(j, 0, 8000), 220.0, 3.0);
  EXPECT_NEAR(pitch_of(j, 10000, j.size()), 440.0, 5.0);
}

TEST(ForgeSynth, EnvelopeSetsTheLengthAndFadesToSilence) {
  Voice v;
  v.attack = 0.05;
  v.sustain = 0.1;
  v.decay = 0.25;
  std::vector<float> s = render_voice(v, kRate);
  EXPECT_EQ(s.size(), static_cast<size_t>(std::ceil(0.4 * kRate)));
  EXPECT_LT(std::fabs(s.front()), 0.05);
  EXPECT_LT(std::fabs(s.back()), 0.01);
}

TEST(ForgeSynth, LowPassSmoothsAndHighPassRoughensNoise) {
  Voice v;
  v.wave = Wave::noise;
  v.frequency = 3000;
  double plain = roughness(render_voice(v, kRate));
  Voice low = v;
  low.lowpass = 500;
  Voice high = v;
  high.highpass = 8000;
  EXPECT_LT(roughness(render_voice(low, kRate)), plain * 0.3);
  // The high-pass takes away level but keeps the sample-to-sample steps.
  std::vector<float> h = render_voice(high, kRate);
  EXPECT_LT(measure_levels(h, kRate).rms_db, measure_levels(render_voice(v, kRate), kRate).rms_db - 1.0);
  EXPECT_GT(roughness(h), plain * 0.5);
}

TEST(ForgeSynth, LoopedSoundsWrapWithoutAJumpEvenWithVibrato) {
  std::vector<std::string> errors;
  SoundRecipe r =
      recipe_from("loop = 0.5\nwave = sine\nfrequency = 333\nvibrato_depth = 3\nvibrato_rate = 7.3\n", errors);
  std::vector<float> s = render_sound(r, kRate, errors);
  ASSERT_TRUE(errors.empty());
  ASSERT_EQ(s.size(), 22050u);
  double largest = 0.0;
  for (size_t i = 1; i < s.size(); ++i) largest = std::max(largest, std::fabs(double(s[i]) - s[i - 1]));
  EXPECT_LT(std::fabs(s.front()), 0.02);
  EXPECT_LE(std::fabs(double(s.front()) - s.back()), largest);
}

TEST(ForgeSynth, LoopsRefuseVoicesThatCannotRepeat) {
  std::vector<std::string> errors;
  SoundRecipe r = recipe_from("loop = 1\nwave = noise\n", errors);
  render_sound(r, kRate, errors);
  EXPECT_EQ(errors.size(), 1u);
}

TEST(ForgeSynth, FinishedSoundPeaksAtTheRecipeLevel) {
  std::vector<std::string> errors;
  SoundRecipe r = recipe_from("peak = -6\n[voice]\nwave = saw\n[voice]\nwave = square\nfrequency = 300\n", errors);
  std::vector<float> s = render_sound(r, kRate, errors);
  Levels levels = measure_levels(s, kRate);
  EXPECT_NEAR(levels.peak_db, -6.0, 0.01);
  EXPECT_NEAR(levels.seconds, 0.3 + 0.006, 0.001);  // behind 6 ms of lead-in silence
  EXPECT_EQ(s.front(), 0.0f);
  EXPECT_EQ(s.back(), 0.0f);
}

TEST(ForgeRecipe, ReadsNotesLayersAndReportsMistakes) {
  std::vector<std::string> errors;
  SoundRecipe r = recipe_from(
      "wave = triangle   # shared by both voices\nsustain = 0.2\n"
      "[voice]\nfrequency = A4\n"
      "[voice]\nnotes = C5 . E5\nnote_time = 0.1\nstart = 0.5\n",
      errors);
  EXPECT_TRUE(errors.empty());
  ASSERT_EQ(r.layers.size(), 2u);
  EXPECT_EQ(r.layers[0].voice.wave, Wave::triangle);
  EXPECT_NEAR(r.layers[0].voice.frequency, 440.0, 1e-9);
  ASSERT_EQ(r.layers[1].notes.size(), 3u);
  EXPECT_EQ(r.layers[1].notes[0], 72);
  EXPECT_FALSE(r.layers[1].notes[1].has_value());
  EXPECT_DOUBLE_EQ(r.layers[1].start, 0.5);
  EXPECT_NE(r.layers[0].voice.seed, r.layers[1].voice.seed);

  recipe_from("wave = sqare\nsustian = 1\n[sound]\n", errors);
  ASSERT_EQ(errors.size(), 3u);
  EXPECT_NE(errors[0].find("test.sfx:1"), std::string::npos);
  EXPECT_NE(errors[1].find("sustian"), std::string::npos);
}

}  // namespace
}  // namespace assetforge::audio
