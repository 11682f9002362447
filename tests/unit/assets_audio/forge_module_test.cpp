// The song reader and the XM and MOD writers: cells as written, mistakes
// reported by line, and files that libopenmpt plays in tune and in order.
#include <gtest/gtest.h>

#include <cmath>
#include <libopenmpt/libopenmpt.hpp>
#include <sstream>

#include "mod_writer.h"
#include "module_tuning.h"
#include "notes.h"
#include "song.h"
#include "xm_writer.h"

namespace assetforge::audio {
namespace {

Module song_from(const std::string& text, std::vector<std::string>& errors) {
  return parse_song(parse_config(text, "test.song"), errors);
}

const char* kSong = R"(title = test
speed = 6
tempo = 125
order = a b a
restart = 1
[instruments]
tone = sine volume=40
K = kick drum
[channels]
lead = tone
beat = K
[riffs]
up = C4 E4
[pattern a]
rows = 8
lead = @up+2 A4v32/A02 off | .
beat = K .
[pattern b]
rows = 4
lead = C#4:K
)";

TEST(ForgeSong, ReadsCellsRiffsDrumsAndFills) {
  std::vector<std::string> errors;
  Module m = song_from(kSong, errors);
  ASSERT_TRUE(errors.empty()) << errors[0];
  EXPECT_EQ(m.channels, 2);
  ASSERT_EQ(m.instruments.size(), 2u);
  EXPECT_EQ(m.instruments[0].volume, 40);
  EXPECT_TRUE(m.instruments[1].drum);
  EXPECT_EQ(m.order, (std::vector<int>{0, 1, 0}));
  const Pattern& a = m.patterns[0];
  ASSERT_EQ(a.rows, 8);
  EXPECT_EQ(a.cells[0][0].note, 62);  // C4 + 2 semitones
  EXPECT_EQ(a.cells[0][0].instrument, 1);
  EXPECT_EQ(a.cells[1][0].note, 66);
  EXPECT_EQ(a.cells[2][0].note, 69);
  EXPECT_EQ(a.cells[2][0].volume, 32);
  EXPECT_EQ(a.cells[2][0].effect, 0xA);
  EXPECT_EQ(a.cells[2][0].param, 0x02);
  EXPECT_EQ(a.cells[3][0].note, Cell::kNoteOff);
  EXPECT_TRUE(a.cells[4][0].empty());
  // Short lines repeat: the two-cell drum line fills all eight rows.
  EXPECT_EQ(a.cells[6][1].note, 60);
  EXPECT_EQ(a.cells[6][1].instrument, 2);
  EXPECT_TRUE(a.cells[7][1].empty());
  EXPECT_EQ(m.patterns[1].cells[0][0].instrument, 2);
  EXPECT_NEAR(m.seconds(), (8 + 4 + 8) * 6 * 2.5 / 125, 1e-9);
}

TEST(ForgeSong, ReportsMistakesWithTheirLine) {
  std::vector<std::string> errors;
  song_from(
      "order = a x\n[instruments]\nt = sine\n[channels]\nc = t\n[pattern a]\nrows = 2\nc = C4 D4 E4\nd = C4\n"
      "[pattern b]\nc = @nothing Q9\n",
      errors);
  ASSERT_EQ(errors.size(), 5u);
  EXPECT_NE(errors[0].find("test.song:8"), std::string::npos);  // three cells for two rows
  EXPECT_NE(errors[1].find("test.song:9"), std::string::npos);  // unknown channel
  EXPECT_NE(errors[2].find("@nothing"), std::string::npos);
  EXPECT_NE(errors[3].find("Q9"), std::string::npos);
  EXPECT_NE(errors[4].find("'x'"), std::string::npos);  // unknown pattern in the order
}

// A module of one sine instrument playing A4 then A2, for tuning checks.
Module tone_module(int channels) {
  Module m;
  m.title = "tone";
  m.channels = channels;
  ModuleInstrument sine;
  sine.name = "sine";
  m.instruments.push_back(sine);
  Pattern p;
  p.rows = 16;
  p.cells.assign(16, std::vector<Cell>(static_cast<size_t>(channels)));
  p.cells[0][0].note = 69;
  p.cells[0][0].instrument = 1;
  p.cells[8][0].note = 45;
  p.cells[8][0].instrument = 1;
  m.patterns.push_back(p);
  m.order = {0};
  return m;
}

void fill_sine(Module& m, ModuleFormat format) {
  std::vector<std::string> errors;
  choose_base_notes(m, format, errors);
  ASSERT_TRUE(errors.empty());
  ModuleInstrument& i = m.instruments[0];
  double f = note_frequency(i.base_note);
  i.sample.resize(static_cast<size_t>(i.sample_rate * 4));
  for (size_t n = 0; n < i.sample.size(); ++n)
    i.sample[n] = static_cast<float>(0.8 * std::sin(2 * M_PI * f * static_cast<double>(n) / i.sample_rate));
}

// Measures the pitch libopenmpt plays between two times (seconds).
double played_pitch(const std::vector<uint8_t>& bytes, double from, double to) {
  std::ostringstream log;
  openmpt::module module(bytes, log);
  std::vector<float> mono(static_cast<size_t>(to * 44100));
  module.read(44100, mono.size(), mono.data());
  size_t first = 0, last = 0, count = 0;
  for (size_t i = static_cast<size_t>(from * 44100) + 1; i < mono.size(); ++i)
    if (mono[i - 1] < 0.0f && mono[i] >= 0.0f) {
      if (count++ == 0) first = i;
      last = i;
    }
  return count < 2 ? 0.0 : (count - 1) * 44100.0 / static_cast<double>(last - first);
}

TEST(ForgeModules, XmHeaderAndTuningAreRight) {
  Module m = tone_module(3);
  fill_sine(m, ModuleFormat::xm);
  std::vector<std::string> errors;
  std::vector<uint8_t> xm = write_xm(m, errors);
  ASSERT_TRUE(errors.empty());
  ASSERT_GT(xm.size(), 336u);
  EXPECT_EQ(std::string(xm.begin(), xm.begin() + 17), "Extended Module: ");
  EXPECT_EQ(xm[58] | (xm[59] << 8), 0x0104);
  EXPECT_EQ(xm[68] | (xm[69] << 8), 4);  // odd channel counts round up to even
  // Row 8 starts at 0.96 s: A4 before, A2 after.
  EXPECT_NEAR(played_pitch(xm, 0.1, 0.9), 440.0, 0.5);
  EXPECT_NEAR(played_pitch(xm, 1.1, 1.9), 110.0, 0.3);
}

TEST(ForgeModules, ModLayoutAndTuningAreRight) {
  Module m = tone_module(4);
  fill_sine(m, ModuleFormat::mod);
  std::vector<std::string> errors;
  std::vector<uint8_t> mod = write_mod(m, errors);
  ASSERT_TRUE(errors.empty());
  ASSERT_GT(mod.size(), 1084u + 1024u);
  EXPECT_EQ(std::string(mod.begin() + 1080, mod.begin() + 1084), "M.K.");
  EXPECT_EQ(mod[950], 1);  // song length
  // First cell: sample 1 at the period of the sample's base note or nearby.
  int period = ((mod[1084] & 0x0F) << 8) | mod[1085];
  EXPECT_EQ(period, *mod_period(m.instruments[0], 69));
  EXPECT_EQ(mod[1086] >> 4, 1);
  EXPECT_NEAR(played_pitch(mod, 0.1, 0.9), 440.0, 0.5);
  EXPECT_NEAR(played_pitch(mod, 1.1, 1.9), 110.0, 0.5);
}

TEST(ForgeModules, ModRefusesWhatTheFormatCannotHold) {
  std::vector<std::string> errors;
  Module wide = tone_module(4);
  wide.patterns[0].cells[4][0].note = 69 + 36;  // four octaves over A2
  wide.patterns[0].cells[4][0].instrument = 1;
  choose_base_notes(wide, ModuleFormat::mod, errors);
  EXPECT_EQ(errors.size(), 1u);
  EXPECT_TRUE(write_mod(wide, errors).empty());

  errors.clear();
  EXPECT_TRUE(write_mod(tone_module(6), errors).empty());
  EXPECT_EQ(errors.size(), 1u);
}

TEST(ForgeModules, ModLoopJumpsBackToTheRestartPosition) {
  std::vector<std::string> errors;
  // MOD has no volume column: a cell cannot hold a volume and an effect.
  std::string text = kSong;
  text.replace(text.find("A4v32/A02"), 9, "A4v32");
  Module m = song_from(text, errors);
  m.channels = 4;
  for (Pattern& p : m.patterns)
    for (auto& row : p.cells) row.resize(4);
  for (ModuleInstrument& i : m.instruments) i.sample.assign(2000, 0.5f);
  choose_base_notes(m, ModuleFormat::mod, errors);
  std::vector<uint8_t> mod = write_mod(m, errors);
  ASSERT_TRUE(errors.empty()) << errors[0];
  std::ostringstream log;
  openmpt::module module(mod, log);
  // Pattern a plays first and last, so the jump sits in a copy of it.
  EXPECT_EQ(module.get_num_patterns(), 3);
  // Short patterns end early with a break: 8 + 4 + 8 rows of 0.12 s.
  EXPECT_NEAR(module.get_duration_seconds(), 2.4, 0.01);
  module.set_repeat_count(-1);
  std::vector<float> mono(static_cast<size_t>((module.get_duration_seconds() + 0.2) * 44100));
  module.read(44100, mono.size(), mono.data());
  EXPECT_EQ(module.get_current_order(), 1);
}

}  // namespace
}  // namespace assetforge::audio
