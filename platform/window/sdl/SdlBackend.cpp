#include "platform/window/sdl/SdlBackend.h"

#include <SDL2/SDL.h>

#include <signal.h>

#include <algorithm>
#include <cstdint>

#include "platform/window/sdl/SdlEvents.h"
#include "platform/window/sdl/X11FullScreen.h"
#include "platform/window/sdl/X11Safety.h"
#include "platform/window/sdl/X11Title.h"

namespace window::sdl {

namespace {

// The signals besides SIGINT and SIGTERM that ask a program to end: the terminal that started
// the game closing, and the terminal's quit key.
constexpr int kEndSignals[] = {SIGHUP, SIGQUIT};

void PassOnAsTerminate(int) { raise(SIGTERM); }

// SDL turns SIGINT and SIGTERM into its quit event, and the game then saves and ends as at a
// close; the other signals that ask for an end are passed on as SIGTERM, so that they do the
// same. A signal the player's shell ignores (nohup) stays ignored.
void PassOnEndSignals() {
  struct sigaction terminate {};
  if (sigaction(SIGTERM, nullptr, &terminate) != 0 || terminate.sa_handler == SIG_DFL ||
      terminate.sa_handler == SIG_IGN) {
    return;
  }
  for (int signal_number : kEndSignals) {
    struct sigaction old {};
    if (sigaction(signal_number, nullptr, &old) != 0 || old.sa_handler != SIG_DFL) continue;
    struct sigaction forward {};
    forward.sa_handler = &PassOnAsTerminate;
    sigemptyset(&forward.sa_mask);
    forward.sa_flags = SA_RESTART;
    sigaction(signal_number, &forward, nullptr);
  }
}

void StopPassingOnEndSignals() {
  for (int signal_number : kEndSignals) {
    struct sigaction old {};
    if (sigaction(signal_number, nullptr, &old) == 0 && old.sa_handler == &PassOnAsTerminate) {
      signal(signal_number, SIG_DFL);
    }
  }
}

}  // namespace

bool SdlBackend::Start() {
  // The close button is told once, as the window's close request; SDL_QUIT then only comes from
  // the system (SIGINT, SIGTERM, logging out).
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  // SDL minimises a window in full screen of its own display mode whenever it loses the focus (a
  // window manager moving the focus while the game changes screens, a click beside it): the
  // player would be left with a black desktop and an icon. The game stays where it is; without the
  // focus it only waits for messages until it has it again. SDL_VIDEO_MINIMIZE_ON_FOCUS_LOSS in
  // the environment still chooses.
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  // Only a display the player can see: when it cannot be reached, SDL would otherwise go on with
  // its offscreen driver, and the game would run with no window at all. SDL_VIDEODRIVER still
  // chooses (the tests pick the offscreen driver that way).
  SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "x11,wayland", SDL_HINT_DEFAULT);
  InstallX11Handlers();
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return Fail("SDL video");
  InstallX11Handlers();
  PassOnEndSignals();
  // Only while the game has the focus is the screen saver kept off (see Handle).
  SDL_EnableScreenSaver();
  return true;
}

void SdlBackend::Stop() {
  for (SDL_Cursor* cursor : m_cursors) SDL_FreeCursor(cursor);
  m_cursors.clear();
  DestroyMainWindow();
  StopPassingOnEndSignals();
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool SdlBackend::Fail(const char* what) {
  m_last_error = std::string(what) + ": " + SDL_GetError();
  return false;
}

bool SdlBackend::CreateMainWindow(const std::string& title, int width, int height) {
  if (m_window != nullptr) {
    m_last_error = "the main window exists already";
    return false;
  }
  // Hidden until placed; the graphics service creates its GL context on it. Some drivers fix the
  // window's pixel format when it is made, so the context's needs are stated first.
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  m_window = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width,
                              height, SDL_WINDOW_HIDDEN | SDL_WINDOW_OPENGL);
  if (m_window == nullptr) return Fail("SDL_CreateWindow");
  WriteX11Title(m_window, title);
  WatchX11Window(m_window);
  SDL_StartTextInput();
  return true;
}

