#include "platform/sdl/sdl_backend.h"

#include <dlfcn.h>
#include <sys/prctl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/graphics.h"
#include "platform/log.h"
#include "platform/sdl/gl_loader.h"
#include "platform/sdl/key_map.h"
#include "platform/stop.h"

namespace {

constexpr Uint32 kDisplaySystems = SDL_INIT_VIDEO | SDL_INIT_EVENTS;
// After a display switch or a resize, the window counts as settled when it has
// kept its size for this many frames, or this long: the opening pause before
// the splash settles the first window with no frames at all.
constexpr int kSettleFrames = 30;
constexpr int64_t kSettleMicros = 500'000;

int64_t SteadyMicros() {
  using namespace std::chrono;
  return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

// Decodes one UTF-8 sequence at text[i]; returns the code point (0xFFFD when
// malformed) and advances i past it.
uint32_t NextCodePoint(const char* text, size_t& i) {
  const auto lead = static_cast<unsigned char>(text[i++]);
  if (lead < 0x80) return lead;
  int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
  if (extra < 0) return 0xFFFD;
  uint32_t cp = lead & (0x3F >> extra);
  for (; extra > 0; --extra) {
    const auto next = static_cast<unsigned char>(text[i]);
    if ((next & 0xC0) != 0x80) return 0xFFFD;
    cp = (cp << 6) | (next & 0x3F);
    ++i;
  }
  return cp;
}

// SDL numbers the buttons left 1, middle 2, right 3; the game wants left 1, right 2, middle 3.
int GameMouseButton(Uint8 sdl_button) {
  switch (sdl_button) {
    case SDL_BUTTON_LEFT:
      return 1;
    case SDL_BUTTON_RIGHT:
      return 2;
    case SDL_BUTTON_MIDDLE:
      return 3;
    default:
      return 0;
  }
}

// The X library ends the process with exit() when the connection to the
// display breaks (a logout, a display server that died). exit() would run the
// static destructors, and tearing the window down on a dead connection spins
// forever. Our handler saves and ends the process at once instead; it never
// returns, which is what the X library asks of a handler that wants to live on
// past the error anyway. SDL loads the X library itself, so it is reached
// through the library SDL already loaded: on Wayland there is nothing to do.
int OnLostX11Display(void* /*display*/) { EndAfterLostDisplay(); }

// Which display servers the session offers, for the log beside the driver SDL chose.
std::string DisplaysOffered() {
  const char* x11 = SDL_getenv("DISPLAY");
  const char* wayland = SDL_getenv("WAYLAND_DISPLAY");
  const char* asked = SDL_getenv("SDL_VIDEODRIVER");
  return std::string(" (WAYLAND_DISPLAY ") + (wayland ? wayland : "unset") + ", DISPLAY " + (x11 ? x11 : "unset") +
         (asked ? std::string(", SDL_VIDEODRIVER ") + asked : std::string()) + ")";
}

void WatchX11Connection() {
  void* x11 = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
  if (!x11) return;
  using IOErrorHandler = int (*)(void*);
  using SetIOErrorHandler = IOErrorHandler (*)(IOErrorHandler);
  if (auto set = reinterpret_cast<SetIOErrorHandler>(dlsym(x11, "XSetIOErrorHandler"))) {
    set(OnLostX11Display);
    DebugLog("A lost X display saves the files and ends the game");
  }
  dlclose(x11);  // only drops the reference taken above; SDL keeps the library loaded
}

}  // namespace

SdlBackend::SdlBackend() : start_us_(SteadyMicros()) {}

SdlBackend::~SdlBackend() { Shutdown(); }

bool SdlBackend::EnsureSdl() {
  if (sdl_ready_) return true;
  if (sdl_failed_) return false;
  // SDL would fake a warp on Wayland by locking the pointer to the window, in
  // the menu too, where the player must be free to leave it: the game locks it
  // itself, only while it steers the ship (HoldPointer).
  SDL_SetHint(SDL_HINT_VIDEO_WAYLAND_EMULATE_MOUSE_WARP, "0");
  if (SDL_InitSubSystem(kDisplaySystems) != 0) {
    DebugLog(std::string("SDL could not start its video: ") + SDL_GetError());
    sdl_failed_ = true;
    return false;
  }
  // Without a real display SDL falls back to drivers that draw nowhere; a game
  // nobody can see is worse than a clear refusal, unless someone asked for one.
  const char* driver = SDL_GetCurrentVideoDriver();
  DebugLog(std::string("Video driver: ") + (driver ? driver : "none") + DisplaysOffered());
  wayland_ = driver && SDL_strcmp(driver, "wayland") == 0;
  if (!SDL_getenv("SDL_VIDEODRIVER") && driver &&
      (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0 || SDL_strcmp(driver, "evdev") == 0)) {
    DebugLog("No display to show the game on (is DISPLAY or WAYLAND_DISPLAY set?)");
    SDL_QuitSubSystem(kDisplaySystems);
    sdl_failed_ = true;
    return false;
  }
  WatchX11Connection();
  // The frame pacing sleeps to its deadlines: this thread's wake-ups should come
  // on time rather than up to 50 microseconds late, the default slack.
  prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
  // Pads are a bonus: without them the game still runs on keyboard and mouse.
  pads_ready_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
  if (!pads_ready_) DebugLog(std::string("Joypads are not available: ") + SDL_GetError());
  if (pads_ready_) virtual_pad_.Start();
  sdl_ready_ = true;
  return true;
}

void SdlBackend::Shutdown() {
  if (context_) {
    SDL_GL_MakeCurrent(window_, context_);
    renderer_.Shutdown();
    SDL_GL_DeleteContext(context_);
    context_ = nullptr;
  }
  if (window_) SDL_DestroyWindow(window_);
  window_ = nullptr;
  joypads_.CloseAll(nullptr);
  virtual_pad_.Stop();
  if (pads_ready_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  if (sdl_ready_) SDL_QuitSubSystem(kDisplaySystems);
  sdl_ready_ = pads_ready_ = false;
  open_ = false;
  gl_profile_.clear();
}

bool SdlBackend::CreateContext(GlPipeline pipeline) {
  const bool core = pipeline == GlPipeline::kCore;
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, core ? 3 : 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, core ? 3 : 1);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, core ? SDL_GL_CONTEXT_PROFILE_CORE : 0);
  context_ = SDL_GL_CreateContext(window_);
  if (!context_) {
    DebugLog(std::string("OpenGL ") + (core ? "3.3 core" : "2.1") + " context refused: " + SDL_GetError());
    return false;
  }
  if (SDL_GL_MakeCurrent(window_, context_) == 0 && gl::Load() && renderer_.Init(pipeline)) {
    gl_profile_ = core                             ? "3.3 core"
                  : pipeline == GlPipeline::kFixed ? "2.1 compatibility, fixed function"
                                                   : "2.1 compatibility";
    const auto text = [](GLenum name) {
      const GLubyte* s = gl::GetString(name);
      return s ? std::string(reinterpret_cast<const char*>(s)) : std::string("?");
    };
    DebugLog("OpenGL " + gl_profile_ + ": " + text(GL_VERSION) + " on " + text(GL_RENDERER));
    return true;
  }
  SDL_GL_DeleteContext(context_);
  context_ = nullptr;
  return false;
}

