#include "audio/sound.h"

#include <vorbis/vorbisfile.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <libopenmpt/libopenmpt.hpp>
#include <sstream>
#include <string>

#include "platform/log.h"
#include "platform/stream.h"

namespace {

// Ogg pages always begin with this capture pattern; anything else is taken
// for a module and left to libopenmpt to accept or refuse.
bool LooksLikeOgg(const std::vector<uint8_t>& bytes) {
  return bytes.size() >= 4 && std::memcmp(bytes.data(), "OggS", 4) == 0;
}

// What a sound or music file of this game may be or claim: far beyond any
// asset it ships, and small enough that a damaged header cannot make the
// loader ask for gigabytes.
constexpr size_t kMaxFileBytes = 32u << 20;
constexpr long kMinRate = 8000;
constexpr long kMaxRate = 192000;
constexpr int64_t kMaxSeconds = 600;

// libvorbisfile reads the file bytes from memory through these callbacks.
struct MemoryReader {
  const std::vector<uint8_t>* bytes;
  size_t pos;
};

size_t MemoryRead(void* out, size_t size, size_t count, void* source) {
  auto* r = static_cast<MemoryReader*>(source);
  const size_t want = size * count;
  const size_t left = r->bytes->size() - r->pos;
  const size_t n = want < left ? want : left;
  std::memcpy(out, r->bytes->data() + r->pos, n);
  r->pos += n;
  return size ? n / size : 0;
}

int MemorySeek(void* source, ogg_int64_t offset, int whence) {
  auto* r = static_cast<MemoryReader*>(source);
  const int64_t size = static_cast<int64_t>(r->bytes->size());
  int64_t target = offset;
  if (whence == SEEK_CUR) target += static_cast<int64_t>(r->pos);
  if (whence == SEEK_END) target += size;
  if (target < 0 || target > size) return -1;
  r->pos = static_cast<size_t>(target);
  return 0;
}

long MemoryTell(void* source) { return static_cast<long>(static_cast<MemoryReader*>(source)->pos); }

// Brings decoded samples (interleaved, `channels` per frame) at rate to
// kMixRate by linear interpolation; done once at load, so the mixer only ever
// steps one frame per output frame.
std::vector<int16_t> Resample(std::vector<int16_t> in, int channels, long rate) {
  const int64_t in_frames = static_cast<int64_t>(in.size()) / channels;
  if (rate == kMixRate || in_frames == 0 || rate <= 0) return in;
  const int64_t out_frames = in_frames * kMixRate / rate;
  std::vector<int16_t> out(static_cast<size_t>(out_frames) * channels);
  const double step = static_cast<double>(rate) / kMixRate;
  for (int64_t i = 0; i < out_frames; ++i) {
    const double src = i * step;
    const int64_t a = static_cast<int64_t>(src);
    const int64_t b = a + 1 < in_frames ? a + 1 : a;
    const double t = src - a;
    for (int c = 0; c < channels; ++c) {
      const double x = in[a * channels + c] + (in[b * channels + c] - in[a * channels + c]) * t;
      out[i * channels + c] = static_cast<int16_t>(std::lround(x));
    }
  }
  return out;
}

}  // namespace

int16_t ToPcm16(float sample) {
  const long v = std::lround(sample * 32768.0f);
  return static_cast<int16_t>(v < -32768 ? -32768 : v > 32767 ? 32767 : v);
}

Sound::~Sound() = default;

std::unique_ptr<Sound> Sound::Load(const std::string& path, int mode) {
  // Whatever goes wrong in a file (missing, a folder, unreadable, damaged,
  // too big), the game goes on without that sound.
  try {
    std::vector<uint8_t> bytes;
    std::string why = "empty";
    if (!ReadRegularFile(path, kMaxFileBytes, bytes, &why) || bytes.empty()) {
      Warn("Sound " + path + ": " + why);
      return nullptr;
    }
    const bool loop = (mode & SOUND_LOOP_NORMAL) != 0;
    return LooksLikeOgg(bytes) ? LoadOgg(bytes, path, loop) : LoadModule(std::move(bytes), path, loop);
  } catch (const std::exception& e) {
    DebugLog("Sound " + path + " could not be loaded: " + e.what());
    return nullptr;
  }
}

