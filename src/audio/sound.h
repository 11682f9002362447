#pragma once
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace openmpt {
class module;
}

// Creation modes the game passes when it creates a sound, as bit flags.
constexpr int SOUND_LOOP_OFF = 1;
constexpr int SOUND_LOOP_NORMAL = 2;
constexpr int SOUND_SOFTWARE = 64;          // every sound is mixed in software here
constexpr int SOUND_ACCURATE_TIME = 16384;  // every length is exact here

// The rate and layout of everything the mixer handles.
constexpr int kMixRate = 44100;
// A decoded sample as it is kept: rounded to 16 bits and held to full scale.
int16_t ToPcm16(float sample);
// The mixer's value of a kept sample.
constexpr float kPcm16Scale = 1.0f / 32768.0f;

// One sound of the game: either an effect decoded once into 44.1 kHz 16-bit
// PCM (mono when the file is mono, else stereo: the smallest form that mixes
// exactly, as every 16-bit sample is a float without rounding), or a tracker
// module that is rendered as it plays. A module keeps only its file; the
// player that renders it unpacks the whole song into more than a megabyte, so
// it is made when the module starts (Open) and dropped once nothing plays the
// module any more (Close), and only the music playing now holds one. Owned by the
// AudioSystem that created it; the game holds plain pointers (null when the
// file could not be read, which plays as silence).
class Sound {
 public:
  ~Sound();
  Sound(const Sound&) = delete;
  Sound& operator=(const Sound&) = delete;

  // Reads the file at path; null (and a debug log line) when it is missing or
  // neither an Ogg Vorbis file nor a module libopenmpt can read.
  static std::unique_ptr<Sound> Load(const std::string& path, int mode);
  // An effect made from 44.1 kHz 16-bit samples, interleaved when channels is 2.
  static std::unique_ptr<Sound> FromPcm(std::vector<int16_t> samples, int channels, bool loop);

  bool loops() const { return loop_; }
  bool is_module() const { return !module_file_.empty(); }
  // Length in milliseconds: exact for modules (one pass through the song) and
  // truncated to whole milliseconds for effects.
  int32_t length_ms() const { return length_ms_; }
  int64_t frames() const { return static_cast<int64_t>(pcm_.size() / channels_); }
  int channels() const { return channels_; }
  const int16_t* pcm() const { return pcm_.data(); }
  // The module's player, null while closed. Open and Close belong to the
  // thread that starts sounds, while no channel mixes this one.
  openmpt::module* module() const { return module_.get(); }
  bool Open();
  void Close();

 private:
  Sound() = default;
  static std::unique_ptr<Sound> LoadOgg(const std::vector<uint8_t>& bytes, const std::string& path, bool loop);
  bool OpenWith(std::ostream& log, std::string& refusal);
  static std::unique_ptr<Sound> LoadModule(std::vector<uint8_t> bytes, const std::string& path, bool loop);

  bool loop_ = false;
  int32_t length_ms_ = 0;
  uint8_t channels_ = 2;
  std::vector<int16_t> pcm_;  // at kMixRate, interleaved when stereo
  std::vector<uint8_t> module_file_;
  std::unique_ptr<openmpt::module> module_;
};
