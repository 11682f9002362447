#pragma once
// Plain 16-bit PCM WAV files: the review previews of sounds and music.
#include <string>
#include <vector>

namespace assetforge::audio {

// Samples are interleaved for `channels` > 1; values outside -1..1 are clipped.
bool write_wav(const std::string& path, const std::vector<float>& samples, int sample_rate, int channels);

}  // namespace assetforge::audio
