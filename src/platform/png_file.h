#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A PNG file as RGBA pixels (red in the lowest byte), for the images the
// game draws and for the collision masks the rules read: no window needed.
// False, with a line in the debug log, for a missing, damaged or oversized
// file.
bool ReadPng(const std::string& path, std::vector<uint32_t>& rgba, int& width, int& height);

// The colour the game's pictures mark transparent pixels with: magenta.
constexpr uint32_t kMaskColourRgb = 0xFF00FFu;
