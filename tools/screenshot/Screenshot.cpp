// velmaris-screenshot WINDOW FILE [--close]: writes what the X window (its id, decimal or 0x hex)
// shows on the screen as a PNG file (the part of it that lies on the screen); with --close it then
// asks the window to close, as a window manager's close button does. ./run.sh uses it when the
// game runs on a virtual display.

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "tests/e2e/WindowPixels.h"
#include "tests/support/PngFile.h"

namespace {

int IgnoreError(Display*, XErrorEvent*) { return 0; }  // a failed request is reported by its result

uint8_t Channel(unsigned long pixel, unsigned long mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (((mask >> shift) & 1) == 0) ++shift;
  return static_cast<uint8_t>(((pixel & mask) >> shift) * 255 / (mask >> shift));
}

// The window's part of the screen, read from the root window (a window reaching past the screen's
// edge cannot be read itself).
bool Capture(Display* display, Window window, const char* file) {
  XWindowAttributes attributes{};
  XWindowAttributes screen{};
  const Window root = DefaultRootWindow(display);
  if (XGetWindowAttributes(display, window, &attributes) == 0 || XGetWindowAttributes(display, root, &screen) == 0) {
    return false;
  }
  int x = 0, y = 0;
  Window child = 0;
  if (!XTranslateCoordinates(display, window, root, 0, 0, &x, &y, &child)) return false;
  const int left = std::max(x, 0), top = std::max(y, 0);
  const int width = std::min(x + attributes.width, screen.width) - left;
  const int height = std::min(y + attributes.height, screen.height) - top;
  if (width <= 0 || height <= 0) return false;
  XImage* image = XGetImage(display, root, left, top, static_cast<unsigned>(width), static_cast<unsigned>(height),
                            AllPlanes, ZPixmap);
  if (image == nullptr) return false;
  std::vector<uint8_t> rgb;
  rgb.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
  for (int row = 0; row < height; ++row) {
    for (int column = 0; column < width; ++column) {
      const unsigned long pixel = XGetPixel(image, column, row);
      rgb.push_back(Channel(pixel, image->red_mask));
      rgb.push_back(Channel(pixel, image->green_mask));
      rgb.push_back(Channel(pixel, image->blue_mask));
    }
  }
  XDestroyImage(image);
  return WritePng(file, static_cast<uint32_t>(width), static_cast<uint32_t>(height), rgb);
}
}  // namespace

int main(int argc, char** argv) {
  const bool close = argc == 4 && std::strcmp(argv[3], "--close") == 0;
  if (argc != 3 && !close) {
    std::fprintf(stderr, "usage: velmaris-screenshot WINDOW FILE [--close]\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "velmaris-screenshot: no display\n");
    return 1;
  }
  XSetErrorHandler(&IgnoreError);
  const Window window = std::strtoul(argv[1], nullptr, 0);
  const bool written = Capture(display, window, argv[2]);
  if (!written) std::fprintf(stderr, "velmaris-screenshot: window %s could not be read or %s written\n", argv[1], argv[2]);
  XCloseDisplay(display);
  if (close && !AskWindowToClose(window)) {
    std::fprintf(stderr, "velmaris-screenshot: window %s could not be asked to close\n", argv[1]);
  }
  return written ? 0 : 1;
}