bool SdlBackend::CreateWindowAndContext(int width, int height) {
  SDL_GL_ResetAttributes();
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
  window_ = SDL_CreateWindow(title_.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height,
                             SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
  if (!window_) {
    DebugLog(std::string("The window could not be created: ") + SDL_GetError());
    return false;
  }
  if (!CreateContext(GlPipeline::kFixed) && !CreateContext(GlPipeline::kCore) && !CreateContext(GlPipeline::kLegacy)) {
    SDL_DestroyWindow(window_);
    window_ = nullptr;
    return false;
  }
  // Vsync where the driver offers it, on any display's refresh: a swap that
  // waits for the display holds back the picture only, as the frame driver
  // steps the ticks that went by meanwhile before it shows the next one.
  if (SDL_GL_SetSwapInterval(1) != 0) DebugLog("OpenGL: no swap interval control; the frame timer paces alone");
  return true;
}

void SdlBackend::ApplyWindowMode(int width, int height, bool fullscreen) {
  const bool was_fullscreen = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0;
  if (fullscreen) {
    if (!was_fullscreen) {
      // Cover the desktop by hand first: without a window manager (a bare X
      // server) the full-screen request below is never carried out, and the
      // window would stay small while SDL believes it fills the screen.
      SDL_Rect bounds;
      const int display = std::max(0, SDL_GetWindowDisplayIndex(window_));
      if (SDL_GetDisplayBounds(display, &bounds) == 0) {
        SDL_SetWindowBordered(window_, SDL_FALSE);
        SDL_SetWindowPosition(window_, bounds.x, bounds.y);
        SDL_SetWindowSize(window_, bounds.w, bounds.h);
      }
    }
    if (SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
      DebugLog(std::string("Full screen refused: ") + SDL_GetError());
    }
  } else {
    if (was_fullscreen) SDL_SetWindowFullscreen(window_, 0);
    SDL_SetWindowBordered(window_, SDL_TRUE);
    // Leaving full screen does not reliably give the old size back, so it is set every time.
    SDL_SetWindowSize(window_, width, height);
    SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  }
  SDL_ShowWindow(window_);
  SDL_RaiseWindow(window_);
}

bool SdlBackend::OpenDisplay(int width, int height, int depth, int /*hertz*/) {
  if (width <= 0 || height <= 0 || (depth != 0 && depth != 16 && depth != 24 && depth != 32)) {
    DebugLog("Display " + std::to_string(width) + "x" + std::to_string(height) + "x" + std::to_string(depth) +
             " is not a mode the game can show");
    return false;
  }
  if (!EnsureSdl()) return false;
  // Only a switch moves the pointer: the first window leaves it where the player has it.
  const bool switching = window_ != nullptr;
  if (!window_ && !CreateWindowAndContext(width, height)) return false;
  SDL_GL_MakeCurrent(window_, context_);
  const bool fullscreen = depth != 0;
  ApplyWindowMode(width, height, fullscreen);
  DebugLog("Display: a " + std::to_string(width) + "x" + std::to_string(height) + " picture " +
           (fullscreen ? "in full screen" : "in a window"));
  // A new display draws into the offscreen picture until its window has
  // settled, whatever the display before it did (see Clear).
  if (!renderer_.SetPictureSize(width, height)) return false;
  picture_w_ = width;
  picture_h_ = height;
  Unsettle();
  pin_pointer_ = switching;
  switch_ends_us_ = switching ? SteadyMicros() + kSettleMicros : 0;
  fullscreen_ = fullscreen;
  open_ = true;
  SDL_ShowCursor(pointer_visible_ ? SDL_ENABLE : SDL_DISABLE);
  SDL_StartTextInput();
  return true;
}

void SdlBackend::CloseDisplay() {
  // The window stays up for now: a display switch opens again at once, and
  // hiding in between would only flicker. It is hidden at the next event pump
  // if nothing was opened.
  open_ = false;
}

bool SdlBackend::ModeExists(int width, int height, int depth, int /*hertz*/) {
  if (depth == 0) return true;
  if (depth != 16 && depth != 24 && depth != 32) return false;
  if (!EnsureSdl()) return false;
  const int display = window_ ? std::max(0, SDL_GetWindowDisplayIndex(window_)) : 0;
  SDL_DisplayMode desktop;
  if (SDL_GetDesktopDisplayMode(display, &desktop) != 0) return false;
  return desktop.w >= width && desktop.h >= height;
}

void SdlBackend::SetIcon(const uint32_t* rgba, int width, int height) {
  if (!window_ || !rgba || width <= 0 || height <= 0) return;
  SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(rgba), width, height, 32, width * 4,
                                                         SDL_PIXELFORMAT_RGBA32);
  if (!icon) return;
  SDL_SetWindowIcon(window_, icon);  // SDL keeps its own copy
  SDL_FreeSurface(icon);
}

