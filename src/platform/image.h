#pragma once
#include <cstdint>
#include <string>
#include <vector>

// An image: one or more equal cells packed into the shared texture atlas, with
// a handle (the point placed on the drawing position, the centre of scaling
// and rotation) and an opacity mask per cell for pixel-exact collisions.
struct AtlasRegion {
  float u0, v0, u1, v1;
};

struct Image {
  std::string path;
  int width = 0, height = 0;  // one cell
  int cells = 0;
  float handle_x = 0, handle_y = 0;
  std::vector<AtlasRegion> regions;
  std::vector<std::vector<uint8_t>> opaque;  // per cell, width x height, 1 = solid
};

// Loading returns nullptr (with a line in the debug log) for a missing or
// damaged file; every drawing call accepts nullptr and draws nothing.
Image* LoadImage(const std::string& path);
// Gives the window the picture of a PNG file as its icon; false (and logged)
// when the file cannot be read.
bool SetWindowIcon(const std::string& path);
Image* LoadAnimImage(const std::string& path, int cell_width, int cell_height, int first_cell, int cell_count);
// Builds an image from RGBA pixels (tests, generated pictures).
Image* CreateImage(const uint32_t* rgba, int width, int height, int cell_width, int cell_height, int cells);
void SetImageHandle(Image* image, float x, float y);
void MidHandleImage(Image* image);
int ImageWidth(const Image* image);
int ImageHeight(const Image* image);

void DrawImage(const Image* image, float x, float y, int cell = 0);
// The whole cell stretched to w x h (before the current scale), handle point on (x, y).
void DrawImageRect(const Image* image, float x, float y, float w, float h, int cell = 0);

// Frees every image and font and empties the atlas (tests between cases).
void ReleaseAllImages();
