#pragma once
// Turns an SDL key event into the virtual-key code of a kKeyDown message (VirtualKeys.h).

#include <SDL2/SDL_keyboard.h>

#include <cstdint>

namespace window::sdl {

// Letters and digits follow the user's layout (the key code); where the layout gives no Latin
// letter the key's position does. The keypad gives its number keys while Num Lock is on and its
// navigation keys otherwise. 0 for keys without a virtual-key code.
uint16_t VirtualKeyFromSdl(SDL_Keycode key, SDL_Scancode scancode, uint16_t modifiers);

}  // namespace window::sdl
