#include "platform/window/sdl/X11Title.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace window::sdl {

void WriteX11Title(SDL_Window* window, const std::string& title) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (window == nullptr || SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) return;
  Display* display = info.info.x11.display;
  char* list[] = {const_cast<char*>(title.c_str())};
  XTextProperty property{};
  // The standard encodings first (a positive answer counts characters they could not hold).
  int status = Xutf8TextListToTextProperty(display, list, 1, XStdICCTextStyle, &property);
  if (status != Success) {
    if (property.value != nullptr) XFree(property.value);
    property = XTextProperty{};
    status = Xutf8TextListToTextProperty(display, list, 1, XUTF8StringStyle, &property);
  }
  if (status == Success) XSetWMName(display, info.info.x11.window, &property);
  if (property.value != nullptr) XFree(property.value);
  XFlush(display);
}

}  // namespace window::sdl
