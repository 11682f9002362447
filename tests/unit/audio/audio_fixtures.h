#pragma once
// Small sound files made on the spot for the audio tests, so they never lean
// on the built game assets.
#include <cstdint>
#include <string>
#include <vector>

class AudioSystem;

namespace audio_test {

// A fresh empty folder under the system temp folder; removed by the destructor.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& relative) const { return path_ + "/" + relative; }

 private:
  std::string path_;
};

// frames of a sine at hz and amplitude, mono, at rate.
std::vector<float> Sine(int frames, float hz, float amplitude, int rate = 44100);

// Encodes mono samples at rate as an Ogg Vorbis file.
bool WriteOgg(const std::string& path, const std::vector<float>& mono, int rate = 44100);
// Decodes an Ogg Vorbis file into interleaved stereo (mono doubled), no resampling.
std::vector<float> DecodeOggStereo(const std::string& path);

// A four-channel module: one looping square-wave sample held through `orders`
// plays of one pattern cut to `rows` rows, at the given speed (ticks per row)
// and tempo (beats per minute). One pass lasts orders * rows * speed * 2.5 / bpm
// seconds (exact when 110250 / bpm is whole, as ticks are whole samples).
std::vector<uint8_t> MakeMod(int orders, int speed, int bpm, int rows = 64);
bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);
bool WriteFile(const std::string& path, const std::string& text);
void MakeDirs(const std::string& path);

// Renders frames through the system and returns them (interleaved stereo).
std::vector<float> Render(AudioSystem& system, int frames);
double Energy(const std::vector<float>& samples, size_t begin = 0, size_t end = SIZE_MAX);

}  // namespace audio_test
