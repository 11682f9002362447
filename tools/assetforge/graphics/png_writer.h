#pragma once
#include <string>

#include "canvas.h"

namespace forge {

// Writes an 8-bit RGBA PNG. The output is a pure function of the pixels: no
// time, text or gamma chunks, a fixed zlib level and fixed row filters, so two
// builds give the same bytes. Returns false (with a message) on failure.
bool WritePng(const Canvas& image, const std::string& path, std::string& error);

}  // namespace forge
