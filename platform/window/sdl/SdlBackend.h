#pragma once
// The window backend over SDL2: one SDL window with OpenGL, SDL's event queue, SDL cursors.

#include <set>

#include "platform/window/Backend.h"

struct SDL_Window;
struct SDL_Cursor;
union SDL_Event;

namespace window::sdl {

class SdlBackend : public Backend {
 public:
  bool Start() override;
  void Stop() override;
  bool IsHeadless() const override { return false; }

  bool CreateMainWindow(const std::string& title, int width, int height) override;
  bool DestroyMainWindow() override;
  NativeWindow* MainWindow() const override;
  std::string LastError() const override { return m_last_error; }

  bool PlaceWindowed(int x, int y, int width, int height) override;
  bool PlaceFullScreen(int width, int height, bool desktop_mode) override;
  void ShowMainWindow(bool shown) override;
  void SetMainWindowTitle(const std::string& title) override;
  ClientSize GetClientSize() const override;
  bool GetMousePosition(int* x, int* y) const override;
  DesktopMode GetDesktopMode() const override;

  void Pump(MessageQueue& queue) override;
  bool WaitAndPump(MessageQueue& queue) override;
  bool WaitAndPumpFor(MessageQueue& queue, uint32_t milliseconds) override;

  Cursor* CreateCursor(const uint8_t* rgba, int width, int height, int hot_x, int hot_y) override;
  void DestroyCursor(Cursor* cursor) override;
  void SetCursor(Cursor* cursor) override;

 private:
  void Handle(const SDL_Event& event, MessageQueue& queue);
  bool Fail(const char* what);

  SDL_Window* m_window = nullptr;
  std::set<SDL_Cursor*> m_cursors;
  std::string m_last_error;
};

}  // namespace window::sdl
