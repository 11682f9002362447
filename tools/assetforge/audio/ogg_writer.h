#pragma once
// Ogg Vorbis output of the sound effects. libvorbisenc is deterministic for
// the same samples and settings; the one thing that would differ between
// builds is the Ogg stream serial number, which we derive from the file name.
#include <cstdint>
#include <string>
#include <vector>

namespace assetforge::audio {

// Encodes mono samples (-1..1) at VBR quality 0.4. Returns false and fills
// `error` when encoding or writing fails.
bool write_ogg(const std::string& path, const std::vector<float>& samples, int sample_rate, uint32_t serial,
               std::string& error);

// The fixed stream serial for a file: a hash of its name inside the data folder.
uint32_t stream_serial(const std::string& name);

}  // namespace assetforge::audio
