#pragma once
// The application frame: the program's one window, its single-instance lock and its main loop.
// Each turn of the loop dispatches one window message or, when none waits, runs a frame (the
// update pass, then the render pass). The window procedure turns a close request into a call of
// the close handler, keeps the frame's one pending key for the GUI and tracks the focus.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "Sources/shell/ApplicationFrame.h"
#include "app/sources/FramePacer.h"
#include "platform/window/window.h"
#include "source/core/Delegate.h"
#include "source/core/Singleton.h"

namespace os {
class InstanceLock;
}

class cApplication : public Singleton<cApplication>, public ApplicationFrame {
 public:
  // The lock file is named this followed by the title.
  static constexpr const char* kInstanceLockPrefix = "my_project";
  // A frame never lasts longer than this for the game (a dragged window, a breakpoint).
  static constexpr float kMaxFrameTime = 0.1f;

  struct ClientRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
  };

  cApplication();
  ~cApplication() override;

  // Takes the single-instance lock for `title`. False only when another instance holds it (nothing
  // is written then); a lock that cannot be made at all is logged and the program goes on.
  bool LockInstance(const std::string& title);
  // Takes the lock (unless held already) and creates the main window, hidden, with the caption
  // `title`. Its size and style come from ResizeWindow. False for a second instance (silently) or
  // when the window cannot be made (logged).
  bool Create(const std::string& title);
  // Runs the loop until the quit flag is set or a quit message arrives; answers that message's
  // code, or 0 when the quit flag ended the loop.
  int Run();
  // Places and shows the window: full screen at width x height, or windowed with its client area
  // at (x, y). Always true.
  bool ResizeWindow(int x, int y, int width, int height, bool full_screen);

  void SetCloseHandler(const DelegatePtr& handler) { m_close_handler = handler; }
  void SetDeactivateHandler(const DelegatePtr& handler) override { m_deactivate_handler = handler; }
  const DelegatePtr& GetCloseHandler() const { return m_close_handler; }
  const DelegatePtr& GetDeactivateHandler() const override { return m_deactivate_handler; }
  void SetCursor(window::Cursor* cursor);
  bool Quit() override;

  // The window procedure: every message the loop dispatches.
  void WindowProc(const window::Message& message);

  // ---- read by the render system, the cameras, the input and the GUI ---------------------------
  window::NativeWindow* GetWindow() const { return m_window; }
  const ClientRect& GetClientRect() const { return m_client_rect; }
  bool IsFullScreen() const { return m_full_screen; }
  bool IsActive() const { return m_active; }
  bool IsQuitting() const { return m_quit; }
  // The loop may run again (after Run ended by the quit flag) to show the player one last thing.
  void ResumeAfterQuit() { m_quit = false; }
  // Whether the player can still be shown something before the end: the window is still there
  // and the end was not asked by the system (a signal, logging out), which must not wait.
  bool CanAskBeforeEnding() const { return !m_window_gone && !m_end_asked_by_system; }
  // The frame's key event: pending from its message until the end of the next frame.
  bool IsKeyPending() const { return m_key_pending; }
  // A typed character (true) or a key-down (false).
  bool IsKeyCharacter() const { return m_key_is_character; }
  // The character (UTF-16 unit), or for a key-down the virtual-key code (VirtualKeys.h).
  char16_t GetKeyCode() const { return m_key_code; }

  // ---- for tests ----------------------------------------------------------------------------
  // The folder of the lock file (the store's user folder when empty).
  void SetInstanceLockFolder(const std::string& folder) { m_lock_folder = folder; }
  // The millisecond tick count that frame times are measured with.
  void SetTickSource(std::function<uint32_t()> source);

 private:
  void RunFrame();
  // Ends an active frame: waits for the display's next frame time unless the loop is ending.
  void WaitForNextFrame();
  void RecordKey(bool is_character, uint32_t code);
  void InvokeCloseHandler();

  bool m_quit = false;
  bool m_active = false;
  bool m_window_gone = false;
  bool m_end_asked_by_system = false;
  window::NativeWindow* m_window = nullptr;
  std::unique_ptr<os::InstanceLock> m_instance_lock;
  std::string m_lock_folder;
  window::Cursor* m_cursor = nullptr;
  ClientRect m_client_rect;
  bool m_key_is_character = false;
  bool m_key_pending = false;
  char16_t m_key_code = 0;
  bool m_full_screen = false;
  DelegatePtr m_deactivate_handler;
  DelegatePtr m_close_handler;
  std::function<uint32_t()> m_tick_source;
  bool m_first_frame = true;
  uint32_t m_last_tick = 0;
  cFramePacer m_pacer;
};

// The close handler that the program entry installs: sets the application's quit flag (creating
// the application when absent). The argument is ignored.
DelegateArg QuitApplication(DelegateArg argument);
