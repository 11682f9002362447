#include "text_config.h"

#include <fstream>
#include <sstream>

namespace assetforge::audio {

const ConfigEntry* ConfigSection::find(const std::string& key) const {
  const ConfigEntry* found = nullptr;
  for (const ConfigEntry& e : entries)
    if (e.key == key) found = &e;
  return found;
}

std::string trim(const std::string& text) {
  const char* space = " \t\r\n";
  size_t a = text.find_first_not_of(space);
  if (a == std::string::npos) return {};
  size_t b = text.find_last_not_of(space);
  return text.substr(a, b - a + 1);
}

std::vector<std::string> split_words(const std::string& text) {
  std::vector<std::string> words;
  std::istringstream in(text);
  std::string w;
  while (in >> w) words.push_back(w);
  return words;
}

// Note names such as C#4 contain '#', so only a '#' that starts a word
// opens a comment.
static std::string strip_comment(const std::string& line) {
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '#' && (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t')) return line.substr(0, i);
  }
  return line;
}

static void add_entry(ConfigFile& file, const std::string& line, int number) {
  ConfigSection& section = file.sections.back();
  size_t eq = line.find('=');
  if (eq == std::string::npos) {
    file.errors.push_back(file.path + ":" + std::to_string(number) + ": expected key = value");
    return;
  }
  bool append = eq > 0 && line[eq - 1] == '+';
  std::string key = trim(line.substr(0, append ? eq - 1 : eq));
  std::string value = trim(line.substr(eq + 1));
  if (append) {
    for (auto it = section.entries.rbegin(); it != section.entries.rend(); ++it) {
      if (it->key == key) {
        it->value += " " + value;
        return;
      }
    }
    file.errors.push_back(file.path + ":" + std::to_string(number) + ": '" + key + " +=' with no earlier '" + key +
                          " ='");
    return;
  }
  section.entries.push_back({key, value, number});
}

ConfigFile parse_config(const std::string& text, const std::string& path) {
  ConfigFile file;
  file.path = path;
  file.sections.push_back({});
  std::istringstream in(text);
  std::string raw;
  int number = 0;
  while (std::getline(in, raw)) {
    ++number;
    std::string line = trim(strip_comment(raw));
    if (line.empty()) continue;
    if (line.front() == '[') {
      size_t close = line.find(']');
      std::vector<std::string> words =
          split_words(line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
      ConfigSection section;
      section.line = number;
      if (!words.empty()) section.name = words[0];
      for (size_t i = 1; i < words.size(); ++i) section.argument += (i > 1 ? " " : "") + words[i];
      file.sections.push_back(section);
      continue;
    }
    add_entry(file, line, number);
  }
  return file;
}

ConfigFile load_config(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    ConfigFile file;
    file.path = path;
    file.sections.push_back({});
    file.errors.push_back(path + ": cannot open");
    return file;
  }
  std::stringstream buffer;
  buffer << in.rdbuf();
  return parse_config(buffer.str(), path);
}

}  // namespace assetforge::audio
