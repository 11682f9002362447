#pragma once
// The readable source files of the audio forge (sound recipes, instrument
// recipes, songs) share one small text syntax:
//
//   # a comment runs to the end of the line (a '#' that starts a word)
//   key = value          top-level setting
//   [section argument]   starts a section; later keys belong to it
//   key += more          appends to a key given before in the same section
//
// Values stay raw text; each reader interprets its own keys.
#include <string>
#include <vector>

namespace assetforge::audio {

struct ConfigEntry {
  std::string key;
  std::string value;
  int line = 0;
};

struct ConfigSection {
  std::string name;      // empty for the top-level part before any [section]
  std::string argument;  // text after the name inside the brackets
  std::vector<ConfigEntry> entries;
  int line = 0;

  // The value of the last entry named key, or nullptr.
  const ConfigEntry* find(const std::string& key) const;
};

struct ConfigFile {
  std::string path;
  std::vector<ConfigSection> sections;  // sections[0] is the top level
  std::vector<std::string> errors;      // "path:line: message"
};

ConfigFile parse_config(const std::string& text, const std::string& path);
ConfigFile load_config(const std::string& path);

// Splits on whitespace, dropping empty words.
std::vector<std::string> split_words(const std::string& text);
std::string trim(const std::string& text);

}  // namespace assetforge::audio
