#include "platform/window/sdl/X11FullScreen.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace window::sdl {

namespace {

bool X11Info(SDL_Window* window, SDL_SysWMinfo& info) {
  SDL_VERSION(&info.version);
  return window != nullptr && SDL_GetWindowWMInfo(window, &info) == SDL_TRUE && info.subsystem == SDL_SYSWM_X11;
}

// The window that a property of `owner` names, or 0.
::Window WindowProperty(Display* display, ::Window owner, Atom property) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, left = 0;
  unsigned char* data = nullptr;
  ::Window named = 0;
  if (XGetWindowProperty(display, owner, property, 0, 1, False, XA_WINDOW, &type, &format, &count, &left, &data) ==
          Success &&
      type == XA_WINDOW && format == 32 && count == 1 && data != nullptr) {
    named = *reinterpret_cast<::Window*>(data);
  }
  if (data != nullptr) XFree(data);
  return named;
}

}  // namespace

bool HasWindowManager(SDL_Window* window) {
  SDL_SysWMinfo info;
  if (!X11Info(window, info)) return true;
  Display* display = info.info.x11.display;
  // A running manager names a window of its own on the root, and that window names itself (a
  // manager that ended leaves a stale name behind).
  const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
  if (check == None) return false;
  const ::Window named = WindowProperty(display, DefaultRootWindow(display), check);
  return named != 0 && WindowProperty(display, named, check) == named;
}

void CoverDisplayWithoutWindowManager(SDL_Window* window) {
  SDL_SysWMinfo info;
  if (!X11Info(window, info) || HasWindowManager(window)) return;
  const int index = SDL_GetWindowDisplayIndex(window);
  SDL_Rect bounds{};
  if (SDL_GetDisplayBounds(index < 0 ? 0 : index, &bounds) != 0 || bounds.w <= 0 || bounds.h <= 0) return;
  XMoveResizeWindow(info.info.x11.display, info.info.x11.window, bounds.x, bounds.y,
                    static_cast<unsigned>(bounds.w), static_cast<unsigned>(bounds.h));
  XRaiseWindow(info.info.x11.display, info.info.x11.window);
  XFlush(info.info.x11.display);
}

}  // namespace window::sdl
