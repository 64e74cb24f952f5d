#pragma once
// Full screen on an X display without a window manager. SDL asks the window manager to make a
// window full screen; with none running nobody does, and the window stays where and as large as
// it was, partly off the screen. There the window is moved and sized over its display itself.

struct SDL_Window;

namespace window::sdl {

// True when a window manager that follows the EWMH conventions runs on the window's X display;
// also true off X (the question does not arise there).
bool HasWindowManager(SDL_Window* window);

// Makes the full-screen window cover its display when no window manager will; does nothing on
// other video drivers or when one runs.
void CoverDisplayWithoutWindowManager(SDL_Window* window);

}  // namespace window::sdl
