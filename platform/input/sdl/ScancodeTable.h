#pragma once
// SDL's scancodes (USB HID usage numbers) in the service's PC scan-code numbering (KeyCodes.h).

#include <SDL2/SDL_scancode.h>

#include <array>
#include <cstdint>

namespace input::sdl {

// Indexed by SDL_Scancode; 0 for keys the numbering has no code for.
const std::array<uint8_t, SDL_NUM_SCANCODES>& ScancodeTable();

inline uint8_t KeyCodeFromScancode(int scancode) {
  return scancode >= 0 && scancode < SDL_NUM_SCANCODES ? ScancodeTable()[scancode] : 0;
}

}  // namespace input::sdl
