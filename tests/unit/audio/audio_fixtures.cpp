#include "audio/audio_fixtures.h"

#include <vorbis/vorbisenc.h>
#include <vorbis/vorbisfile.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "audio/mixer.h"

namespace audio_test {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "skitterworm-audio-XXXXXX").string();
  if (char* made = mkdtemp(pattern.data())) path_ = made;
}

TempDir::~TempDir() {
  std::error_code ignored;
  if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

std::vector<float> Sine(int frames, float hz, float amplitude, int rate) {
  std::vector<float> out(static_cast<size_t>(frames));
  for (int i = 0; i < frames; ++i) out[i] = amplitude * std::sin(6.283185307f * hz * i / rate);
  return out;
}

bool WriteOgg(const std::string& path, const std::vector<float>& mono, int rate) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  vorbis_info vi;
  vorbis_info_init(&vi);
  vorbis_encode_init_vbr(&vi, 1, rate, 0.5f);
  vorbis_comment vc;
  vorbis_comment_init(&vc);
  vorbis_dsp_state vd;
  vorbis_analysis_init(&vd, &vi);
  vorbis_block vb;
  vorbis_block_init(&vd, &vb);
  ogg_stream_state os;
  ogg_stream_init(&os, 1);
  ogg_packet header, comment, code;
  vorbis_analysis_headerout(&vd, &vc, &header, &comment, &code);
  ogg_stream_packetin(&os, &header);
  ogg_stream_packetin(&os, &comment);
  ogg_stream_packetin(&os, &code);
  ogg_page page;
  while (ogg_stream_flush(&os, &page)) {
    std::fwrite(page.header, 1, page.header_len, f);
    std::fwrite(page.body, 1, page.body_len, f);
  }
  size_t at = 0;
  bool ended = false;
  while (!ended) {
    const size_t n = std::min<size_t>(1024, mono.size() - at);
    if (n > 0) {
      float** buffer = vorbis_analysis_buffer(&vd, static_cast<int>(n));
      std::memcpy(buffer[0], mono.data() + at, n * sizeof(float));
      at += n;
    }
    vorbis_analysis_wrote(&vd, static_cast<int>(n));  // 0 marks the end of the stream
    while (vorbis_analysis_blockout(&vd, &vb) == 1) {
      vorbis_analysis(&vb, nullptr);
      vorbis_bitrate_addblock(&vb);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&vd, &packet)) {
        ogg_stream_packetin(&os, &packet);
        while (ogg_stream_pageout(&os, &page)) {
          std::fwrite(page.header, 1, page.header_len, f);
          std::fwrite(page.body, 1, page.body_len, f);
          if (ogg_page_eos(&page)) ended = true;
        }
      }
    }
    if (n == 0) ended = true;
  }
  while (ogg_stream_flush(&os, &page)) {
    std::fwrite(page.header, 1, page.header_len, f);
    std::fwrite(page.body, 1, page.body_len, f);
  }
  ogg_stream_clear(&os);
  vorbis_block_clear(&vb);
  vorbis_dsp_clear(&vd);
  vorbis_comment_clear(&vc);
  vorbis_info_clear(&vi);
  return std::fclose(f) == 0;
}

std::vector<float> DecodeOggStereo(const std::string& path) {
  std::vector<float> out;
  OggVorbis_File vf;
  if (ov_fopen(path.c_str(), &vf) != 0) return out;
  for (;;) {
    float** pcm = nullptr;
    int section = 0;
    const long n = ov_read_float(&vf, &pcm, 4096, &section);
    if (n <= 0) break;
    for (long i = 0; i < n; ++i) {
      const float kept = float(ToPcm16(pcm[0][i])) * kPcm16Scale;  // as the game keeps it
      out.push_back(kept);
      out.push_back(kept);
    }
  }
  ov_clear(&vf);
  return out;
}

namespace {

void PutBigEndian16(std::vector<uint8_t>& out, size_t at, int value) {
  out[at] = static_cast<uint8_t>(value >> 8);
  out[at + 1] = static_cast<uint8_t>(value & 0xFF);
}

}  // namespace

std::vector<uint8_t> MakeMod(int orders, int speed, int bpm, int rows) {
  constexpr int kSampleBytes = 64;
  std::vector<uint8_t> mod(20 + 31 * 30 + 2 + 128 + 4 + 64 * 4 * 4 + kSampleBytes, 0);
  std::memcpy(mod.data(), "test tune", 9);
  // Sample 1: a square wave looping over its whole length at full volume.
  const size_t header = 20;
  std::memcpy(mod.data() + header, "square", 6);
  PutBigEndian16(mod, header + 22, kSampleBytes / 2);
  mod[header + 25] = 64;
  PutBigEndian16(mod, header + 26, 0);
  PutBigEndian16(mod, header + 28, kSampleBytes / 2);
  for (int s = 1; s < 31; ++s) PutBigEndian16(mod, header + s * 30 + 28, 1);  // empty, no loop
  const size_t song = 20 + 31 * 30;
  mod[song] = static_cast<uint8_t>(orders);
  mod[song + 1] = 127;
  // Every order plays pattern 0.
  std::memcpy(mod.data() + song + 2 + 128, "M.K.", 4);
  const size_t pattern = song + 2 + 128 + 4;
  // Row 0: channel 0 starts the note (period 428) with the speed, channel 1 sets the tempo.
  mod[pattern + 0] = 0x01;  // sample high nibble 0, period high bits 1
  mod[pattern + 1] = 0xAC;  // period 0x1AC = 428
  mod[pattern + 2] = 0x1F;  // sample 1, effect F
  mod[pattern + 3] = static_cast<uint8_t>(speed);
  mod[pattern + 4 + 2] = 0x0F;
  mod[pattern + 4 + 3] = static_cast<uint8_t>(bpm);
  if (rows < 64) mod[pattern + (rows - 1) * 16 + 8 + 2] = 0x0D;  // channel 2: pattern break
  const size_t samples = pattern + 64 * 4 * 4;
  for (int i = 0; i < kSampleBytes; ++i) mod[samples + i] = static_cast<uint8_t>(i % 16 < 8 ? 40 : -40);
  return mod;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

bool WriteFile(const std::string& path, const std::string& text) {
  return WriteFile(path, std::vector<uint8_t>(text.begin(), text.end()));
}

void MakeDirs(const std::string& path) { std::filesystem::create_directories(path); }

std::vector<float> Render(AudioSystem& system, int frames) {
  std::vector<float> out(static_cast<size_t>(frames) * 2);
  system.Render(out.data(), frames);
  return out;
}

double Energy(const std::vector<float>& samples, size_t begin, size_t end) {
  double sum = 0;
  for (size_t i = begin; i < std::min(end, samples.size()); ++i) sum += double(samples[i]) * samples[i];
  return sum;
}

}  // namespace audio_test
