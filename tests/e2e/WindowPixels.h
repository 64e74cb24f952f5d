#pragma once
// What a window shows on the test's display, read back as the player sees it.

#include <cstdint>
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
