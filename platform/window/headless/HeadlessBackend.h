#pragma once
// The window backend without a display: no window is made, the queue is filled by tests, and the
// client size, the mouse and the desktop mode are whatever the tests set (HeadlessWindow.h).

#include <functional>
#include <memory>
#include <set>

#include "platform/window/Backend.h"

namespace window {

class HeadlessBackend : public Backend {
 public:
  bool Start() override { return true; }
  void Stop() override;
  bool IsHeadless() const override { return true; }

  bool CreateMainWindow(const std::string& title, int width, int height) override;
  bool DestroyMainWindow() override;
  NativeWindow* MainWindow() const override;
  std::string LastError() const override { return m_last_error; }

  bool PlaceWindowed(int x, int y, int width, int height) override;
  bool PlaceFullScreen(int width, int height, bool desktop_mode) override;
  void ShowMainWindow(bool shown) override { m_shown = shown; }
  void SetMainWindowTitle(const std::string& title) override {
    if (m_exists) m_title = title;
  }
  ClientSize GetClientSize() const override { return m_client; }
  bool GetMousePosition(int* x, int* y) const override;
  DesktopMode GetDesktopMode() const override { return m_desktop; }

  void Pump(MessageQueue&) override {}
  bool WaitAndPump(MessageQueue&) override { return false; }
  bool WaitAndPumpFor(MessageQueue&, uint32_t) override { return false; }
  void FrameStarts() override;

  Cursor* CreateCursor(const uint8_t* rgba, int width, int height, int hot_x, int hot_y) override;
  void DestroyCursor(Cursor* cursor) override;
  void SetCursor(Cursor* cursor) override { m_cursor = cursor; }

  // ---- what tests set and read -------------------------------------------------------------------
  std::string m_title;
  std::string m_last_error;
  bool m_fail_create = false;
  bool m_exists = false;
  bool m_shown = false;
  bool m_full_screen = false;
  bool m_desktop_full_screen = false;
  int m_x = 0;
  int m_y = 0;
  ClientSize m_client;
  int m_mouse_x = 0;
  int m_mouse_y = 0;
  DesktopMode m_desktop{1024, 768, 32};  // the headless graphics backend's desktop too
  Cursor* m_cursor = nullptr;
  std::set<Cursor*> m_cursors;
  std::function<void()> m_frame_hook;
};

}  // namespace window
