#include "window_as_shown.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

bool ReadWindowAsShown(std::vector<uint32_t>& pixels, int& width, int& height) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  SDL_Window* window = SDL_GL_GetCurrentWindow();
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
  Display* display = info.info.x11.display;
  XWindowAttributes attributes{};
  XSync(display, False);
  XGetWindowAttributes(display, info.info.x11.window, &attributes);
  XImage* image = XGetImage(display, info.info.x11.window, 0, 0, unsigned(attributes.width),
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
