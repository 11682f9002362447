#pragma once
#include <cstdint>
#include <vector>

#include "platform/backend.h"
#include "platform/sdl/gl_loader.h"

// Where the picture lands in the window: whole-number scale, centred.
struct PictureLayout {
  int scale = 1;
  int offset_x = 0, offset_y = 0;
};
// The largest whole factor that fits the window (at least 1), centred: 1:1 in
// a window of the picture's size, scaled up in full screen or in a window the
// desktop made larger (a tiling window manager, maximise, a dragged border).
PictureLayout FitPicture(int picture_w, int picture_h, int window_w, int window_h);
// A screen pixel of the window to the picture pixel under it, clamped into the
// picture (the black border around a scaled picture counts as its edge).
void ScreenToPicture(const PictureLayout& layout, int picture_w, int picture_h, int sx, int sy, int& px, int& py);
// The screen pixel in the middle of a picture pixel's square: the way back lands on the same pixel.
void PictureToScreen(const PictureLayout& layout, int px, int py, int& sx, int& sy);

// How the renderer shades: the fixed-function pipeline of a compatibility
// context (no shader of ours, so the driver never brings up its shading
// language compiler, which holds megabytes for the whole run), else shaders in
// a 3.3 core context (GLSL 330) or a 2.1 one (GLSL 120). All three draw the
// same pixels.
enum class GlPipeline { kFixed, kCore, kLegacy };

// Draws the game's triangles into a picture of exactly the opened size (picture
// pixels, y down) with one streamed vertex buffer, one atlas texture and one
// shader, and shows that picture in the window on Present.
// Needs a current GL context for every call.
class GlRenderer {
 public:
  GlRenderer() = default;
  GlRenderer(const GlRenderer&) = delete;
  GlRenderer& operator=(const GlRenderer&) = delete;

  // Needs a context that offers the pipeline asked for.
  bool Init(GlPipeline pipeline);
  // Drops every GL object; call while the context is still current.
  void Shutdown();
  bool ready() const { return ready_; }

  // Where the frame is drawn: straight into the window when the picture shows
  // there 1:1 (no copy to show it: on a software renderer that copy costs more
  // than the whole frame), its bottom-left corner at (x, y) of the window's
  // buffer; else into the offscreen picture, shown scaled and centred. Chosen
  // at the start of each frame, which always begins with a clear of the whole
  // picture.
  void DrawIntoWindow(bool direct, int x = 0, int y = 0);
  // The size of the picture the next frames draw; where they draw it is chosen
  // again by the next frame's DrawIntoWindow.
  bool SetPictureSize(int width, int height);
  int picture_width() const { return picture_w_; }
  int picture_height() const { return picture_h_; }

  void UploadAtlas(const uint32_t* pixels, int width, int height, int x, int y, int w, int h);
  void Clear(uint8_t r, uint8_t g, uint8_t b);
  // Queues the triangles; they reach the picture at the next Present, ReadPixels
  // or atlas upload (a Clear drops them, as it would cover them).
  void DrawTriangles(Blend blend, const Vertex* vertices, int count);
  // Draws the picture into the default framebuffer of the given size, black around it.
  void Present(int window_w, int window_h, const PictureLayout& layout);
  bool ReadPixels(int x, int y, int w, int h, uint32_t* out);
  // Bytes the vertex queue and buffer hold between frames.
  size_t KeptBytes() const;

 private:
  static constexpr size_t kKeptVertices = 64 * 1024, kKeptCommands = 1024;
  bool BuildProgram(bool core);
  bool has_picture() const { return picture_w_ > 0; }
  // The offscreen picture's texture and framebuffer, made or dropped.
  bool MakeOffscreen(int width, int height);
  void DropOffscreen();
  void SetUpAttributes();
  void ApplyBlend(Blend blend);
  void Stream(const Vertex* vertices, int count);
  void BindPicture();
  // Notes the tiles of the offscreen picture the triangles fall on.
  void MarkDrawnTiles(const Vertex* vertices, int count);
  // Draws the drawn tiles of the offscreen picture into the window as textured
  // quads, laid out as given, every picture pixel an exact square.
  void DrawDrawnTiles(const PictureLayout& layout, int window_w, int window_h);
  void Submit();

  struct Command {
    Blend blend;
    int first, count;
  };
  std::vector<Vertex> queued_vertices_;
  std::vector<Command> commands_;

  GLuint program_ = 0;
  GLint u_size_ = -1, u_mask_ = -1;
  GLuint vao_ = 0, vbo_ = 0;
  GLsizeiptr vbo_capacity_ = 0;
  GLuint atlas_ = 0;
  int atlas_w_ = 0, atlas_h_ = 0;
  GLuint fbo_ = 0, picture_ = 0;
  int picture_w_ = 0, picture_h_ = 0;
  // The offscreen picture is shown tile by tile: only the tiles something was
  // drawn on since the frame's clear are copied to the window, scaled; the
  // rest is the black the window is cleared to. The software renderer's
  // scaled copy costs by the pixel, and most of the picture is the black field.
  static constexpr int kTile = 8;  // picture pixels
  std::vector<uint8_t> drawn_tiles_;
  int tiles_x_ = 0, tiles_y_ = 0;
  std::vector<Vertex> tile_quads_;
  int blend_state_ = -1;  // the Blend last applied, -1 when unknown
  bool direct_ = false;
  bool target_chosen_ = false;  // false until a frame of the current picture size chose where it draws
  // Where the picture's bottom-left corner lies in the framebuffer drawn into:
  // away from 0 only when drawn straight into a window larger than the picture.
  int origin_x_ = 0, origin_y_ = 0;
  bool ready_ = false;
  // Fixed function: vertices are queued already in clip space, as no shader
  // maps picture pixels there.
  bool fixed_ = false;
};
