#include "mod_writer.h"

#include <algorithm>
#include <cmath>

#include "byte_writer.h"
#include "module_tuning.h"

namespace assetforge::audio {
namespace {

constexpr int kRows = 64;
constexpr int kChannels = 4;
constexpr int kSampleSlots = 31;
constexpr size_t kMaxSampleBytes = 65535 * 2;
constexpr int kEffectVolume = 0xC, kEffectJump = 0xB, kEffectBreak = 0xD, kEffectSpeed = 0xF;

// Puts an effect into the first channel of the row that has none free.
bool place_effect(std::vector<Cell>& row, int effect, int param) {
  for (Cell& c : row) {
    if (c.effect < 0 && c.volume < 0 && c.note != Cell::kNoteOff) {
      c.effect = effect;
      c.param = param;
      return true;
    }
  }
  return false;
}

// MOD has no volume column and no note-off: both become "set volume" effects.
bool fold_volumes(Pattern& pattern) {
  for (auto& row : pattern.cells) {
    for (Cell& c : row) {
      int volume = c.note == Cell::kNoteOff ? 0 : c.volume;
      if (volume < 0) continue;
      if (c.effect >= 0) return false;
      if (c.note == Cell::kNoteOff) c.note = Cell::kNoNote;
      c.effect = kEffectVolume;
      c.param = volume;
      c.volume = -1;
    }
  }
  return true;
}

// Brings the module into MOD's fixed shape: every pattern 64 rows (shorter
// ones end with a pattern break), speed and tempo as effects on the first
// row, and a jump back to the restart position at the very end.
bool conform(Module& m, std::vector<std::string>& errors) {
  auto fail = [&](const std::string& why) {
    errors.push_back(m.title + ": " + why);
    return false;
  };
  if (m.channels != kChannels) return fail("a MOD has exactly 4 channels");
  if (m.order.empty() || m.order.size() > 128) return fail("a MOD order needs 1..128 entries");
  if (m.instruments.size() > kSampleSlots) return fail("a MOD has at most 31 samples");
  if (m.restart > 0) {
    // The jump must not fire where the last pattern also plays earlier: give
    // the end its own copy.
    int last = m.order.back();
    if (std::count(m.order.begin(), m.order.end(), last) > 1) {
      m.patterns.push_back(m.patterns[static_cast<size_t>(last)]);
      m.order.back() = static_cast<int>(m.patterns.size() - 1);
    }
    Pattern& p = m.patterns[static_cast<size_t>(m.order.back())];
    if (!place_effect(p.cells.back(), kEffectJump, m.restart)) return fail("no room for the loop jump");
  }
  for (Pattern& p : m.patterns) {
    if (p.rows > kRows) return fail("pattern " + p.name + " is longer than 64 rows");
    if (!fold_volumes(p)) return fail("pattern " + p.name + " has a volume and an effect in one cell");
    bool jumps = std::any_of(p.cells.back().begin(), p.cells.back().end(),
                             [](const Cell& c) { return c.effect == kEffectJump; });
    if (p.rows < kRows && !jumps && !place_effect(p.cells.back(), kEffectBreak, 0))
      return fail("no room for the pattern break in " + p.name);
    p.cells.resize(kRows, std::vector<Cell>(kChannels));
    p.rows = kRows;
  }
  Pattern& first = m.patterns[static_cast<size_t>(m.order.front())];
  if (!place_effect(first.cells[0], kEffectSpeed, m.speed) || !place_effect(first.cells[0], kEffectSpeed, m.tempo))
    return fail("no room for speed and tempo on the first row");
  return true;
}

std::vector<int8_t> to_pcm8(const std::vector<float>& sample) {
  std::vector<int8_t> pcm(sample.size() + (sample.size() % 2));
  for (size_t i = 0; i < sample.size(); ++i)
    pcm[i] = static_cast<int8_t>(std::lround(std::clamp(sample[i], -1.0f, 1.0f) * 127.0f));
  // Players repeat the first word of a non-looping sample: keep it silent.
  if (pcm.size() >= 2) pcm[0] = pcm[1] = 0;
  return pcm;
}

void write_sample_header(ByteWriter& out, const ModuleInstrument* instrument, size_t bytes) {
  out.text(instrument ? instrument->name : "", 22);
  out.u16be(static_cast<int>(bytes / 2));
  out.u8(0);  // finetune: our samples are rendered in tune
  out.u8(instrument ? instrument->volume : 0);
  out.u16be(0);  // loop start
  out.u16be(1);  // loop length 1 word: no loop
}

bool write_cell(ByteWriter& out, const Module& m, const Cell& cell) {
  int period = 0;
  if (cell.note >= 0) {
    int instrument = cell.instrument;
    if (instrument < 1) return false;
    auto p = mod_period(m.instruments[static_cast<size_t>(instrument - 1)], cell.note);
    if (!p) return false;
    period = *p;
  }
  int effect = std::max(cell.effect, 0);
  int param = cell.effect >= 0 ? cell.param : 0;
  out.u8((cell.instrument & 0xF0) | (period >> 8));
  out.u8(period & 0xFF);
  out.u8(((cell.instrument & 0x0F) << 4) | effect);
  out.u8(param);
  return true;
}

}  // namespace

std::vector<uint8_t> write_mod(const Module& source, std::vector<std::string>& errors) {
  Module m = source;
  if (!conform(m, errors)) return {};
  ByteWriter out;
  out.text(m.title, 20);
  std::vector<std::vector<int8_t>> samples;
  for (int s = 0; s < kSampleSlots; ++s) {
    const ModuleInstrument* instrument =
        s < static_cast<int>(m.instruments.size()) ? &m.instruments[static_cast<size_t>(s)] : nullptr;
    samples.push_back(instrument ? to_pcm8(instrument->sample) : std::vector<int8_t>{});
    if (samples.back().size() > kMaxSampleBytes) {
      errors.push_back(m.title + ": sample " + instrument->name + " is too long for a MOD");
      return {};
    }
    write_sample_header(out, instrument, samples.back().size());
  }
  out.u8(static_cast<int>(m.order.size()));
  out.u8(127);  // the customary restart byte; the loop is a jump effect instead
  for (size_t i = 0; i < 128; ++i) out.u8(i < m.order.size() ? m.order[i] : 0);
  out.text("M.K.", 4);
  // A MOD holds as many patterns as the highest one its order names.
  int count = *std::max_element(m.order.begin(), m.order.end()) + 1;
  for (int p = 0; p < count; ++p)
    for (const auto& row : m.patterns[static_cast<size_t>(p)].cells)
      for (const Cell& cell : row)
        if (!write_cell(out, m, cell)) {
          errors.push_back(m.title + ": a note in pattern " + m.patterns[static_cast<size_t>(p)].name +
                           " is outside its instrument's MOD range or has no instrument");
          return {};
        }
  for (const auto& pcm : samples)
    for (int8_t b : pcm) out.u8(b);
  return out.bytes();
}

}  // namespace assetforge::audio
