#include "platform/window/sdl/X11Safety.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#include <X11/Xlib.h>

#include <signal.h>

#include <atomic>
#include <cstring>

#include "platform/window/Service.h"

namespace window::sdl {
namespace {

// Xlib calls its handlers on whichever thread met the trouble; the loop reads the flags.
std::atomic<unsigned long> g_watched{0};
std::atomic<bool> g_lost{false};
Display* g_display = nullptr;  // SDL's connection, while a window is watched

// Errors that mean the drawable is gone: BadWindow, BadDrawable and the extensions' own (GLX
// reports a drawable it cannot find with an error code of its own, above the core ones).
bool MeansGone(const XErrorEvent& error) {
  return error.error_code == BadWindow || error.error_code == BadDrawable || error.error_code >= 128;
}

// Never exits: an error about the main window is its loss, any other is a request that failed
// (SDL tests its own where it matters).
int OnError(Display*, XErrorEvent* error) {
  const unsigned long watched = g_watched.load();
  if (error != nullptr && watched != 0 && error->resourceid == watched && MeansGone(*error)) g_lost = true;
  return 0;
}

// Xlib gives up the connection after this handler: it must not return.
int OnIOError(Display*) { detail::DisplayLost(); }

bool OnX11() {
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver != nullptr && std::strcmp(driver, "x11") == 0;
}

}  // namespace

void InstallX11Handlers() {
  // A write to a server that has gone raises SIGPIPE, whose default ends the game before Xlib can
  // report the lost connection (nothing saved, status 141): the write fails instead, and the
  // handler below saves and ends.
  signal(SIGPIPE, SIG_IGN);
  // The lost connection at once, before SDL opens it: the server may go while SDL starts.
  XSetIOErrorHandler(&OnIOError);
  // SDL puts a handler of its own in place when it opens the connection, and puts back the one it
  // found when video ends, just before it closes the connection. That must be this one too, not
  // Xlib's default, which exits at the errors still queued about a window destroyed by another
  // program. Called again after SDL has started, it replaces SDL's.
  XSetErrorHandler(&OnError);
}

void WatchX11Window(SDL_Window* window) {
  g_watched = 0;
  g_lost = false;
  g_display = nullptr;
  if (window == nullptr || !OnX11()) return;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) return;
  g_display = info.info.x11.display;
  g_watched = info.info.x11.window;
  // The destruction arrives as a window-manager event; SDL leaves those out unless asked.
  SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
}

void NoteX11Event(const SDL_Event& event) {
  if (event.type != SDL_SYSWMEVENT || event.syswm.msg == nullptr) return;
  const SDL_SysWMmsg& message = *event.syswm.msg;
  if (message.subsystem != SDL_SYSWM_X11) return;
  const XEvent& x = message.msg.x11.event;
  const unsigned long watched = g_watched.load();
  if (x.type == DestroyNotify && watched != 0 && x.xdestroywindow.window == watched) g_lost = true;
}

bool TakeX11WindowLoss() {
  if (!g_lost.load() || g_watched.load() == 0) return false;
  g_watched = 0;  // told once
  return true;
}

void SyncX11() {
  if (g_display != nullptr) XSync(g_display, False);
}

}  // namespace window::sdl
