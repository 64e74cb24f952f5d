#pragma once
// What the SDL backend does about the X connection itself. Xlib's own answers to trouble end the
// process from inside the library: a protocol error (the window destroyed by another client, then
// drawn to) calls exit() while the display is locked, so the exit handlers deadlock; a lost
// connection (the X server gone) exits or spins in the clean-up that follows. The program's
// handlers instead note an error about the main window (the loop then ends as for a destroyed
// window) and hand a lost connection to the window service's display-lost handler.

struct SDL_Window;
union SDL_Event;

namespace window::sdl {

// Installs the error handlers for the process (Xlib keeps one of each). Called before SDL opens
// its connection and again after; harmless when SDL runs on another video driver.
void InstallX11Handlers();
// Watches `window` (null to stop): an error naming it, or its destruction, counts as its loss.
void WatchX11Window(SDL_Window* window);
// Takes note of a DestroyNotify among SDL's window-manager events.
void NoteX11Event(const SDL_Event& event);
// True once after the watched window was lost.
bool TakeX11WindowLoss();
// Waits for the server's answer to every request sent, so that errors about a window just
// destroyed arrive while the program's handler is still in place.
void SyncX11();

}  // namespace window::sdl
