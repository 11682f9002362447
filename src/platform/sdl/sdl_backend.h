#pragma once
#include <SDL.h>

#include <cstdint>
#include <string>

#include "platform/backend.h"
#include "platform/sdl/gl_renderer.h"
#include "platform/sdl/joypads.h"
#include "platform/sdl/virtual_pad.h"

// The real backend: one SDL window with one OpenGL context for the whole run.
// A display switch resizes the window or makes it full screen instead of
// re-creating it, so the atlas texture survives. Full screen is a desktop-size
// borderless window showing the picture at the largest whole scale, centred on
// black, and so is a window the player or the desktop resized; no real video mode is ever changed, so every full-screen
// mode exists on any desktop at least as large as the picture.
class SdlBackend : public Backend {
 public:
  SdlBackend();
  ~SdlBackend() override;
  SdlBackend(const SdlBackend&) = delete;
  SdlBackend& operator=(const SdlBackend&) = delete;

  bool OpenDisplay(int width, int height, int depth, int hertz) override;
  void CloseDisplay() override;
  bool DisplayOpen() const override { return open_; }
  bool ModeExists(int width, int height, int depth, int hertz) override;
  void SetTitle(const std::string& title) override;
  void SetIcon(const uint32_t* rgba, int width, int height) override;
  void ShowPointer(bool visible) override;
  void Notify(const std::string& text) override;
  void WindowSize(int& width, int& height) const override;

  void UploadAtlas(const uint32_t* pixels, int width, int height, int x, int y, int w, int h) override;
  void Clear(uint8_t r, uint8_t g, uint8_t b) override;
  void DrawTriangles(Blend blend, const Vertex* vertices, int count) override;
  void Present() override;
  bool ReadPixels(int x, int y, int w, int h, uint32_t* out) override;

  void PumpEvents(InputState& input) override;
  void WarpPointer(int x, int y) override;
  void HoldPointer(bool held) override;

  int64_t MicroSecs() override;
  void SleepMicros(int64_t us) override;

  // Destroys the window and the context and shuts SDL down (also done on destruction).
  void Shutdown();
  // Which GL the context gives: "3.3 core" or "2.1 compatibility"; empty before the first display.
  const std::string& gl_profile() const { return gl_profile_; }
  bool fullscreen() const { return fullscreen_; }
  size_t renderer_bytes() const { return renderer_.KeptBytes(); }

 private:
  bool EnsureSdl();
  bool CreateWindowAndContext(int width, int height);
  bool CreateContext(GlPipeline pipeline);
  void ApplyWindowMode(int width, int height, bool fullscreen);
  PictureLayout Layout() const;
  void MovePointer(InputState& input, int window_x, int window_y);
  // Puts the system pointer back on the game's pointer after a display switch.
  void PinPointer(InputState& input);
  void HandleKey(const SDL_KeyboardEvent& key, InputState& input);
  void HandleText(const char* utf8, InputState& input);
  // A new display or size: the window is watched until it settles.
  void Unsettle();
  bool Settled() const;

  bool sdl_ready_ = false;
  bool sdl_failed_ = false;
  bool pads_ready_ = false;
  SDL_Window* window_ = nullptr;
  SDL_GLContext context_ = nullptr;
  std::string gl_profile_;
  std::string title_ = "Skitterworm";
  bool pointer_visible_ = true;
  GlRenderer renderer_;
  SdlJoypads joypads_;
  VirtualPad virtual_pad_;
  // Wayland lets no program move the pointer: the game's pointer then moves
  // alone, and while it steers the ship the system pointer is locked instead.
  bool wayland_ = false;
  bool pointer_held_ = false;
  // The game's pointer in window pixels while the pointer is held.
  int held_x_ = 0, held_y_ = 0;
  bool open_ = false;
  bool fullscreen_ = false;
  int picture_w_ = 0, picture_h_ = 0;
  // The window's size counts as settled once it has kept it for kSettleFrames
  // presented frames or kSettleMicros, whichever comes first.
  int unsettled_frames_ = 0;
  int64_t settles_at_us_ = 0;
  int64_t start_us_ = 0;
  // After a display switch the system pointer lies where the old window put
  // it, and the motion queued meanwhile was measured in the old window: the
  // next poll drops that motion and puts the system pointer on the game's
  // pointer, and so does the poll after each resize until the switch is over
  // (a window manager carries the switch out in steps).
  bool pin_pointer_ = false;
  int64_t switch_ends_us_ = 0;
};
