#include "app/sources/cApplication.h"

#include "app/sources/FramePasses.h"
#include "platform/input/input.h"
#include "platform/os/os.h"
#include "source/log/cLog.h"
#include "source/properties/cProperties.h"
#include "source/render/RenderSettings.h"

namespace {

constexpr const char* kSource = "sources\\cApplication";
constexpr int kLockLine = 226;
constexpr int kCreateLine = 271;

}  // namespace

cApplication::cApplication() : m_tick_source(&os::TickCount) { ApplicationFrame::SetCurrent(this); }

cApplication::~cApplication() {
  ApplicationFrame::Withdraw(this);
  m_deactivate_handler.Reset();
  m_close_handler.Reset();
  // The window and the services beneath it go with the application that made them; the managers
  // made after it (input, rendering) have been destroyed already.
  window::SetWindowProcedure(nullptr);
  input::Shutdown();
  window::Shutdown();
  m_window = nullptr;
  m_instance_lock.reset();
}

bool cApplication::LockInstance(const std::string& title) {
  if (m_instance_lock) return true;
  bool held_elsewhere = false;
  // Beside the files it protects: two launches with different runtime folders (one over ssh, one
  // at the desktop) share the user folder, so they must meet there.
  const cProperties* properties = cProperties::PeekInstance();
  const std::string folder = !m_lock_folder.empty() || properties == nullptr ? m_lock_folder : properties->GetUserFolder();
  m_instance_lock = os::InstanceLock::Acquire(kInstanceLockPrefix + title, folder, &held_elsewhere);
  if (m_instance_lock) return true;
  if (held_elsewhere) return false;  // a second instance: it must not touch the first one's files
  LogReport(kLogWarning, kSource, kLockLine,
            "the single-instance lock could not be made; a second copy of the game would not be noticed");
  return true;
}

bool cApplication::Create(const std::string& title) {
  if (!LockInstance(title)) return false;
  m_key_pending = false;
  window::SetWindowProcedure([](const window::Message& message) {
    if (cApplication* application = cApplication::PeekInstance()) application->WindowProc(message);
  });
  // Made at the wanted mode's size, which the render system then places it at.
  int width = 0, height = 0;
  WantedWindowSize(width, height);
  if (!window::CreateMainWindow(title, width, height)) {
    LogReport(kLogError, kSource, kCreateLine, "Creation window failed. %s", window::LastError().c_str());
    window::SetWindowProcedure(nullptr);
    return false;
  }
  m_window = window::MainWindow();
  return true;
}

bool cApplication::ResizeWindow(int x, int y, int width, int height, bool full_screen) {
  if (full_screen) {
    // Where the display cannot switch to the mode, the desktop's mode shows the picture scaled.
    if (!window::PlaceFullScreen(width, height, false)) window::PlaceFullScreen(width, height, true);
  } else {
    window::PlaceWindowed(x, y, width, height);
  }
  window::ShowMainWindow(true);
  m_client_rect = {0, 0, width, height};
  m_full_screen = full_screen;
  return true;
}

void cApplication::SetCursor(window::Cursor* cursor) {
  m_cursor = cursor;
  window::SetCursor(cursor);
}

bool cApplication::Quit() {
  m_quit = true;
  return true;
}

void cApplication::SetTickSource(std::function<uint32_t()> source) {
  m_tick_source = source ? std::move(source) : std::function<uint32_t()>(&os::TickCount);
  m_first_frame = true;
}

void cApplication::RecordKey(bool is_character, uint32_t code) {
  m_key_is_character = is_character;
  m_key_pending = true;
  m_key_code = static_cast<char16_t>(code);
}

void cApplication::InvokeCloseHandler() {
  // A copy: the handler may replace itself.
  DelegatePtr handler = m_close_handler;
  if (handler) handler->Invoke(m_quit ? 1 : 0);
}

void cApplication::WindowProc(const window::Message& message) {
  using window::MessageType;
  switch (message.type) {
    case MessageType::kDestroy:
      m_window_gone = true;
      window::PostQuitMessage(0);
      break;
    case MessageType::kActivate: {
      const bool active = message.value == 1;
      if (m_active && !active) {
        DelegatePtr handler = m_deactivate_handler;
        if (handler) handler->Invoke(0);
      }
      m_active = active;
      break;
    }
    case MessageType::kCloseCommand:
      // The window stays: the loop ends through the quit flag that the handler sets.
      if (message.value == 1) m_end_asked_by_system = true;
      InvokeCloseHandler();
      break;
    case MessageType::kKeyDown:
      // A key-down always replaces the pending key; it carries the virtual-key code, so the edit
      // box sees Home, End, the arrows, Insert and Delete, which type no character.
      RecordKey(false, message.value);
      break;
    case MessageType::kChar:
      if (message.value > 31) RecordKey(true, message.value);  // controls never arrive as text
      break;
    case MessageType::kPaint:  // nothing is drawn outside the render pass
    case MessageType::kQuit:
    case MessageType::kNone:
      break;
  }
}

void cApplication::RunFrame() {
  const uint32_t now = m_tick_source();
  if (m_first_frame) {
    m_last_tick = now;
    m_first_frame = false;
  }
  // Unsigned, so the count's wrap after 49 days still gives the real difference.
  float dt = static_cast<float>(static_cast<uint32_t>(now - m_last_tick)) / 1000.0f;
  if (dt >= kMaxFrameTime) dt = kMaxFrameTime;
  m_last_tick = now;
  if (!UpdateFrame(dt)) m_quit = true;
  RenderFrame();
  m_key_pending = false;
  WaitForNextFrame();
}

void cApplication::WaitForNextFrame() {
  if (!m_quit) m_pacer.WaitForNextFrame();
}

int cApplication::Run() {
  m_active = true;
  int result = 0;
  while (!m_quit) {
    if (window::PeekMessage()) {
      const window::Message message = window::GetMessage();
      if (message.type == window::MessageType::kQuit) {
        m_window_gone = true;  // posted when the window was destroyed
        result = static_cast<int>(message.value);
        break;
      }
      window::DispatchMessage(message);
    } else if (m_active) {
      RunFrame();
    } else {
      // Inactive: sleep until something happens, then show the picture once. The pending key
      // stays for the next active frame.
      window::WaitMessage();
      RenderFrame();
    }
  }
  return result;
}

DelegateArg QuitApplication(DelegateArg) {
  cApplication::GetInstance()->Quit();
  return 0;
}
