#include "platform/window/headless/HeadlessBackend.h"

#include "platform/window/Service.h"
#include "platform/window/headless/HeadlessWindow.h"

namespace window {
namespace {

// The token handed out as the main window; never dereferenced.
char g_window_token;

}  // namespace

void HeadlessBackend::Stop() {
  for (Cursor* cursor : m_cursors) delete reinterpret_cast<char*>(cursor);
  m_cursors.clear();
  m_cursor = nullptr;
  m_frame_hook = nullptr;
}

bool HeadlessBackend::CreateMainWindow(const std::string& title, int, int) {
  if (m_exists) {
    m_last_error = "the main window exists already";
    return false;
  }
  if (m_fail_create) {
    m_fail_create = false;
    return false;
  }
  m_exists = true;
  m_shown = false;
  m_title = title;
  return true;
}

bool HeadlessBackend::DestroyMainWindow() {
  const bool existed = m_exists;
  m_exists = false;
  m_shown = false;
  return existed;
}

NativeWindow* HeadlessBackend::MainWindow() const {
  return m_exists ? reinterpret_cast<NativeWindow*>(&g_window_token) : nullptr;
}

bool HeadlessBackend::PlaceWindowed(int x, int y, int width, int height) {
  if (!m_exists) return false;
  m_full_screen = false;
  m_desktop_full_screen = false;
  m_x = x;
  m_y = y;
  m_client = {width, height};
  return true;
}

bool HeadlessBackend::PlaceFullScreen(int width, int height, bool desktop_mode) {
  if (!m_exists) return false;
  m_full_screen = true;
  m_desktop_full_screen = desktop_mode;
  m_x = 0;
  m_y = 0;
  m_client = {width, height};
  return true;
}

bool HeadlessBackend::GetMousePosition(int* x, int* y) const {
  *x = m_mouse_x;
  *y = m_mouse_y;
  return true;
}

void HeadlessBackend::FrameStarts() {
  if (m_frame_hook) {
    const std::function<void()> hook = m_frame_hook;  // the hook may replace itself
    hook();
  }
}

Cursor* HeadlessBackend::CreateCursor(const uint8_t*, int, int, int, int) {
  // Cursors are only told apart, so each is one byte of its own.
  Cursor* cursor = reinterpret_cast<Cursor*>(new char(0));
  m_cursors.insert(cursor);
  return cursor;
}

void HeadlessBackend::DestroyCursor(Cursor* cursor) {
  if (m_cursors.erase(cursor) == 0) return;
  if (m_cursor == cursor) m_cursor = nullptr;
  delete reinterpret_cast<char*>(cursor);
}

// ---- test controls ------------------------------------------------------------------------------

namespace headless {
namespace {

HeadlessBackend* Headless() { return dynamic_cast<HeadlessBackend*>(detail::ActiveBackend()); }

}  // namespace

uint32_t NextEventTime() {
  static uint32_t clock = 0;
  return ++clock;
}

bool PushMessage(const Message& message) {
  if (Headless() == nullptr) return false;
  Message stamped = message;
  if (stamped.time == 0) stamped.time = NextEventTime();
  detail::Queue().Push(stamped);
  return true;
}

bool PushText(const char* utf8) {
  if (Headless() == nullptr) return false;
  detail::Queue().PushText(utf8, NextEventTime());
  return true;
}

bool SetClientSize(int width, int height) {
  HeadlessBackend* backend = Headless();
  if (backend == nullptr) return false;
  backend->m_client = {width, height};
  return true;
}

bool SetMousePosition(int x, int y) {
  HeadlessBackend* backend = Headless();
  if (backend == nullptr) return false;
  backend->m_mouse_x = x;
  backend->m_mouse_y = y;
  return true;
}

bool SetDesktopMode(const DesktopMode& mode) {
  HeadlessBackend* backend = Headless();
  if (backend == nullptr) return false;
  backend->m_desktop = mode;
  return true;
}

bool FailNextCreate(const std::string& error) {
  HeadlessBackend* backend = Headless();
  if (backend == nullptr) return false;
  backend->m_fail_create = true;
  backend->m_last_error = error;
  return true;
}

bool SetFrameHook(std::function<void()> hook) {
  HeadlessBackend* backend = Headless();
  if (backend == nullptr) return false;
  backend->m_frame_hook = std::move(hook);
  return true;
}

Placement GetPlacement() {
  Placement placement;
  HeadlessBackend* backend = Headless();
  if (backend == nullptr) return placement;
  placement.exists = backend->m_exists;
  placement.title = backend->m_title;
  placement.shown = backend->m_shown;
  placement.full_screen = backend->m_full_screen;
  placement.desktop_full_screen = backend->m_desktop_full_screen;
  placement.x = backend->m_x;
  placement.y = backend->m_y;
  placement.client = backend->m_client;
  placement.cursor = backend->m_cursor;
  placement.cursors = static_cast<int>(backend->m_cursors.size());
  return placement;
}

}  // namespace headless
}  // namespace window
