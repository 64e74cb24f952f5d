#pragma once
// The application window as the renderer sees it: its native handle, its client size, and the
// resize the render system asks for when it sets a video mode. The application frame installs its
// own functions (cApplication::ResizeWindow and its client rectangle); until it does, the window
// service is called directly.

#include <cstdint>
#include <functional>

namespace window {
struct NativeWindow;
}

struct RenderWindowHooks {
  // x, y, width, height of the client area and the full-screen flag; answers whether it worked.
  std::function<bool(int, int, int, int, bool)> resize;
  // The client area's width and height.
  std::function<void(uint32_t&, uint32_t&)> client_size;
};

// Empty functions fall back to the window service.
void SetRenderWindowHooks(const RenderWindowHooks& hooks);

bool ResizeRenderWindow(int x, int y, int width, int height, bool full_screen);
void GetRenderClientSize(uint32_t& width, uint32_t& height);
window::NativeWindow* GetRenderWindowHandle();
