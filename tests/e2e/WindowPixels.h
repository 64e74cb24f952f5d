#pragma once
// What a window shows on the test's display, read back as the player sees it.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct WindowPixels {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;  // rows top first, three bytes a pixel

  // The pixel at (x, y) from the top left as 0xRRGGBB; 0 outside.
  uint32_t At(int x, int y) const;
};

// The window's contents; empty (width 0) when it cannot be read.
WindowPixels ReadWindowPixels(unsigned long window);

// Asks the window to close as a window manager's close button does (WM_DELETE_WINDOW).
bool AskWindowToClose(unsigned long window);

// Reads the window until it shows what `shows` asks for or `timeout_ms` has passed, and keeps the
// last frame read as a PNG file at `png_path`; true when it was seen. `last`, when given, holds each
// frame before `shows` looks at it, so that helpers placing points by the window's size may be
// called from `shows`; `png_written`, when given, says whether the PNG could be written.
bool WaitForWindowPixels(unsigned long window, int timeout_ms, const std::string& png_path,
                         const std::function<bool(const WindowPixels&)>& shows, WindowPixels* last = nullptr,
                         bool* png_written = nullptr);
