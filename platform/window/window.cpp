// Picks the window backend at start-up and forwards the public calls to it. The queue and the
// window procedure live here, so every backend hands out messages the same way.

#include "platform/window/window.h"

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/os/os.h"
#include "platform/window/Backend.h"
#include "platform/window/CursorImages.h"
#include "platform/window/Service.h"
#include "platform/window/headless/HeadlessBackend.h"
#include "platform/window/sdl/SdlBackend.h"

namespace window {
namespace {

struct ServiceState {
  std::unique_ptr<Backend> backend;
  bool started = false;
  MessageQueue queue;
  WindowProcedure procedure;
};

ServiceState& State() {
  // Never destroyed: managers released at exit, after static objects go, may still reach it.
  static ServiceState& state = *new ServiceState();
  return state;
}

// The cursor the program asked for last, and whether the pointer may be seen at all.
Cursor* g_wanted_cursor = nullptr;
bool g_pointer_shown = true;

// Read from inside the display library, maybe on another thread: a plain pointer in an atomic.
std::atomic<DisplayLostHandler> g_display_lost_handler{nullptr};

bool HeadlessRequested() {
  const char* value = std::getenv("VELMARIS_HEADLESS");
  return value != nullptr && std::strcmp(value, "1") == 0;
}

}  // namespace

namespace detail {

Backend* ActiveBackend() {
  ServiceState& state = State();
  if (!state.backend) {
    if (HeadlessRequested()) {
      state.backend = std::make_unique<HeadlessBackend>();
    } else {
      state.backend = std::make_unique<sdl::SdlBackend>();
    }
    state.started = state.backend->Start();
  }
  return state.started ? state.backend.get() : nullptr;
}

MessageQueue& Queue() { return State().queue; }

void DisplayLost() {
  if (DisplayLostHandler handler = g_display_lost_handler.exchange(nullptr)) {
    handler();
  } else {
    std::fputs("Velmaris: the connection to the display was lost\n", stderr);
  }
  _exit(1);
}

}  // namespace detail

using detail::ActiveBackend;

bool Initialize() { return ActiveBackend() != nullptr; }

void Shutdown() {
  ServiceState& state = State();
  if (state.backend && state.started) {
    state.backend->DestroyMainWindow();
    state.backend->Stop();
  }
  state.backend.reset();
  state.started = false;
  state.queue.Clear();
  state.procedure = nullptr;
  // The cursors went with the backend; a new start shows the pointer.
  g_wanted_cursor = nullptr;
  g_pointer_shown = true;
}

void SetDisplayLostHandler(DisplayLostHandler handler) { g_display_lost_handler = handler; }

bool IsHeadless() {
  Backend* backend = ActiveBackend();
  return backend != nullptr ? backend->IsHeadless() : HeadlessRequested();
}

bool CreateMainWindow(const std::string& title, int width, int height) {
  Backend* backend = ActiveBackend();
  return backend != nullptr && width > 0 && height > 0 &&
         backend->CreateMainWindow(title, width, height);
}

void DestroyMainWindow() {
  Backend* backend = ActiveBackend();
  if (backend != nullptr && backend->DestroyMainWindow()) {
    State().queue.Push({MessageType::kDestroy, 0});
  }
}

NativeWindow* MainWindow() {
  Backend* backend = ActiveBackend();
  return backend != nullptr ? backend->MainWindow() : nullptr;
}

std::string LastError() {
  ActiveBackend();
  // Also when the backend could not start: it tells why.
  const std::unique_ptr<Backend>& backend = State().backend;
  return backend ? backend->LastError() : std::string();
}

bool PlaceWindowed(int x, int y, int width, int height) {
  Backend* backend = ActiveBackend();
  return backend != nullptr && width > 0 && height > 0 && backend->PlaceWindowed(x, y, width, height);
}

bool PlaceFullScreen(int width, int height, bool desktop_mode) {
  Backend* backend = ActiveBackend();
  return backend != nullptr && width > 0 && height > 0 &&
         backend->PlaceFullScreen(width, height, desktop_mode);
}

void ShowMainWindow(bool shown) {
  if (Backend* backend = ActiveBackend()) backend->ShowMainWindow(shown);
}

void SetMainWindowTitle(const std::string& title) {
  if (Backend* backend = ActiveBackend()) backend->SetMainWindowTitle(title);
}

ClientSize GetClientSize() {
  Backend* backend = ActiveBackend();
  return backend != nullptr ? backend->GetClientSize() : ClientSize{};
}

bool GetMousePosition(int* x, int* y) {
  Backend* backend = ActiveBackend();
  int px = 0;
  int py = 0;
  const bool known = backend != nullptr && backend->GetMousePosition(&px, &py);
  if (x != nullptr) *x = px;
  if (y != nullptr) *y = py;
  return known;
}

DesktopMode GetDesktopMode() {
  Backend* backend = ActiveBackend();
  return backend != nullptr ? backend->GetDesktopMode() : DesktopMode{};
}

bool PeekMessage() {
  Backend* backend = ActiveBackend();
  MessageQueue& queue = State().queue;
  if (backend != nullptr) backend->Pump(queue);
  if (queue.Peek()) return true;
  if (backend != nullptr) backend->FrameStarts();
  return false;
}

Message GetMessage() {
  Backend* backend = ActiveBackend();
  MessageQueue& queue = State().queue;
  if (backend != nullptr) backend->Pump(queue);
  while (!queue.HasDeliverable()) {
    // Keyboard messages held back for the next frame count as waiting only once a frame ran.
    if (queue.KeyboardWaiting() > 0) {
      queue.Peek();
      continue;
    }
    if (backend == nullptr || !backend->WaitAndPump(queue)) return {};
  }
  return queue.Take();
}

bool KeyTypedBy(uint32_t time) { return State().queue.HoldsKeyTypedBy(time); }

void DispatchMessage(const Message& message) {
  if (message.type == MessageType::kNone) return;
  // A copy, so that a procedure may replace itself while it runs.
  const WindowProcedure procedure = State().procedure;
  if (procedure) procedure(message);
}

void WaitMessage() {
  Backend* backend = ActiveBackend();
  MessageQueue& queue = State().queue;
  if (backend != nullptr) backend->Pump(queue);
  while (!queue.HasDeliverable()) {
    if (queue.KeyboardWaiting() > 0) return;  // released at the next peek
    if (backend == nullptr || !backend->WaitAndPump(queue)) return;
  }
}

bool WaitMessageTimeout(uint32_t milliseconds) {
  Backend* backend = ActiveBackend();
  MessageQueue& queue = State().queue;
  if (backend != nullptr) backend->Pump(queue);
  if (queue.HasDeliverable()) return true;
  if (backend == nullptr) return false;
  // Events that make no message (the mouse moving, the system's own) go on waiting for the rest.
  constexpr uint64_t kNanosecondsPerMillisecond = 1000000;
  const uint64_t end = os::PerformanceCounter() + uint64_t{milliseconds} * kNanosecondsPerMillisecond;
  for (uint64_t now = os::PerformanceCounter(); now < end; now = os::PerformanceCounter()) {
    const uint64_t left = (end - now + kNanosecondsPerMillisecond - 1) / kNanosecondsPerMillisecond;
    if (!backend->WaitAndPumpFor(queue, static_cast<uint32_t>(left))) break;  // nothing came in time
    if (queue.HasDeliverable()) return true;
  }
  return queue.HasDeliverable();
}

void PostQuitMessage(int exit_code) {
  State().queue.Push({MessageType::kQuit, static_cast<uint32_t>(exit_code)});
}

void SetWindowProcedure(WindowProcedure procedure) { State().procedure = std::move(procedure); }

namespace {

void ApplyCursor() {
  Backend* backend = ActiveBackend();
  if (backend == nullptr) return;
  if (!g_pointer_shown) {
    backend->SetCursor(nullptr);
  } else if (g_wanted_cursor != nullptr) {
    backend->SetCursor(g_wanted_cursor);
  }
}

}  // namespace

Cursor* CreateCursor(const uint8_t* rgba, int width, int height, int hot_x, int hot_y) {
  Backend* backend = ActiveBackend();
  if (backend == nullptr || rgba == nullptr || width <= 0 || height <= 0 || width > 256 ||
      height > 256) {
    return nullptr;
  }
  return backend->CreateCursor(rgba, width, height, hot_x, hot_y);
}

void DestroyCursor(Cursor* cursor) {
  Backend* backend = ActiveBackend();
  if (cursor == g_wanted_cursor) g_wanted_cursor = nullptr;
  if (backend != nullptr && cursor != nullptr) backend->DestroyCursor(cursor);
}

void SetCursor(Cursor* cursor) {
  g_wanted_cursor = cursor;
  if (!g_pointer_shown) return;
  if (Backend* backend = ActiveBackend()) backend->SetCursor(cursor);
}

void ShowPointer(bool shown) {
  if (shown == g_pointer_shown) return;
  g_pointer_shown = shown;
  ApplyCursor();
}

bool IsPointerShown() { return g_pointer_shown; }

Cursor* LoadCursorImage(int resource_id) {
  const CursorImage image = DrawCursorImage(resource_id);
  if (image.rgba.empty()) return nullptr;
  return CreateCursor(image.rgba.data(), image.width, image.height, image.hot_x, image.hot_y);
}

}  // namespace window
