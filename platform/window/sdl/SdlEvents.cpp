#include "platform/window/sdl/SdlEvents.h"

#include "platform/window/sdl/SdlKeys.h"

namespace window::sdl {
namespace {

void TranslateWindowEvent(const SDL_WindowEvent& event, MessageQueue& queue) {
  switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
      queue.Push({MessageType::kCloseCommand, 0});
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      queue.Push({MessageType::kActivate, 1});
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
    // A minimised game is not active even where the desktop leaves it the keyboard: it must wait
    // for messages instead of drawing frames nobody sees as fast as it can.
    case SDL_WINDOWEVENT_MINIMIZED:
      queue.Push({MessageType::kActivate, 0});
      break;
    case SDL_WINDOWEVENT_EXPOSED:
      queue.Push({MessageType::kPaint, 0});
      break;
    default:
      break;
  }
}

void TranslateKeyDown(const SDL_KeyboardEvent& event, MessageQueue& queue) {
  const SDL_Keysym& key = event.keysym;
  // Alt+F4 closes as the window's close button does; it is not a key for the program.
  if ((key.sym == SDLK_F4 || key.scancode == SDL_SCANCODE_F4) && (key.mod & KMOD_ALT) != 0) {
    if (event.repeat == 0) queue.Push({MessageType::kCloseCommand, 0});
    return;
  }
  const uint16_t virtual_key = VirtualKeyFromSdl(key.sym, key.scancode, key.mod);
  if (virtual_key != 0) queue.Push({MessageType::kKeyDown, virtual_key, event.timestamp});
}

}  // namespace

void TranslateEvent(const SDL_Event& event, MessageQueue& queue) {
  switch (event.type) {
    case SDL_QUIT:
      // Only the system sends it (the close button comes as the window's own event): the program
      // must end without asking the player anything.
      queue.Push({MessageType::kCloseCommand, 1});
      break;
    case SDL_WINDOWEVENT:
      TranslateWindowEvent(event.window, queue);
      break;
    case SDL_KEYDOWN:
      TranslateKeyDown(event.key, queue);
      break;
    case SDL_TEXTINPUT:
      queue.PushText(event.text.text, event.text.timestamp);
      break;
    default:
      break;
  }
}

}  // namespace window::sdl
