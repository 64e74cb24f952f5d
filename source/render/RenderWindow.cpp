#include "source/render/RenderWindow.h"

#include "platform/window/window.h"

namespace {

RenderWindowHooks& Hooks() {
  // Never destroyed: the render system released at exit may still reach it.
  static RenderWindowHooks& hooks = *new RenderWindowHooks();
  return hooks;
}

}  // namespace

void SetRenderWindowHooks(const RenderWindowHooks& hooks) { Hooks() = hooks; }

bool ResizeRenderWindow(int x, int y, int width, int height, bool full_screen) {
  if (Hooks().resize) return Hooks().resize(x, y, width, height, full_screen);
  const bool placed = full_screen ? window::PlaceFullScreen(width, height, false)
                                  : window::PlaceWindowed(x, y, width, height);
  window::ShowMainWindow(true);
  return placed;
}

void GetRenderClientSize(uint32_t& width, uint32_t& height) {
  if (Hooks().client_size) {
    Hooks().client_size(width, height);
    return;
  }
  const window::ClientSize size = window::GetClientSize();
  width = size.width > 0 ? static_cast<uint32_t>(size.width) : 0;
  height = size.height > 0 ? static_cast<uint32_t>(size.height) : 0;
}

window::NativeWindow* GetRenderWindowHandle() { return window::MainWindow(); }
