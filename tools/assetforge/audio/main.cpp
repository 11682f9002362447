// assetforge-audio: builds the game's sound effects and music from the
// readable sources in assets/.
//
//   assetforge-audio --assets DIR --out DIR [--preview DIR]
//
// --preview also writes every sound and every module (rendered) as a WAV
// file and prints its length, peak and RMS level for review.
#include <cstring>
#include <iostream>

#include "forge.h"

namespace {

bool parse_args(int argc, char** argv, assetforge::audio::ForgeOptions& options) {
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--assets") == 0)
      options.assets = argv[i + 1];
    else if (std::strcmp(argv[i], "--out") == 0)
      options.out = argv[i + 1];
    else if (std::strcmp(argv[i], "--preview") == 0)
      options.preview = argv[i + 1];
    else
      return false;
  }
  return argc % 2 == 1 && !options.assets.empty() && !options.out.empty();
}

}  // namespace

int main(int argc, char** argv) {
  assetforge::audio::ForgeOptions options;
  if (!parse_args(argc, argv, options)) {
    std::cerr << "usage: assetforge-audio --assets DIR --out DIR [--preview DIR]\n";
    return 2;
  }
  bool sounds = assetforge::audio::forge_sounds(options);
  bool music = assetforge::audio::forge_music(options);
  return sounds && music ? 0 : 1;
}
