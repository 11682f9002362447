#pragma once
// Writes a module as an Extended Module (XM, version 1.04): linear frequency
// table, packed patterns, one 16-bit delta-coded sample per instrument.
#include <cstdint>
#include <string>
#include <vector>

#include "module.h"

namespace assetforge::audio {

std::vector<uint8_t> write_xm(const Module& module, std::vector<std::string>& errors);

}  // namespace assetforge::audio
