#pragma once
#include <cstdint>
#include <string>

#include "platform/input_state.h"

// What a platform backend must provide. Everything else of the platform layer
// (drawing state, images and fonts, batching, collisions, input bookkeeping,
// pacing) is shared code above this interface, so the game runs unchanged on
// the SDL/OpenGL backend and on the headless one used by the tests.

enum class Blend : uint8_t { kMask = 1, kSolid = 2, kAlpha = 3, kLight = 4, kShade = 5 };

// One corner of a textured triangle, in picture pixels; u, v address the atlas (0..1).
struct Vertex {
  float x, y;
  float u, v;
  uint8_t r, g, b, a;
};

class Backend {
 public:
  virtual ~Backend() = default;

  // Display. depth 0 opens a window of width x height; 16, 24 or 32 a full-screen
  // display showing a width x height picture. Returns false when it cannot open.
  virtual bool OpenDisplay(int width, int height, int depth, int hertz) = 0;
  virtual void CloseDisplay() = 0;
  virtual bool DisplayOpen() const = 0;
  virtual bool ModeExists(int width, int height, int depth, int hertz) = 0;
  virtual void SetTitle(const std::string& title) = 0;
  // The window's icon from RGBA pixels (top row first); backends without a window ignore it.
  virtual void SetIcon(const uint32_t* /*rgba*/, int /*width*/, int /*height*/) {}
  virtual void ShowPointer(bool visible) = 0;
  virtual void Notify(const std::string& text) = 0;  // blocking message box
  // Window size in screen pixels (the picture size in a window; the desktop in full screen).
  virtual void WindowSize(int& width, int& height) const = 0;

  // Rendering into the offscreen picture of the opened size.
  // The atlas is an RGBA texture of width x height; the region given is copied
  // from pixels (row pitch = width) into the GPU copy.
  virtual void UploadAtlas(const uint32_t* pixels, int width, int height, int x, int y, int w, int h) = 0;
  virtual void Clear(uint8_t r, uint8_t g, uint8_t b) = 0;
  virtual void DrawTriangles(Blend blend, const Vertex* vertices, int count) = 0;
  virtual void Present() = 0;
  // Copies picture pixels (RGBA, top row first) into out; false without a display.
  virtual bool ReadPixels(int x, int y, int w, int h, uint32_t* out) = 0;

  // Input: gathers pending events into the shared input state.
  virtual void PumpEvents(InputState& input) = 0;
  // The pointer, both ways, is in the game's 320x240 picture (the display
  // scale undone), so a display switch never leaves it stale.
  virtual void WarpPointer(int x, int y) = 0;
  // Keeps the pointer inside the window while the game steers by it, on
  // desktops where WarpPointer alone cannot (see HoldPointer).
  virtual void HoldPointer(bool /*held*/) {}

  // Time.
  virtual int64_t MicroSecs() = 0;
  virtual void SleepMicros(int64_t us) = 0;
};

// The active backend: the default unless a test installed the headless one.
Backend& ActiveBackend();
// The program's own backend, given by the devices it is linked with: SDL's
// for the game, the headless one for the verifier.
Backend& DefaultBackend();
void SetBackend(Backend* backend);  // not owned; nullptr restores the default
