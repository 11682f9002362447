#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/backend.h"

// The display and the global drawing state. The game draws in the 320x240
// logical picture: every position, size and SetScale factor given to the
// drawing calls (images, text, rectangles, lines, collisions) is multiplied
// here by the display scale s, once. SetScale(1, 1) draws at natural logical
// size, which is s times larger on screen. Lines stay one picture pixel wide.

// Opens a window (depth 0) or a full-screen display (16, 24, 32) showing a
// width x height picture. Full screen is a desktop-size borderless window with
// the picture scaled by the largest whole factor, so every mode opens.
bool Graphics(int width, int height, int depth = 0, int hertz = 60);
void EndGraphics();
bool GraphicsModeExists(int width, int height, int depth, int hertz = 60);
int GraphicsWidth();
int GraphicsHeight();
void AppTitle(const std::string& title);
void HidePointer();
void ShowPointer();
void Notify(const std::string& text);
// The text in lines of at most `columns` characters, broken at spaces where it
// can be; what a message box shows.
constexpr size_t kNotifyColumns = 64;
std::string WrapLines(const std::string& text, size_t columns);

void SetClsColor(uint8_t r, uint8_t g, uint8_t b);
void Cls();
// Presents the picture. The frame driver's timer paces the frames: vsync is
// only a hint on many drivers.
void Flip();

void SetColor(int r, int g, int b);
void GetColor(int& r, int& g, int& b);
void SetAlpha(float alpha);
float GetAlpha();
void SetBlend(Blend blend);
Blend GetBlend();
// The display scale s (1..4): picture pixels per logical pixel. The display
// code sets it when it opens a display; 1 until then.
void SetDrawScale(int scale);
int DrawScale();
// Raw-pixel mode, for the few things placed in picture pixels (a position
// truncated after scaling): while on, positions and SetScale factors are
// picture pixels and s is not applied. Off by default.
void SetRawPixels(bool on);
bool RawPixels();

// Relative to natural logical size: (1, 1) is natural size, (2, 2) double.
void SetScale(float sx, float sy);
void GetScale(float& sx, float& sy);
void SetRotation(float degrees);
float GetRotation();
void SetMaskColor(uint8_t r, uint8_t g, uint8_t b);
constexpr int kMaskedImage = 1, kFilteredImage = 2, kMipmappedImage = 4;
void SetAutoImageFlags(int flags);  // -1 leaves them unchanged

void DrawRect(float x, float y, float w, float h);
void DrawLine(float x1, float y1, float x2, float y2, bool last_pixel = true);

// A copy of picture pixels, RGBA, top row first.
struct Pixmap {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
};
std::unique_ptr<Pixmap> GrabPixmap(int x, int y, int w, int h);
// PNG at the given zlib compression level; false when the file cannot be written.
bool SavePixmapPNG(const Pixmap& pixmap, const std::string& path, int compression = 5);

// Draw statistics of the frames so far, for tests and benchmarks.
struct DrawStats {
  int64_t quads = 0;
  int64_t flushes = 0;
};
DrawStats GetDrawStats();
void ResetDrawStats();
