#include "platform/graphics.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/atlas.h"
#include "platform/input.h"
#include "platform/log.h"

namespace {

struct DrawState {
  int r = 255, g = 255, b = 255;
  float alpha = 1;
  Blend blend = Blend::kLight;
  float scale_x = 1, scale_y = 1;
  float rotation = 0;
  uint8_t clear_r = 0, clear_g = 0, clear_b = 0;
  int draw_scale = 1;
  bool raw_pixels = false;
};

// Process-wide: the drawing state and the batch of the one picture the run draws.
DrawState state;
int picture_width = 0, picture_height = 0;
DrawStats stats;

// The batch: a fixed buffer, so drawing never allocates.
constexpr int kBatchQuads = 4096;
Vertex batch[kBatchQuads * 6];
int batch_vertices = 0;
Blend batch_blend = Blend::kLight;

uint8_t ToByte(float v) { return uint8_t(std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f); }

}  // namespace

void FlushBatch() {
  if (batch_vertices == 0) return;
  SharedAtlas().Upload(false);
  ActiveBackend().DrawTriangles(batch_blend, batch, batch_vertices);
  batch_vertices = 0;
  ++stats.flushes;
}

void BatchQuad(const float (&x)[4], const float (&y)[4], const AtlasRegion& region) {
  if (state.blend != batch_blend || batch_vertices + 6 > int(std::size(batch))) {
    FlushBatch();
    batch_blend = state.blend;
  }
  const uint8_t r = uint8_t(std::clamp(state.r, 0, 255)), g = uint8_t(std::clamp(state.g, 0, 255)),
                b = uint8_t(std::clamp(state.b, 0, 255)), a = ToByte(state.alpha);
  const float u[4] = {region.u0, region.u1, region.u1, region.u0};
  const float v[4] = {region.v0, region.v0, region.v1, region.v1};
  static constexpr int kOrder[6] = {0, 1, 2, 0, 2, 3};
  for (int corner : kOrder) batch[batch_vertices++] = {x[corner], y[corner], u[corner], v[corner], r, g, b, a};
  ++stats.quads;
}

bool Graphics(int width, int height, int depth, int hertz) {
  FlushBatch();
  Backend& backend = ActiveBackend();
  if (!backend.OpenDisplay(width, height, depth, hertz)) return false;
  picture_width = width;
  picture_height = height;
  SharedAtlas().Upload(true);
  return true;
}

void EndGraphics() {
  FlushBatch();
  ActiveBackend().CloseDisplay();
}

bool GraphicsModeExists(int width, int height, int depth, int hertz) {
  return ActiveBackend().ModeExists(width, height, depth, hertz);
}

int GraphicsWidth() { return picture_width; }
int GraphicsHeight() { return picture_height; }
void AppTitle(const std::string& title) { ActiveBackend().SetTitle(title); }
void HidePointer() { WantPointer(false); }
void ShowPointer() { WantPointer(true); }
std::string WrapLines(const std::string& text, size_t columns) {
  std::string wrapped;
  size_t line_start = 0;  // where the current line begins in `wrapped`
  size_t at = 0;
  while (at < text.size()) {
    if (text[at] == '\n') {  // the text's own line breaks stay
      wrapped += '\n';
      line_start = wrapped.size();
      ++at;
      continue;
    }
    const size_t end = std::min(text.find_first_of(" \n", at), text.size());
    std::string word = text.substr(at, end - at);
    at = end < text.size() && text[end] == ' ' ? end + 1 : end;
    // A word longer than a line (a path) is cut where the line is full.
    while (!word.empty()) {
      const size_t used = wrapped.size() - line_start;
      const size_t gap = used > 0 ? 1 : 0;
      if (used + gap + word.size() <= columns) {
        if (gap) wrapped += ' ';
        wrapped += word;
        break;
      }
      if (used > 0) {
        wrapped += '\n';
        line_start = wrapped.size();
        continue;
      }
      wrapped += word.substr(0, columns) + '\n';
      line_start = wrapped.size();
      word.erase(0, columns);
    }
  }
  return wrapped;
}

// The display library's box is as wide as its longest line, and a long path
// made one wider than the screen: the text goes in lines a box can show.
void Notify(const std::string& text) { ActiveBackend().Notify(WrapLines(text, kNotifyColumns)); }

void SetClsColor(uint8_t r, uint8_t g, uint8_t b) {
  state.clear_r = r;
  state.clear_g = g;
  state.clear_b = b;
}

void Cls() {
  batch_vertices = 0;  // anything not yet drawn would be cleared anyway
  ActiveBackend().Clear(state.clear_r, state.clear_g, state.clear_b);
}

void Flip() {
  FlushBatch();
  ActiveBackend().Present();
}

