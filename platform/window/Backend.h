#pragma once
// The table of operations one window backend provides (SDL2 or headless). window.cpp picks one at
// start-up and forwards the public calls to it; the queue and the window procedure stay there.

#include <string>

#include "platform/window/MessageQueue.h"
#include "platform/window/window.h"

namespace window {

class Backend {
 public:
  virtual ~Backend() = default;

  virtual bool Start() = 0;
  virtual void Stop() = 0;
  virtual bool IsHeadless() const = 0;

  virtual bool CreateMainWindow(const std::string& title, int width, int height) = 0;
  virtual bool DestroyMainWindow() = 0;  // true when a window was destroyed
  virtual NativeWindow* MainWindow() const = 0;
  virtual std::string LastError() const = 0;

  virtual bool PlaceWindowed(int x, int y, int width, int height) = 0;
  virtual bool PlaceFullScreen(int width, int height, bool desktop_mode) = 0;
  virtual void ShowMainWindow(bool shown) = 0;
  virtual void SetMainWindowTitle(const std::string& title) = 0;
  virtual ClientSize GetClientSize() const = 0;
  virtual bool GetMousePosition(int* x, int* y) const = 0;
  virtual DesktopMode GetDesktopMode() const = 0;

  // Moves whatever the system has queued into `queue` without blocking.
  virtual void Pump(MessageQueue& queue) = 0;
  // Blocks until the system has something, then moves it into `queue`. False when nothing can
  // ever arrive (headless).
  virtual bool WaitAndPump(MessageQueue& queue) = 0;
  // The same, giving up after `milliseconds`; false when nothing came.
  virtual bool WaitAndPumpFor(MessageQueue& queue, uint32_t milliseconds) = 0;
  // Called when the loop is about to run a frame (a peek found nothing).
  virtual void FrameStarts() {}

  virtual Cursor* CreateCursor(const uint8_t* rgba, int width, int height, int hot_x, int hot_y) = 0;
  virtual void DestroyCursor(Cursor* cursor) = 0;
  virtual void SetCursor(Cursor* cursor) = 0;
};

}  // namespace window
