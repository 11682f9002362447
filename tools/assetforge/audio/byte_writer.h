#pragma once
// Appends little- and big-endian fields to a byte buffer: XM is
// little-endian, MOD (an Amiga format) big-endian.
#include <cstdint>
#include <string>
#include <vector>

namespace assetforge::audio {

class ByteWriter {
 public:
  void u8(int v) { bytes_.push_back(static_cast<uint8_t>(v & 0xFF)); }
  void u16le(int v) {
    u8(v);
    u8(v >> 8);
  }
  void u32le(uint32_t v) {
    u16le(static_cast<int>(v & 0xFFFF));
    u16le(static_cast<int>(v >> 16));
  }
  void u16be(int v) {
    u8(v >> 8);
    u8(v);
  }
  // Fixed-width text field, cut or padded with zero bytes.
  void text(const std::string& s, size_t width) {
    for (size_t i = 0; i < width; ++i) u8(i < s.size() ? s[i] : 0);
  }
  void zeros(size_t count) { bytes_.insert(bytes_.end(), count, 0); }
  void append(const std::vector<uint8_t>& more) { bytes_.insert(bytes_.end(), more.begin(), more.end()); }
  void patch_u32le(size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
  }
  size_t size() const { return bytes_.size(); }
  const std::vector<uint8_t>& bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace assetforge::audio
