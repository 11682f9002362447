#pragma once
// The two jobs of the audio forge: sound effects (assets/sound/*.sfx ->
// sound/*.ogg) and music (assets/music/**/*.song -> music/...).
#include <filesystem>
#include <string>
#include <vector>

namespace assetforge::audio {

struct ForgeOptions {
  std::filesystem::path assets;   // the repo's assets/ folder
  std::filesystem::path out;      // the data folder (sound/ and music/ go here)
  std::filesystem::path preview;  // empty: no previews; else WAVs go here
};

// Each returns false after reporting every problem it found on stderr.
bool forge_sounds(const ForgeOptions& options);
bool forge_music(const ForgeOptions& options);

// Source files of one kind under `folder`, sorted so the output order (and
// every log) is the same on every machine.
std::vector<std::filesystem::path> sorted_sources(const std::filesystem::path& folder, const std::string& extension,
                                                  bool recursive);

}  // namespace assetforge::audio
