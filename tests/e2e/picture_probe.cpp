// Prints "width height lit distinct" for a PNG (the game's own screenshots) or
// an XWD window dump (what the X server really shows): its size, how many
// pixels are not black, and how many different colours it holds. The
// end-to-end scripts use it to tell a real picture from a blank one.
#include <png.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

struct Picture {
  unsigned width = 0, height = 0;
  std::vector<uint32_t> rgb;
};

bool ReadPng(const char* path, Picture& out) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path)) return false;
  image.format = PNG_FORMAT_RGB;
  std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return false;
  out.width = image.width;
  out.height = image.height;
  for (size_t i = 0; i + 2 < pixels.size(); i += 3)
    out.rgb.push_back(uint32_t(pixels[i]) << 16 | uint32_t(pixels[i + 1]) << 8 | pixels[i + 2]);
  return true;
}

uint32_t BigEndian(const std::vector<unsigned char>& b, size_t at) {
  return uint32_t(b[at]) << 24 | uint32_t(b[at + 1]) << 16 | uint32_t(b[at + 2]) << 8 | b[at + 3];
}

// XWD as written by xwd for a 24-bit TrueColor display: 32 bits per pixel, ZPixmap.
bool ReadXwd(const char* path, Picture& out) {
  std::ifstream file(path, std::ios::binary);
  std::vector<unsigned char> b((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (b.size() < 100) return false;
  const uint32_t header_size = BigEndian(b, 0), width = BigEndian(b, 16), height = BigEndian(b, 20);
  const uint32_t byte_order = BigEndian(b, 28), bits_per_pixel = BigEndian(b, 44), line = BigEndian(b, 48);
  const uint32_t colours = BigEndian(b, 76);
  if (bits_per_pixel != 32) return false;
  const size_t data = size_t(header_size) + size_t(colours) * 12;
  if (data + size_t(line) * height > b.size()) return false;
  out.width = width;
  out.height = height;
  for (uint32_t y = 0; y < height; ++y)
    for (uint32_t x = 0; x < width; ++x) {
      const size_t at = data + size_t(y) * line + size_t(x) * 4;
      const uint32_t v =
          byte_order ? BigEndian(b, at) : uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16;
      out.rgb.push_back(v & 0xFFFFFFu);
    }
  return true;
}

}  // namespace

// With a scale K after the rectangle: prints "lit_outside broken_blocks lit_inside"
// for a picture shown at scale K in that rectangle: what is not black outside
// it, and how many of its KxK blocks are not a single colour (a blurred,
// stretched or shifted picture breaks them).
int CheckScaledPicture(const Picture& picture, unsigned x0, unsigned y0, unsigned w, unsigned h, unsigned k) {
  if (k == 0 || x0 + w > picture.width || y0 + h > picture.height) return 1;
  const auto at = [&picture](unsigned x, unsigned y) { return picture.rgb[size_t(y) * picture.width + x]; };
  long outside = 0, broken = 0, inside = 0;
  for (unsigned y = 0; y < picture.height; ++y)
    for (unsigned x = 0; x < picture.width; ++x) {
      const bool in = x >= x0 && x < x0 + w && y >= y0 && y < y0 + h;
      if (!in) outside += at(x, y) != 0;
      if (!in || (x - x0) % k != 0 || (y - y0) % k != 0) continue;
      inside += at(x, y) != 0;
      bool uniform = true;
      for (unsigned dy = 0; dy < k; ++dy)
        for (unsigned dx = 0; dx < k; ++dx) uniform = uniform && at(x + dx, y + dy) == at(x, y);
      broken += !uniform;
    }
  std::printf("%ld %ld %ld\n", outside, broken, inside);
  return 0;
}

int main(int argc, char** argv) {
  if (argc != 2 && argc != 6 && argc != 7) {
    std::fprintf(stderr, "usage: picture_probe FILE.png|FILE.xwd [X Y WIDTH HEIGHT [SCALE]]\n");
    return 2;
  }
  const std::string path = argv[1];
  Picture picture;
  const bool ok =
      path.size() > 4 && path.substr(path.size() - 4) == ".xwd" ? ReadXwd(argv[1], picture) : ReadPng(argv[1], picture);
  if (!ok) {
    std::fprintf(stderr, "picture_probe: cannot read %s\n", argv[1]);
    return 1;
  }
  if (argc == 7)
    return CheckScaledPicture(picture, unsigned(std::stoul(argv[2])), unsigned(std::stoul(argv[3])),
                              unsigned(std::stoul(argv[4])), unsigned(std::stoul(argv[5])),
                              unsigned(std::stoul(argv[6])));
  // An optional rectangle limits the count to one part of the picture (the
  // size printed stays the whole picture's).
  unsigned x0 = 0, y0 = 0, x1 = picture.width, y1 = picture.height;
  if (argc == 6) {
    x0 = unsigned(std::stoul(argv[2]));
    y0 = unsigned(std::stoul(argv[3]));
    x1 = std::min(picture.width, x0 + unsigned(std::stoul(argv[4])));
    y1 = std::min(picture.height, y0 + unsigned(std::stoul(argv[5])));
  }
  long lit = 0;
  std::set<uint32_t> distinct;
  for (unsigned y = y0; y < y1; ++y)
    for (unsigned x = x0; x < x1; ++x) {
      const uint32_t rgb = picture.rgb[size_t(y) * picture.width + x];
      lit += rgb != 0;
      distinct.insert(rgb);
    }
  std::printf("%u %u %ld %zu\n", picture.width, picture.height, lit, distinct.size());
  return 0;
}