bool SdlBackend::DestroyMainWindow() {
  if (m_window == nullptr) return false;
  SDL_StopTextInput();
  SDL_DestroyWindow(m_window);
  // A window another program destroyed already answers with errors: they are taken here, while
  // the program's handler is in place, not when the connection closes.
  SyncX11();
  WatchX11Window(nullptr);
  m_window = nullptr;
  return true;
}

NativeWindow* SdlBackend::MainWindow() const { return reinterpret_cast<NativeWindow*>(m_window); }

bool SdlBackend::PlaceWindowed(int x, int y, int width, int height) {
  if (m_window == nullptr) return false;
  if (SDL_SetWindowFullscreen(m_window, 0) != 0) return Fail("SDL_SetWindowFullscreen");
  SDL_SetWindowBordered(m_window, SDL_TRUE);
  SDL_SetWindowResizable(m_window, SDL_FALSE);
  SDL_SetWindowSize(m_window, width, height);
  SDL_SetWindowPosition(m_window, x, y);
  return true;
}

bool SdlBackend::PlaceFullScreen(int width, int height, bool desktop_mode) {
  if (m_window == nullptr) return false;
  if (desktop_mode) {
    if (SDL_SetWindowFullscreen(m_window, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
      return Fail("SDL_SetWindowFullscreen");
    }
    CoverDisplayWithoutWindowManager(m_window);
    return true;
  }
  const int display = SDL_GetWindowDisplayIndex(m_window);
  SDL_DisplayMode wanted{};
  wanted.w = width;
  wanted.h = height;
  SDL_DisplayMode closest{};
  if (SDL_GetClosestDisplayMode(display < 0 ? 0 : display, &wanted, &closest) == nullptr) {
    return Fail("SDL_GetClosestDisplayMode");
  }
  if (closest.w != width || closest.h != height) {
    m_last_error = "the display has no mode of that size";
    return false;
  }
  if (SDL_SetWindowDisplayMode(m_window, &closest) != 0) return Fail("SDL_SetWindowDisplayMode");
  SDL_SetWindowSize(m_window, width, height);
  if (SDL_SetWindowFullscreen(m_window, SDL_WINDOW_FULLSCREEN) != 0) {
    return Fail("SDL_SetWindowFullscreen");
  }
  CoverDisplayWithoutWindowManager(m_window);
  return true;
}

void SdlBackend::SetMainWindowTitle(const std::string& title) {
  if (m_window == nullptr) return;
  SDL_SetWindowTitle(m_window, title.c_str());
  WriteX11Title(m_window, title);
}

void SdlBackend::ShowMainWindow(bool shown) {
  if (m_window == nullptr) return;
  if (shown) {
    SDL_ShowWindow(m_window);
    SDL_RaiseWindow(m_window);
    // Mapping a full-screen window asks the window manager again; without one it is placed here.
    if ((SDL_GetWindowFlags(m_window) & SDL_WINDOW_FULLSCREEN) != 0) CoverDisplayWithoutWindowManager(m_window);
  } else {
    SDL_HideWindow(m_window);
  }
}

ClientSize SdlBackend::GetClientSize() const {
  ClientSize size;
  if (m_window != nullptr) SDL_GetWindowSize(m_window, &size.width, &size.height);
  return size;
}

bool SdlBackend::GetMousePosition(int* x, int* y) const {
  if (m_window == nullptr) return false;
  if (SDL_GetMouseFocus() == m_window) {
    SDL_GetMouseState(x, y);
    return true;
  }
  // Outside the window SDL stops tracking it; the desktop position tells where it went.
  int global_x = 0;
  int global_y = 0;
  int window_x = 0;
  int window_y = 0;
  SDL_GetGlobalMouseState(&global_x, &global_y);
  SDL_GetWindowPosition(m_window, &window_x, &window_y);
  *x = global_x - window_x;
  *y = global_y - window_y;
  return true;
}

DesktopMode SdlBackend::GetDesktopMode() const {
  const int display = m_window != nullptr ? SDL_GetWindowDisplayIndex(m_window) : 0;
  SDL_DisplayMode mode{};
  if (SDL_GetDesktopDisplayMode(display < 0 ? 0 : display, &mode) != 0) return {};
  // SDL names a 32-bit pixel with an unused byte "24 bits"; the program counts the bytes.
  int bits = SDL_BITSPERPIXEL(mode.format);
  if (SDL_BYTESPERPIXEL(mode.format) == 4) bits = 32;
  return {mode.w, mode.h, bits, mode.refresh_rate > 0 ? mode.refresh_rate : 0};
}

void SdlBackend::Handle(const SDL_Event& event, MessageQueue& queue) {
  NoteX11Event(event);
  TranslateEvent(event, queue);
  if (event.type != SDL_WINDOWEVENT) return;
  switch (event.window.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      SDL_DisableScreenSaver();
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
    case SDL_WINDOWEVENT_MINIMIZED:
      SDL_EnableScreenSaver();
      break;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED:
      // Minimising made the game inactive; a window that comes back with the keyboard (which it
      // may never have lost) is active again. Without the keyboard, its focus event does that.
      if (m_window != nullptr && SDL_GetKeyboardFocus() == m_window) {
        SDL_DisableScreenSaver();
        queue.Push({MessageType::kActivate, 1});
      }
      break;
    default:
      break;
  }
}

void SdlBackend::Pump(MessageQueue& queue) {
  SDL_Event event;
  while (SDL_PollEvent(&event) != 0) Handle(event, queue);
  // Destroyed by another program (or its drawing failed for want of it): the loop ends as for a
  // window the program destroyed itself.
  if (TakeX11WindowLoss()) queue.Push({MessageType::kDestroy, 0});
}

bool SdlBackend::WaitAndPump(MessageQueue& queue) {
  SDL_Event event;
  if (SDL_WaitEvent(&event) == 0) return false;
  Handle(event, queue);
  Pump(queue);
  return true;
}

bool SdlBackend::WaitAndPumpFor(MessageQueue& queue, uint32_t milliseconds) {
  SDL_Event event;
  const int timeout = static_cast<int>(std::min<uint32_t>(milliseconds, INT32_MAX));
  if (SDL_WaitEventTimeout(&event, timeout) == 0) return false;
  Handle(event, queue);
  Pump(queue);
  return true;
}

Cursor* SdlBackend::CreateCursor(const uint8_t* rgba, int width, int height, int hot_x,
                                 int hot_y) {
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
      const_cast<uint8_t*>(rgba), width, height, 32, width * 4, SDL_PIXELFORMAT_RGBA32);
  if (surface == nullptr) return nullptr;
  SDL_Cursor* cursor = SDL_CreateColorCursor(surface, hot_x, hot_y);
  SDL_FreeSurface(surface);
  if (cursor == nullptr) return nullptr;
  m_cursors.insert(cursor);
  return reinterpret_cast<Cursor*>(cursor);
}

void SdlBackend::DestroyCursor(Cursor* cursor) {
  auto* sdl_cursor = reinterpret_cast<SDL_Cursor*>(cursor);
  if (m_cursors.erase(sdl_cursor) == 0) return;
  SDL_FreeCursor(sdl_cursor);
}

void SdlBackend::SetCursor(Cursor* cursor) {
  auto* sdl_cursor = reinterpret_cast<SDL_Cursor*>(cursor);
  if (sdl_cursor == nullptr || m_cursors.count(sdl_cursor) == 0) {
    SDL_ShowCursor(SDL_DISABLE);
    return;
  }
  SDL_SetCursor(sdl_cursor);
  SDL_ShowCursor(SDL_ENABLE);
}

}  // namespace window::sdl