std::unique_ptr<Sound> Sound::FromPcm(std::vector<int16_t> samples, int channels, bool loop) {
  std::unique_ptr<Sound> s(new Sound());
  s->loop_ = loop;
  s->channels_ = channels == 1 ? 1 : 2;
  s->pcm_ = std::move(samples);
  s->pcm_.resize(s->pcm_.size() / s->channels_ * s->channels_);
  s->length_ms_ = static_cast<int32_t>(s->frames() * 1000 / kMixRate);
  return s;
}

std::unique_ptr<Sound> Sound::LoadOgg(const std::vector<uint8_t>& bytes, const std::string& path, bool loop) {
  MemoryReader reader{&bytes, 0};
  OggVorbis_File vf;
  const ov_callbacks callbacks{MemoryRead, MemorySeek, nullptr, MemoryTell};
  if (ov_open_callbacks(&reader, &vf, nullptr, 0, callbacks) != 0) {
    DebugLog("Sound is not a readable Ogg Vorbis file: " + path);
    return nullptr;
  }
  const vorbis_info* info = ov_info(&vf, -1);
  const long rate = info ? info->rate : 0;
  const ogg_int64_t total = ov_pcm_total(&vf, -1);
  const int64_t max_frames = kMaxSeconds * rate;
  if (rate < kMinRate || rate > kMaxRate || total > max_frames) {
    DebugLog("Sound claims a rate or length no sound of the game has: " + path + " (" + std::to_string(rate) + " Hz, " +
             std::to_string(total) + " frames)");
    ov_clear(&vf);
    return nullptr;
  }
  // A mono file stays mono; more than two channels keep the first two.
  const int kept = info->channels == 1 ? 1 : 2;
  std::vector<int16_t> samples;
  if (total > 0) samples.reserve(static_cast<size_t>(total) * kept);
  for (;;) {
    if (static_cast<int64_t>(samples.size() / kept) > max_frames) {
      DebugLog("Sound runs longer than any sound of the game, cut: " + path);
      break;
    }
    float** channels = nullptr;
    int section = 0;
    const long n = ov_read_float(&vf, &channels, 4096, &section);
    if (n == OV_HOLE) continue;  // a gap in the stream: decoding goes on after it
    if (n < 0) {
      DebugLog("Sound damaged, keeping what decoded: " + path);
      break;
    }
    if (n == 0) break;
    const int count = ov_info(&vf, section)->channels;
    const float* left = channels[0];
    const float* right = count > 1 ? channels[1] : channels[0];
    for (long i = 0; i < n; ++i) {
      samples.push_back(ToPcm16(left[i]));
      if (kept == 2) samples.push_back(ToPcm16(right[i]));
    }
  }
  ov_clear(&vf);
  return FromPcm(Resample(std::move(samples), kept, rate), kept, loop);
}

std::unique_ptr<Sound> Sound::LoadModule(std::vector<uint8_t> bytes, const std::string& path, bool loop) {
  std::unique_ptr<Sound> s(new Sound());
  s->loop_ = loop;
  s->module_file_ = std::move(bytes);
  // Read once now, so a file libopenmpt refuses is reported at load like any
  // other damaged sound, and its length is known before it plays.
  std::ostringstream log;  // libopenmpt's remarks go to our debug log, not the terminal
  std::string refusal;
  if (!s->OpenWith(log, refusal)) {
    DebugLog("Sound is neither Ogg Vorbis nor a readable module: " + path + " (" + refusal + ")");
    return nullptr;
  }
  if (!log.str().empty() && DebugLogEnabled()) DebugLog("Module " + path + ": " + log.str());
  s->length_ms_ = static_cast<int32_t>(std::llround(s->module_->get_duration_seconds() * 1000.0));
  s->Close();
  return s;
}

bool Sound::Open() {
  // The file was read once at load and its remarks logged then.
  std::ostringstream ignored;
  std::string refusal;
  return OpenWith(ignored, refusal);
}

bool Sound::OpenWith(std::ostream& log, std::string& refusal) {
  if (module_ || module_file_.empty()) return module_ != nullptr;
  try {
    module_ = std::make_unique<openmpt::module>(module_file_, log);
    module_->set_repeat_count(loop_ ? -1 : 0);
  } catch (const std::exception& e) {
    module_.reset();
    refusal = e.what();
    return false;
  }
  return true;
}

void Sound::Close() { module_.reset(); }