void SdlBackend::SetTitle(const std::string& title) {
  title_ = title;
  if (window_) SDL_SetWindowTitle(window_, title_.c_str());
}

void SdlBackend::ShowPointer(bool visible) {
  pointer_visible_ = visible;
  if (sdl_ready_) SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

void SdlBackend::Notify(const std::string& text) {
  DebugLog("Notify: " + text);
  // Works without a window (and without SDL started); without any display at
  // all the text goes to the terminal instead.
  if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, title_.c_str(), text.c_str(), open_ ? window_ : nullptr) !=
      0) {
    std::fprintf(stderr, "%s: %s\n", title_.c_str(), text.c_str());
  }
}

void SdlBackend::Unsettle() {
  unsettled_frames_ = kSettleFrames;
  settles_at_us_ = SteadyMicros() + kSettleMicros;
}

bool SdlBackend::Settled() const { return unsettled_frames_ == 0 || SteadyMicros() >= settles_at_us_; }

void SdlBackend::WindowSize(int& width, int& height) const {
  width = height = 0;
  if (window_ && open_) SDL_GetWindowSize(window_, &width, &height);
}

void SdlBackend::UploadAtlas(const uint32_t* pixels, int width, int height, int x, int y, int w, int h) {
  if (context_) renderer_.UploadAtlas(pixels, width, height, x, y, w, h);
}

