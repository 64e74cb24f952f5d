#include "tests/e2e/WindowPixels.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <thread>

#include "tests/support/PngFile.h"

namespace {

// The channel of a pixel value under an X visual mask, as 8 bits.
uint8_t Channel(unsigned long pixel, unsigned long mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (((mask >> shift) & 1) == 0) ++shift;
  const unsigned long max = mask >> shift;
  return static_cast<uint8_t>(((pixel & mask) >> shift) * 255 / max);
}

}  // namespace

uint32_t WindowPixels::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return 0;
  const uint8_t* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
  return (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
}

WindowPixels ReadWindowPixels(unsigned long window) {
  WindowPixels pixels;
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return pixels;
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(display, window, &attributes) != 0) {
    XImage* image = XGetImage(display, window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
    if (image != nullptr) {
      pixels.width = attributes.width;
      pixels.height = attributes.height;
      pixels.rgb.reserve(static_cast<std::size_t>(pixels.width) * pixels.height * 3);
      for (int y = 0; y < pixels.height; ++y) {
        for (int x = 0; x < pixels.width; ++x) {
          const unsigned long pixel = XGetPixel(image, x, y);
          pixels.rgb.push_back(Channel(pixel, image->red_mask));
          pixels.rgb.push_back(Channel(pixel, image->green_mask));
          pixels.rgb.push_back(Channel(pixel, image->blue_mask));
        }
      }
      XDestroyImage(image);
    }
  }
  XCloseDisplay(display);
  return pixels;
}

bool AskWindowToClose(unsigned long window) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return false;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  const Status sent = XSendEvent(display, window, False, NoEventMask, &event);
  XSync(display, False);
  XCloseDisplay(display);
  return sent != 0;
}

bool WaitForWindowPixels(unsigned long window, int timeout_ms, const std::string& png_path,
                         const std::function<bool(const WindowPixels&)>& shows, WindowPixels* last,
                         bool* png_written) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  WindowPixels own;
  WindowPixels& pixels = last != nullptr ? *last : own;
  bool seen = false;
  while (!seen && std::chrono::steady_clock::now() < deadline) {
    pixels = ReadWindowPixels(window);  // in place before `shows` runs: it may read the size
    seen = pixels.width > 0 && shows(pixels);
    if (!seen) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  const bool written =
      WritePng(png_path, static_cast<uint32_t>(pixels.width), static_cast<uint32_t>(pixels.height), pixels.rgb);
  if (png_written != nullptr) *png_written = written;
  return seen;
}
