#include "png_writer.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace forge {

bool WritePng(const Canvas& image, const std::string& path, std::string& error) {
  if (image.Empty()) {
    error = path + ": empty image";
    return false;
  }
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
  if (!file) {
    error = path + ": cannot open for writing";
    return false;
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info) {
    png_destroy_write_struct(&png, &info);
    error = path + ": libpng could not start";
    return false;
  }
  std::vector<png_byte> row(size_t(image.Width()) * 4);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    error = path + ": libpng write error";
    return false;
  }
  png_init_io(png, file.get());
  png_set_compression_level(png, 9);
  png_set_compression_mem_level(png, 9);
  png_set_compression_strategy(png, 0);  // Z_DEFAULT_STRATEGY
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_ALL_FILTERS);
  png_set_IHDR(png, info, png_uint_32(image.Width()), png_uint_32(image.Height()), 8, PNG_COLOR_TYPE_RGB_ALPHA,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
  png_write_info(png, info);
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) {
      const Rgba p = image.Get(x, y);
      png_byte* o = &row[size_t(x) * 4];
      o[0] = p.r;
      o[1] = p.g;
      o[2] = p.b;
      o[3] = p.a;
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace forge
