#pragma once
// The window's title on X in an encoding every client can read. SDL writes WM_NAME in the encoding
// of the program's locale, and once the game has set its character locale that is an encoding
// name ("UTF-8") that programs in another locale cannot convert: window lists, pagers and
// xdotool then see a window without a name.

#include <string>

struct SDL_Window;

namespace window::sdl {

// Writes `title` (UTF-8) as the window's WM_NAME: Latin-1 text as STRING, other text as
// COMPOUND_TEXT, or UTF8_STRING when neither holds it. Does nothing off X.
void WriteX11Title(SDL_Window* window, const std::string& title);

}  // namespace window::sdl
