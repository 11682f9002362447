#include "platform/png_file.h"

#include <png.h>

#include <exception>

#include "platform/log.h"
#include "platform/stream.h"

namespace {

constexpr png_uint_32 kMaxImageSide = 4096;
// A whole picture of that side, uncompressed, with room to spare.
constexpr size_t kMaxFileBytes = 4u * kMaxImageSide * kMaxImageSide + (1u << 20);

bool Decode(const std::string& path, std::vector<uint32_t>& pixels, int& width, int& height) {
  std::vector<uint8_t> bytes;
  std::string why;
  if (!ReadRegularFile(path, kMaxFileBytes, bytes, &why)) {
    DebugLog("Image " + path + ": " + why);
    return false;
  }
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, bytes.data(), bytes.size())) return false;
  // No picture of the game comes near this; a header claiming more is damaged
  // and would only ask for gigabytes.
  if (png.width == 0 || png.height == 0 || png.width > kMaxImageSide || png.height > kMaxImageSide) {
    DebugLog("Image " + path + " claims " + std::to_string(png.width) + "x" + std::to_string(png.height) +
             " pixels, more than any image of the game");
    png_image_free(&png);
    return false;
  }
  png.format = PNG_FORMAT_RGBA;
  width = int(png.width);
  height = int(png.height);
  pixels.assign(size_t(width) * height, 0);
  if (!png_image_finish_read(&png, nullptr, pixels.data(), 0, nullptr)) {
    png_image_free(&png);
    return false;
  }
  return true;
}

}  // namespace

bool ReadPng(const std::string& path, std::vector<uint32_t>& rgba, int& width, int& height) {
  try {
    return Decode(path, rgba, width, height);
  } catch (const std::exception& e) {
    DebugLog("Image " + path + ": " + e.what());
    return false;
  }
}
