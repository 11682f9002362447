#pragma once
// Writes a module as a 4-channel, 31-sample "M.K." MOD: 64-row patterns of
// Amiga periods, 8-bit signed samples.
#include <cstdint>
#include <string>
#include <vector>

#include "module.h"

namespace assetforge::audio {

std::vector<uint8_t> write_mod(const Module& module, std::vector<std::string>& errors);

}  // namespace assetforge::audio