void SdlBackend::Clear(uint8_t r, uint8_t g, uint8_t b) {
  if (!open_) return;
  // A frame starts with its clear: the moment to choose where it is drawn.
  // Straight into the window when the picture shows there 1:1 (a window of its
  // size, or a full-screen desktop too small for the picture at twice its
  // size), and only once the window's size has settled: the display server
  // may still be resizing it, and what is drawn outside its real size would be
  // lost.
  int w = 0, h = 0;
  SDL_GL_GetDrawableSize(window_, &w, &h);
  const PictureLayout layout = FitPicture(picture_w_, picture_h_, w, h);
  const bool fits = layout.scale == 1 && layout.offset_x >= 0 && layout.offset_y >= 0;
  // GL counts the window's rows from the bottom.
  renderer_.DrawIntoWindow(Settled() && fits, layout.offset_x, h - layout.offset_y - picture_h_);
  renderer_.Clear(r, g, b);
}

void SdlBackend::DrawTriangles(Blend blend, const Vertex* vertices, int count) {
  if (open_) renderer_.DrawTriangles(blend, vertices, count);
}

PictureLayout SdlBackend::Layout() const {
  int w = 0, h = 0;
  SDL_GL_GetDrawableSize(window_, &w, &h);
  return FitPicture(picture_w_, picture_h_, w, h);
}

void SdlBackend::Present() {
  if (!open_) return;
  int w = 0, h = 0;
  SDL_GL_GetDrawableSize(window_, &w, &h);
  renderer_.Present(w, h, FitPicture(picture_w_, picture_h_, w, h));
  if (unsettled_frames_ > 0) --unsettled_frames_;
  SDL_GL_SwapWindow(window_);
}

bool SdlBackend::ReadPixels(int x, int y, int w, int h, uint32_t* out) {
  return open_ && renderer_.ReadPixels(x, y, w, h, out);
}

void SdlBackend::MovePointer(InputState& input, int window_x, int window_y) {
  if (!window_ || picture_w_ <= 0 || picture_h_ <= 0) return;
  int ww = 0, wh = 0, dw = 0, dh = 0;
  SDL_GetWindowSize(window_, &ww, &wh);
  SDL_GL_GetDrawableSize(window_, &dw, &dh);
  // Window coordinates to drawable pixels (they differ on high-density screens),
  // then undo the centring and the scale of the picture, then the draw scale:
  // the game reads the pointer in the same 320x240 picture it draws in.
  const int px = ww > 0 ? window_x * dw / ww : window_x;
  const int py = wh > 0 ? window_y * dh / wh : window_y;
  const PictureLayout layout = FitPicture(picture_w_, picture_h_, dw, dh);
  int x = 0, y = 0;
  ScreenToPicture(layout, picture_w_, picture_h_, px, py, x, y);
  input.mouse_x = x / DrawScale();
  input.mouse_y = y / DrawScale();
}

void SdlBackend::WarpPointer(int x, int y) {
  if (!window_ || !open_) return;
  int ww = 0, wh = 0, dw = 0, dh = 0;
  SDL_GetWindowSize(window_, &ww, &wh);
  SDL_GL_GetDrawableSize(window_, &dw, &dh);
  int px = 0, py = 0;
  PictureToScreen(Layout(), x * DrawScale(), y * DrawScale(), px, py);
  if (dw > 0 && dh > 0) {
    px = px * ww / dw;
    py = py * wh / dh;
  }
  held_x_ = px;
  held_y_ = py;
  if (!pointer_held_) SDL_WarpMouseInWindow(window_, px, py);
}

void SdlBackend::HoldPointer(bool held) {
  if (!wayland_ || !window_ || held == pointer_held_) return;
  if (SDL_SetRelativeMouseMode(held ? SDL_TRUE : SDL_FALSE) != 0) {
    DebugLog(std::string("The pointer cannot be locked to the window: ") + SDL_GetError());
    return;
  }
  pointer_held_ = held;
  DebugLog(held ? "The pointer is locked to the window while it steers the ship" : "The pointer is free again");
}

void SdlBackend::PinPointer(InputState& input) {
  pin_pointer_ = false;
  SDL_PumpEvents();
  SDL_FlushEvent(SDL_MOUSEMOTION);
  if (input.window_active) WarpPointer(input.mouse_x, input.mouse_y);
}