void SetColor(int r, int g, int b) {
  state.r = r;
  state.g = g;
  state.b = b;
}

void GetColor(int& r, int& g, int& b) {
  r = state.r;
  g = state.g;
  b = state.b;
}

void SetAlpha(float alpha) { state.alpha = alpha; }
float GetAlpha() { return state.alpha; }
void SetBlend(Blend blend) { state.blend = blend; }
Blend GetBlend() { return state.blend; }

void SetDrawScale(int scale) { state.draw_scale = scale >= 1 ? scale : 1; }
int DrawScale() { return state.draw_scale; }
void SetRawPixels(bool on) { state.raw_pixels = on; }
bool RawPixels() { return state.raw_pixels; }

namespace {
float PositionScale() { return state.raw_pixels ? 1.0f : float(state.draw_scale); }
}  // namespace

void SetScale(float sx, float sy) {
  state.scale_x = sx;
  state.scale_y = sy;
}

void GetScale(float& sx, float& sy) {
  sx = state.scale_x;
  sy = state.scale_y;
}

void SetRotation(float degrees) { state.rotation = degrees; }
float GetRotation() { return state.rotation; }

void DrawRect(float x, float y, float w, float h) {
  const float k = PositionScale();
  x *= k;
  y *= k;
  const float x2 = x + w * (state.scale_x * k), y2 = y + h * (state.scale_y * k);
  const float xs[4] = {x, x2, x2, x};
  const float ys[4] = {y, y, y2, y2};
  BatchQuad(xs, ys, SharedAtlas().white());
}

void DrawLine(float x1, float y1, float x2, float y2, bool last_pixel) {
  // A one-pixel-wide quad along the line, covering pixel centres from the first
  // point to the last (half a pixel beyond it when the last pixel is included).
  const float k = PositionScale();
  x1 *= k;
  y1 *= k;
  x2 *= k;
  y2 *= k;
  const float dx = x2 - x1, dy = y2 - y1;
  const float length = std::sqrt(dx * dx + dy * dy);
  float ux = 1, uy = 0;
  if (length > 0) {
    ux = dx / length;
    uy = dy / length;
  }
  const float extend = last_pixel ? 0.5f : -0.5f;
  const float ax = x1 + 0.5f - ux * 0.5f, ay = y1 + 0.5f - uy * 0.5f;
  const float bx = x2 + 0.5f + ux * extend, by = y2 + 0.5f + uy * extend;
  const float nx = -uy * 0.5f, ny = ux * 0.5f;
  const float xs[4] = {ax + nx, bx + nx, bx - nx, ax - nx};
  const float ys[4] = {ay + ny, by + ny, by - ny, ay - ny};
  BatchQuad(xs, ys, SharedAtlas().white());
}

std::unique_ptr<Pixmap> GrabPixmap(int x, int y, int w, int h) {
  FlushBatch();
  auto pixmap = std::make_unique<Pixmap>();
  if (w <= 0 || h <= 0) return pixmap;
  pixmap->width = w;
  pixmap->height = h;
  pixmap->pixels.assign(size_t(w) * h, 0);
  if (!ActiveBackend().ReadPixels(x, y, w, h, pixmap->pixels.data())) DebugLog("Cannot read the screen back");
  return pixmap;
}

bool SavePixmapPNG(const Pixmap& pixmap, const std::string& path, int compression) {
  if (pixmap.width <= 0 || pixmap.height <= 0) return false;
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) {
    DebugLog("Cannot write " + path);
    return false;
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  bool ok = png && info;
  if (ok && setjmp(png_jmpbuf(png))) ok = false;
  if (ok) {
    png_init_io(png, file);
    png_set_compression_level(png, compression);
    png_set_IHDR(png, info, png_uint_32(pixmap.width), png_uint_32(pixmap.height), 8, PNG_COLOR_TYPE_RGB_ALPHA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int row = 0; row < pixmap.height; ++row)
      png_write_row(png, reinterpret_cast<png_const_bytep>(&pixmap.pixels[size_t(row) * pixmap.width]));
    png_write_end(png, nullptr);
  }
  png_destroy_write_struct(&png, &info);
  if (std::fclose(file) != 0) ok = false;
  if (!ok) DebugLog("Saving " + path + " as PNG failed");
  return ok;
}

DrawStats GetDrawStats() { return stats; }
void ResetDrawStats() { stats = {}; }

// Shared with image and font drawing.
Transform CurrentTransform() {
  const float k = PositionScale();
  return {k, state.scale_x * k, state.scale_y * k, state.rotation};
}

void ResetDrawState() {
  state = DrawState{};
  batch_vertices = 0;
  picture_width = picture_height = 0;
}
