#pragma once
// The game's loaders read files by path, so every fuzz input is written to one
// scratch file (in memory-backed /dev/shm when there is one) and handed over by
// name: the loaders are exercised exactly as the game calls them.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

inline const std::string& FuzzInputPath(const char* extension) {
  static const std::string path = [extension] {
    const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : (getenv("TMPDIR") ? getenv("TMPDIR") : "/tmp");
    return std::string(dir) + "/skitterworm-fuzz-" + std::to_string(getpid()) + extension;
  }();
  return path;
}

// Writes the input to the scratch file and returns its path.
inline const std::string& WriteFuzzInput(const uint8_t* data, size_t size, const char* extension) {
  const std::string& path = FuzzInputPath(extension);
  FILE* f = fopen(path.c_str(), "wb");
  if (!f) abort();
  if (size && fwrite(data, 1, size, f) != size) abort();
  fclose(f);
  return path;
}
