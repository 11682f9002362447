#include "ogg_writer.h"

#include <vorbis/vorbisenc.h>

#include <cstdio>
#include <cstring>

namespace assetforge::audio {
namespace {

constexpr float kQuality = 0.4f;
constexpr size_t kBlock = 1024;

// Owns the libvorbis and libogg state of one encode, freed in reverse order.
class Encoder {
 public:
  Encoder() {
    vorbis_info_init(&info_);
    vorbis_comment_init(&comment_);
  }
  ~Encoder() {
    if (stream_ready_) ogg_stream_clear(&stream_);
    if (block_ready_) vorbis_block_clear(&block_);
    if (dsp_ready_) vorbis_dsp_clear(&dsp_);
    vorbis_comment_clear(&comment_);
    vorbis_info_clear(&info_);
  }
  Encoder(const Encoder&) = delete;
  Encoder& operator=(const Encoder&) = delete;

  bool open(int rate, uint32_t serial) {
    if (vorbis_encode_init_vbr(&info_, 1, rate, kQuality) != 0) return false;
    vorbis_analysis_init(&dsp_, &info_);
    dsp_ready_ = true;
    vorbis_block_init(&dsp_, &block_);
    block_ready_ = true;
    ogg_stream_init(&stream_, static_cast<int>(serial));
    stream_ready_ = true;
    return write_headers();
  }

  void feed(const float* samples, size_t count) {
    float** buffer = vorbis_analysis_buffer(&dsp_, static_cast<int>(count));
    std::memcpy(buffer[0], samples, count * sizeof(float));
    vorbis_analysis_wrote(&dsp_, static_cast<int>(count));
    drain(false);
  }

  void finish() {
    vorbis_analysis_wrote(&dsp_, 0);
    drain(true);
  }

  const std::vector<unsigned char>& bytes() const { return bytes_; }

 private:
  bool write_headers() {
    ogg_packet id, comments, codebooks;
    if (vorbis_analysis_headerout(&dsp_, &comment_, &id, &comments, &codebooks) != 0) return false;
    ogg_stream_packetin(&stream_, &id);
    ogg_stream_packetin(&stream_, &comments);
    ogg_stream_packetin(&stream_, &codebooks);
    // The audio starts on a fresh page, as players expect.
    ogg_page page;
    while (ogg_stream_flush(&stream_, &page) != 0) append(page);
    return true;
  }

  // Pages go out as they fill; the last, partial one only at the end.
  void drain(bool final) {
    while (vorbis_analysis_blockout(&dsp_, &block_) == 1) {
      vorbis_analysis(&block_, nullptr);
      vorbis_bitrate_addblock(&block_);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&dsp_, &packet) == 1) {
        ogg_stream_packetin(&stream_, &packet);
        ogg_page page;
        while (ogg_stream_pageout(&stream_, &page) != 0) append(page);
      }
    }
    ogg_page page;
    while (final && ogg_stream_flush(&stream_, &page) != 0) append(page);
  }

  void append(const ogg_page& page) {
    bytes_.insert(bytes_.end(), page.header, page.header + page.header_len);
    bytes_.insert(bytes_.end(), page.body, page.body + page.body_len);
  }

  vorbis_info info_{};
  vorbis_comment comment_{};
  vorbis_dsp_state dsp_{};
  vorbis_block block_{};
  ogg_stream_state stream_{};
  bool dsp_ready_ = false, block_ready_ = false, stream_ready_ = false;
  std::vector<unsigned char> bytes_;
};

}  // namespace

uint32_t stream_serial(const std::string& name) {
  uint32_t hash = 2166136261u;
  for (char c : name) hash = (hash ^ static_cast<uint8_t>(c)) * 16777619u;
  return hash & 0x7FFFFFFFu;
}

bool write_ogg(const std::string& path, const std::vector<float>& samples, int sample_rate, uint32_t serial,
               std::string& error) {
  Encoder encoder;
  if (!encoder.open(sample_rate, serial)) {
    error = path + ": the Vorbis encoder refused the settings";
    return false;
  }
  for (size_t at = 0; at < samples.size(); at += kBlock)
    encoder.feed(samples.data() + at, std::min(kBlock, samples.size() - at));
  encoder.finish();

  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) {
    error = path + ": cannot write";
    return false;
  }
  const auto& bytes = encoder.bytes();
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = std::fclose(file) == 0 && ok;
  if (!ok) error = path + ": write failed";
  return ok;
}

}  // namespace assetforge::audio
