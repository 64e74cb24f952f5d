#pragma once
// Test controls of the headless window backend (VELMARIS_HEADLESS=1): fill the message queue, set
// the client size, the mouse and the desktop mode, and read back what the program asked for.
// Each returns false (or does nothing) when the SDL backend runs.

#include <functional>
#include <string>

#include "platform/window/window.h"

namespace window::headless {

// The clock of the headless backend's events: a count that grows by one at each call, so that
// messages pushed and mouse buttons set are told apart in the order they were made.
uint32_t NextEventTime();
// A message without a time is given the next one.
bool PushMessage(const Message& message);
// Each UTF-16 unit of the text as a kChar message, as typed text arrives.
bool PushText(const char* utf8);
bool SetClientSize(int width, int height);
bool SetMousePosition(int x, int y);
bool SetDesktopMode(const DesktopMode& mode);
// The next CreateMainWindow fails (once), with this error text.
bool FailNextCreate(const std::string& error);
// Called each time a PeekMessage finds nothing, that is once a frame; a test may push the next
// messages or end the loop from here. Empty to remove.
bool SetFrameHook(std::function<void()> hook);

struct Placement {
  bool exists = false;
  std::string title;
  bool shown = false;
  bool full_screen = false;
  bool desktop_full_screen = false;
  int x = 0;
  int y = 0;
  ClientSize client;
  Cursor* cursor = nullptr;  // the current cursor; null when the pointer is hidden
  int cursors = 0;           // cursors made and not destroyed
};
Placement GetPlacement();

}  // namespace window::headless
