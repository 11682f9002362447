#include "xm_writer.h"

#include <algorithm>
#include <cmath>

#include "byte_writer.h"
#include "module_tuning.h"

namespace assetforge::audio {
namespace {

constexpr int kNoteOff = 97;
constexpr int kHeaderSize = 276;      // counted from the header-size field itself
constexpr int kInstrumentSize = 263;  // instrument header with its sample map and envelopes
constexpr int kSampleHeaderSize = 40;

// XM wants an even channel count.
int xm_channels(const Module& module) { return module.channels + (module.channels % 2); }

void write_header(ByteWriter& out, const Module& module) {
  out.text("Extended Module: ", 17);
  out.text(module.title, 20);
  out.u8(0x1A);
  out.text("Skitterworm forge", 20);
  out.u16le(0x0104);
  out.u32le(kHeaderSize);
  out.u16le(static_cast<int>(module.order.size()));
  out.u16le(module.restart);
  out.u16le(xm_channels(module));
  out.u16le(static_cast<int>(module.patterns.size()));
  out.u16le(static_cast<int>(module.instruments.size()));
  out.u16le(1);  // linear frequency table
  out.u16le(module.speed);
  out.u16le(module.tempo);
  for (size_t i = 0; i < 256; ++i) out.u8(i < module.order.size() ? module.order[i] : 0);
}

// One cell in XM's packed form: a flag byte says which fields follow, and
// an empty cell is the single byte 0x80.
void write_cell(ByteWriter& out, const Cell& cell) {
  int note = cell.note == Cell::kNoteOff ? kNoteOff : cell.note >= 0 ? xm_note(cell.note) : 0;
  int volume = cell.volume >= 0 ? 0x10 + cell.volume : 0;
  int effect = std::max(cell.effect, 0);
  int param = cell.effect >= 0 ? cell.param : 0;
  int flags =
      0x80 | (note ? 1 : 0) | (cell.instrument ? 2 : 0) | (volume ? 4 : 0) | (effect ? 8 : 0) | (param ? 16 : 0);
  out.u8(flags);
  if (note) out.u8(note);
  if (cell.instrument) out.u8(cell.instrument);
  if (volume) out.u8(volume);
  if (effect) out.u8(effect);
  if (param) out.u8(param);
}

void write_pattern(ByteWriter& out, const Module& module, const Pattern& pattern) {
  ByteWriter data;
  for (const auto& row : pattern.cells) {
    for (const Cell& cell : row) write_cell(data, cell);
    if (xm_channels(module) > module.channels) data.u8(0x80);
  }
  out.u32le(9);  // pattern header length
  out.u8(0);     // packing type
  out.u16le(pattern.rows);
  out.u16le(static_cast<int>(data.size()));
  out.append(data.bytes());
}

std::vector<int16_t> to_pcm16(const std::vector<float>& sample) {
  std::vector<int16_t> pcm(sample.size());
  for (size_t i = 0; i < sample.size(); ++i)
    pcm[i] = static_cast<int16_t>(std::lround(std::clamp(sample[i], -1.0f, 1.0f) * 32767.0f));
  return pcm;
}

void write_instrument(ByteWriter& out, const ModuleInstrument& instrument) {
  out.u32le(kInstrumentSize);
  out.text(instrument.name, 22);
  out.u8(0);     // type
  out.u16le(1);  // one sample
  out.u32le(kSampleHeaderSize);
  out.zeros(96);       // every note uses sample 0
  out.zeros(48 + 48);  // volume and panning envelope points (unused)
  out.zeros(14);       // envelope counts, sustain and loop points, types, auto-vibrato
  out.u16le(0);        // fadeout
  out.zeros(22);       // reserved

  std::vector<int16_t> pcm = to_pcm16(instrument.sample);
  XmTuning tuning = xm_tuning(instrument);
  out.u32le(static_cast<uint32_t>(pcm.size() * 2));  // length in bytes
  out.u32le(0);                                      // loop start
  out.u32le(0);                                      // loop length
  out.u8(instrument.volume);
  out.u8(tuning.finetune);
  out.u8(0x10);  // 16-bit, no loop
  out.u8(128);   // centre panning
  out.u8(tuning.relative_note);
  out.u8(0);
  out.text(instrument.name, 22);
  // Sample data is stored as differences from the previous sample.
  int16_t previous = 0;
  for (int16_t s : pcm) {
    out.u16le(static_cast<uint16_t>(s - previous));
    previous = s;
  }
}

bool check(const Module& module, std::vector<std::string>& errors) {
  size_t before = errors.size();
  if (module.channels < 1 || module.channels > 32) errors.push_back(module.title + ": XM has 1..32 channels");
  if (module.order.empty() || module.order.size() > 256)
    errors.push_back(module.title + ": XM order needs 1..256 entries");
  if (module.patterns.size() > 256) errors.push_back(module.title + ": XM has at most 256 patterns");
  if (module.instruments.size() > 128) errors.push_back(module.title + ": XM has at most 128 instruments");
  for (const Pattern& p : module.patterns)
    for (const auto& row : p.cells)
      for (const Cell& c : row)
        if (c.note >= 0 && (xm_note(c.note) < 1 || xm_note(c.note) > 96))
          errors.push_back(module.title + ": note out of XM range in pattern " + p.name);
  return errors.size() == before;
}

}  // namespace

std::vector<uint8_t> write_xm(const Module& module, std::vector<std::string>& errors) {
  if (!check(module, errors)) return {};
  ByteWriter out;
  write_header(out, module);
  for (const Pattern& p : module.patterns) write_pattern(out, module, p);
  for (const ModuleInstrument& i : module.instruments) write_instrument(out, i);
  return out.bytes();
}

}  // namespace assetforge::audio
