#include "window_as_shown.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

bool CurrentX11Window(Display*& display, Window& window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  SDL_Window* current = SDL_GL_GetCurrentWindow();
  if (!current || !SDL_GetWindowWMInfo(current, &info) || info.subsystem != SDL_SYSWM_X11) return false;
  display = info.info.x11.display;
  window = info.info.x11.window;
  return true;
}

}  // namespace

bool ShownWindowSize(int& width, int& height) {
  Display* display = nullptr;
  Window window = 0;
  if (!CurrentX11Window(display, window)) return false;
  XWindowAttributes attributes{};
  XSync(display, False);
  XGetWindowAttributes(display, window, &attributes);
  width = attributes.width;
  height = attributes.height;
  return true;
}

bool ReadWindowAsShown(std::vector<uint32_t>& pixels, int& width, int& height) {
  Display* display = nullptr;
  Window window = 0;
  if (!CurrentX11Window(display, window)) return false;
  XWindowAttributes attributes{};
  XSync(display, False);
  XGetWindowAttributes(display, window, &attributes);
  XImage* image = XGetImage(display, window, 0, 0, unsigned(attributes.width),
                            unsigned(attributes.height), AllPlanes, ZPixmap);
  if (!image) return false;
  width = attributes.width;
  height = attributes.height;
  pixels.clear();
  pixels.reserve(size_t(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const unsigned long rgb = XGetPixel(image, x, y);
      // 0xRRGGBB to the picture's RGBA byte order.
      pixels.push_back(uint32_t((rgb >> 16) & 0xFF) | uint32_t(rgb & 0xFF00) | uint32_t((rgb & 0xFF) << 16) |
                       0xFF000000u);
    }
  }
  XDestroyImage(image);
  return true;
}