void SdlBackend::HandleKey(const SDL_KeyboardEvent& key, InputState& input) {
  const int code = VirtualKeyFromScancode(key.keysym.scancode);
  const int generic = GenericModifier(code);
  if (key.type == SDL_KEYUP) {
    if (code) input.ReleaseKey(code);
    // The generic Shift/Ctrl/Alt stays down while the other side is still held.
    const int other = code ^ 1;  // 160 <-> 161, 162 <-> 163, 164 <-> 165
    if (generic && !input.key_down[other]) input.ReleaseKey(generic);
    return;
  }
  if (key.repeat) return;  // a held key counts as one press
  if (code) input.PressKey(code);
  if (generic) input.PressKey(generic);
  // The keys that edit a typed name arrive as characters too.
  switch (key.keysym.scancode) {
    case SDL_SCANCODE_RETURN:
    case SDL_SCANCODE_KP_ENTER:
      input.TypeChar(13);
      break;
    case SDL_SCANCODE_BACKSPACE:
      input.TypeChar(8);
      break;
    case SDL_SCANCODE_ESCAPE:
      input.TypeChar(27);
      break;
    default:
      break;
  }
}

void SdlBackend::HandleText(const char* utf8, InputState& input) {
  size_t i = 0;
  while (utf8[i] != '\0') {
    const uint32_t cp = NextCodePoint(utf8, i);
    // The game's text is 8-bit: characters outside Latin-1 cannot be shown or stored.
    if (cp >= 32 && cp <= 255 && cp != 127) input.TypeChar(cp);
  }
}

void SdlBackend::PumpEvents(InputState& input) {
  if (!sdl_ready_) return;
  if (!open_ && window_ && (SDL_GetWindowFlags(window_) & SDL_WINDOW_SHOWN)) SDL_HideWindow(window_);
  if (pin_pointer_ && open_) PinPointer(input);
  // Where the game's pointer was before this poll: a resize that belongs to a
  // display switch puts it back there.
  const int kept_x = input.mouse_x, kept_y = input.mouse_y;
  virtual_pad_.Step();
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    if (joypads_.HandleEvent(event, input)) continue;
    switch (event.type) {
      case SDL_QUIT:
        input.close_requested = true;
        break;
      case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_CLOSE) input.close_requested = true;
        if (event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
          DebugLog("The window is now " + std::to_string(event.window.data1) + "x" +
                   std::to_string(event.window.data2));
          Unsettle();
          if (SteadyMicros() < switch_ends_us_) pin_pointer_ = true;
        }
        // The player went to another window or minimised this one; the game
        // pauses play and frees the pointer until the focus comes back.
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST || event.window.event == SDL_WINDOWEVENT_MINIMIZED)
          input.window_active = false;
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) input.window_active = true;
        break;
      // Keys held when the window loses the focus come back as key-ups from SDL
      // itself, so nothing stays stuck down after switching windows.
      case SDL_KEYDOWN:
      case SDL_KEYUP:
        HandleKey(event.key, input);
        break;
      case SDL_TEXTINPUT:
        HandleText(event.text.text, input);
        break;
      case SDL_MOUSEMOTION:
        if (pointer_held_) {
          // Locked, the pointer reports only its motion: it moves the game's
          // pointer from where the game last put it, as a warp does on X.
          int ww = 0, wh = 0;
          SDL_GetWindowSize(window_, &ww, &wh);
          held_x_ = std::clamp(held_x_ + event.motion.xrel, 0, std::max(0, ww - 1));
          held_y_ = std::clamp(held_y_ + event.motion.yrel, 0, std::max(0, wh - 1));
          MovePointer(input, held_x_, held_y_);
        } else {
          MovePointer(input, event.motion.x, event.motion.y);
        }
        break;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP: {
        MovePointer(input, event.button.x, event.button.y);
        const int button = GameMouseButton(event.button.button);
        if (button == 0) break;
        if (event.type == SDL_MOUSEBUTTONDOWN) {
          input.PressMouse(button);
        } else {
          input.ReleaseMouse(button);
        }
        break;
      }
      case SDL_MOUSEWHEEL:
        input.mouse_z += event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
        break;
      default:
        break;
    }
  }
  if (pin_pointer_) {
    input.mouse_x = kept_x;
    input.mouse_y = kept_y;
  }
}

int64_t SdlBackend::MicroSecs() { return SteadyMicros() - start_us_; }

void SdlBackend::SleepMicros(int64_t us) {
  if (us <= 0) return;
  // A plain sleep to the deadline. Spinning the last stretch cost a tenth of a
  // core at 60 frames a second; with the timer slack at its least (set when SDL
  // starts) the kernel wakes the game within tens of microseconds, and the
  // frame clocks count from the deadline, not from the wake-up, so a late
  // wake-up never adds up.
  std::this_thread::sleep_for(std::chrono::microseconds(us));
}
