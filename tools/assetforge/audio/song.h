#pragma once
// Reads a song: the readable note data of one module (assets/music/*.song).
// See assets/music/README.md for the syntax.
#include <string>
#include <vector>

#include "module.h"
#include "text_config.h"

namespace assetforge::audio {

// Fills everything but the instrument samples. Problems go to `errors`.
Module parse_song(const ConfigFile& file, std::vector<std::string>& errors);

}  // namespace assetforge::audio
