#include "wav_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>

namespace assetforge::audio {
namespace {

void put16(std::ofstream& out, uint16_t v) {
  char b[2] = {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
  out.write(b, 2);
}

void put32(std::ofstream& out, uint32_t v) {
  put16(out, static_cast<uint16_t>(v & 0xFFFF));
  put16(out, static_cast<uint16_t>(v >> 16));
}

}  // namespace

bool write_wav(const std::string& path, const std::vector<float>& samples, int sample_rate, int channels) {
  std::ofstream out(path, std::ios::binary);
  if (!out) return false;
  auto data_bytes = static_cast<uint32_t>(samples.size() * 2);
  out.write("RIFF", 4);
  put32(out, 36 + data_bytes);
  out.write("WAVEfmt ", 8);
  put32(out, 16);
  put16(out, 1);  // PCM
  put16(out, static_cast<uint16_t>(channels));
  put32(out, static_cast<uint32_t>(sample_rate));
  put32(out, static_cast<uint32_t>(sample_rate * channels * 2));
  put16(out, static_cast<uint16_t>(channels * 2));
  put16(out, 16);
  out.write("data", 4);
  put32(out, data_bytes);
  for (float s : samples) {
    long v = std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f);
    put16(out, static_cast<uint16_t>(static_cast<int16_t>(v)));
  }
  return static_cast<bool>(out);
}

}  // namespace assetforge::audio
