#pragma once
// The window service of the platform layer: the program's one main window, its message queue and
// window procedure, its placement, the mouse position in it, cursors and the desktop's mode.
// Main thread only. The backend (SDL2, or headless with VELMARIS_HEADLESS=1) is chosen once, at
// the first call; nothing outside platform/ needs to know which one runs.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/window/VirtualKeys.h"

namespace window {

// The backend's own window object. With SDL2 a NativeWindow* is the SDL_Window* itself, so the
// graphics service can create its GL context on it (reinterpret_cast); headless it is an opaque
// token that must not be dereferenced.
struct NativeWindow;

// A cursor image made by CreateCursor; opaque.
struct Cursor;

// What the window procedure is told.
enum class MessageType : uint8_t {
  kNone = 0,      // no message (GetMessage when nothing can ever arrive)
  kActivate,      // value 1: the program gained the focus, 0: it lost it
  kCloseCommand,  // the user asked to close (window close button, Alt+F4: value 0; the system, by a
                  // signal or logging out: value 1); the window stays
  kKeyDown,       // value: the virtual-key code (VirtualKeys.h); key repeats come again
  kChar,          // value: one UTF-16 unit of typed text, after the user's keyboard layout
  kPaint,         // the window's contents were exposed
  kDestroy,       // the main window was destroyed (DestroyMainWindow, or by another program)
  kQuit,          // value: the exit code given to PostQuitMessage; ends the message loop
};

struct Message {
  MessageType type = MessageType::kNone;
  uint32_t value = 0;
  // When it happened, on the backend's clock of events (the mouse's button edges use the same one).
  uint32_t time = 0;
};

using WindowProcedure = std::function<void(const Message&)>;

struct ClientSize {
  int width = 0;
  int height = 0;
};

struct DesktopMode {
  int width = 0;
  int height = 0;
  int bits_per_pixel = 0;
  int refresh_rate = 0;  // frames a second; 0 when the display does not say
};

// ---- the service -------------------------------------------------------------------------------
// Starts the backend (every other call does this when needed). False when the display cannot be
// opened; the other calls then fail or report nothing.
bool Initialize();
// Destroys the window and the cursors and stops the backend; a later call starts it again and
// chooses the backend anew from VELMARIS_HEADLESS (tests use this to reach the SDL backend).
void Shutdown();
// True when the headless backend runs. For the other platform services, which follow this choice.
bool IsHeadless();

// Called when the connection to the display is lost for good (the X server went away). Nothing can
// be drawn or read any more, so the program cannot go on: the handler keeps what must be kept
// (without calling the window, input or graphics services), and when it returns the process ends
// at once with status 1. Null removes it.
using DisplayLostHandler = void (*)();
void SetDisplayLostHandler(DisplayLostHandler handler);

// ---- the main window -----------------------------------------------------------------------------
// Creates the main window, hidden, with the given caption (UTF-8) and client size, able to carry an
// OpenGL context. Made at the size it will be placed at: some drivers (SDL's offscreen one) keep
// the drawing surface at the size the window was made with. False when it exists already or
// cannot be made (the reason goes to LastError()).
bool CreateMainWindow(const std::string& title, int width = 640, int height = 480);
// Destroys the main window and queues kDestroy.
void DestroyMainWindow();
// The main window, or null before CreateMainWindow.
NativeWindow* MainWindow();
// The backend's last error text, for the caller's log line.
std::string LastError();

// Windowed with a caption: the client area at (x, y), width x height.
bool PlaceWindowed(int x, int y, int width, int height);
// Full screen at width x height. With `desktop_mode` the window covers the desktop at its own mode
// and the picture is scaled (for displays where a mode cannot be set); otherwise the display is
// switched to the closest mode and false is returned when that fails.
bool PlaceFullScreen(int width, int height, bool desktop_mode);
void ShowMainWindow(bool shown);
// Changes the main window's caption (UTF-8); nothing without a window.
void SetMainWindowTitle(const std::string& title);
ClientSize GetClientSize();
// The mouse position in client pixels; negative or beyond the client size outside the window.
bool GetMousePosition(int* x, int* y);
// The desktop's mode on the display that holds the window (the first display before it exists).
DesktopMode GetDesktopMode();

// ---- the message queue -------------------------------------------------------------------------
// The loop takes one message per turn: PeekMessage, then GetMessage and DispatchMessage; when no
// message waits it runs a frame (or, while inactive, calls WaitMessage). Keyboard messages (kKeyDown
// and kChar) are handed out at most one per frame, in the order they were typed, because the
// loop keeps only one pending key a frame: a PeekMessage that answers "nothing waits" is taken
// as the start of a frame. Other messages are not held back, except kActivate, which keeps its
// place behind keyboard messages that wait (so keys typed just before the focus went are each seen).
// True while a keyboard message typed at `time` or before it (on the clock of Message::time) still
// waits for its frame, or is the key of the frame now running: what happens with the mouse at that
// time waits behind it, as the player did it after the key.
bool KeyTypedBy(uint32_t time);
bool PeekMessage();
// Removes and returns the next message, waiting for one when none is there. Headless, with nothing
// queued, returns kNone at once.
Message GetMessage();
// Hands the message to the window procedure.
void DispatchMessage(const Message& message);
// Blocks until a message waits (headless: returns at once).
void WaitMessage();
// Blocks until a message waits or `milliseconds` have passed; true when a message may be taken.
// Keyboard messages held back for the next frame do not end the wait. Headless: returns at once.
bool WaitMessageTimeout(uint32_t milliseconds);
// Queues kQuit with the exit code.
void PostQuitMessage(int exit_code);
void SetWindowProcedure(WindowProcedure procedure);

// ---- cursors --------------------------------------------------------------------------------------
// A cursor from width x height RGBA pixels (rows top first, 4 bytes a pixel) with its hot spot.
// Null when it cannot be made.
Cursor* CreateCursor(const uint8_t* rgba, int width, int height, int hot_x, int hot_y);
void DestroyCursor(Cursor* cursor);
// Makes the cursor current over the window; null hides the pointer.
void SetCursor(Cursor* cursor);
// Hides or shows the pointer over the window, whatever cursor is current: a flag, not a count, so
// one call to show it undoes any number of calls that hid it. Cursors set while it is hidden are
// kept and appear when it is shown again.
void ShowPointer(bool shown);
bool IsPointerShown();
// One of the cursors the program carries, by its number (CursorImages.h), made into a cursor;
// null for a number it lacks or when it cannot be made.
Cursor* LoadCursorImage(int resource_id);

}  // namespace window
