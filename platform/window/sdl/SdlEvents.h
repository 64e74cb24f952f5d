#pragma once
// Turns SDL events into the window service's messages.

#include <SDL2/SDL_events.h>

#include "platform/window/MessageQueue.h"

namespace window::sdl {

// Appends the messages `event` stands for to `queue` (none for events the program ignores):
// SDL_QUIT and the window's close request become kCloseCommand, as does Alt+F4; focus changes
// become kActivate; key presses kKeyDown; typed text one kChar a UTF-16 unit; exposure kPaint.
void TranslateEvent(const SDL_Event& event, MessageQueue& queue);

}  // namespace window::sdl
