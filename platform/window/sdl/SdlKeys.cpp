#include "platform/window/sdl/SdlKeys.h"

#include "platform/window/VirtualKeys.h"

namespace window::sdl {
namespace {

uint16_t KeypadKey(SDL_Scancode scancode, bool num_lock) {
  switch (scancode) {
    case SDL_SCANCODE_KP_DIVIDE: return kVkDivide;
    case SDL_SCANCODE_KP_MULTIPLY: return kVkMultiply;
    case SDL_SCANCODE_KP_MINUS: return kVkSubtract;
    case SDL_SCANCODE_KP_PLUS: return kVkAdd;
    case SDL_SCANCODE_KP_ENTER: return kVkReturn;
    default: break;
  }
  if (num_lock) {
    if (scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_9) {
      return static_cast<uint16_t>(kVkNumpad0 + 1 + (scancode - SDL_SCANCODE_KP_1));
    }
    if (scancode == SDL_SCANCODE_KP_0) return kVkNumpad0;
    if (scancode == SDL_SCANCODE_KP_PERIOD) return kVkDecimal;
    return kVkNone;
  }
  switch (scancode) {
    case SDL_SCANCODE_KP_1: return kVkEnd;
    case SDL_SCANCODE_KP_2: return kVkDown;
    case SDL_SCANCODE_KP_3: return kVkNext;
    case SDL_SCANCODE_KP_4: return kVkLeft;
    case SDL_SCANCODE_KP_5: return kVkClear;
    case SDL_SCANCODE_KP_6: return kVkRight;
    case SDL_SCANCODE_KP_7: return kVkHome;
    case SDL_SCANCODE_KP_8: return kVkUp;
    case SDL_SCANCODE_KP_9: return kVkPrior;
    case SDL_SCANCODE_KP_0: return kVkInsert;
    case SDL_SCANCODE_KP_PERIOD: return kVkDelete;
    default: return kVkNone;
  }
}

bool IsKeypad(SDL_Scancode scancode) {
  return scancode >= SDL_SCANCODE_KP_DIVIDE && scancode <= SDL_SCANCODE_KP_PERIOD;
}

// Keys whose code does not depend on the layout.
uint16_t FixedKey(SDL_Scancode scancode) {
  switch (scancode) {
    case SDL_SCANCODE_BACKSPACE: return kVkBack;
    case SDL_SCANCODE_TAB: return kVkTab;
    case SDL_SCANCODE_RETURN: return kVkReturn;
    case SDL_SCANCODE_RETURN2: return kVkReturn;
    case SDL_SCANCODE_ESCAPE: return kVkEscape;
    case SDL_SCANCODE_SPACE: return kVkSpace;
    case SDL_SCANCODE_LSHIFT: case SDL_SCANCODE_RSHIFT: return kVkShift;
    case SDL_SCANCODE_LCTRL: case SDL_SCANCODE_RCTRL: return kVkControl;
    case SDL_SCANCODE_LALT: case SDL_SCANCODE_RALT: return kVkMenu;
    case SDL_SCANCODE_LGUI: return kVkLWin;
    case SDL_SCANCODE_RGUI: return kVkRWin;
    case SDL_SCANCODE_APPLICATION: return kVkApps;
    case SDL_SCANCODE_PAUSE: return kVkPause;
    case SDL_SCANCODE_CAPSLOCK: return kVkCapital;
    case SDL_SCANCODE_NUMLOCKCLEAR: return kVkNumLock;
    case SDL_SCANCODE_SCROLLLOCK: return kVkScroll;
    case SDL_SCANCODE_PRINTSCREEN: return kVkSnapshot;
    case SDL_SCANCODE_PAGEUP: return kVkPrior;
    case SDL_SCANCODE_PAGEDOWN: return kVkNext;
    case SDL_SCANCODE_END: return kVkEnd;
    case SDL_SCANCODE_HOME: return kVkHome;
    case SDL_SCANCODE_LEFT: return kVkLeft;
    case SDL_SCANCODE_UP: return kVkUp;
    case SDL_SCANCODE_RIGHT: return kVkRight;
    case SDL_SCANCODE_DOWN: return kVkDown;
    case SDL_SCANCODE_INSERT: return kVkInsert;
    case SDL_SCANCODE_DELETE: return kVkDelete;
    case SDL_SCANCODE_HELP: return kVkHelp;
    case SDL_SCANCODE_SLEEP: return kVkSleep;
    case SDL_SCANCODE_AUDIOMUTE: case SDL_SCANCODE_MUTE: return kVkVolumeMute;
    case SDL_SCANCODE_VOLUMEDOWN: return kVkVolumeDown;
    case SDL_SCANCODE_VOLUMEUP: return kVkVolumeUp;
    case SDL_SCANCODE_AUDIONEXT: return kVkMediaNext;
    case SDL_SCANCODE_AUDIOPREV: return kVkMediaPrev;
    case SDL_SCANCODE_AUDIOSTOP: return kVkMediaStop;
    case SDL_SCANCODE_AUDIOPLAY: return kVkMediaPlayPause;
    case SDL_SCANCODE_NONUSBACKSLASH: return kVkOem102;
    default: break;
  }
  if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12) {
    return static_cast<uint16_t>(kVkF1 + (scancode - SDL_SCANCODE_F1));
  }
  if (scancode >= SDL_SCANCODE_F13 && scancode <= SDL_SCANCODE_F24) {
    return static_cast<uint16_t>(kVkF1 + 12 + (scancode - SDL_SCANCODE_F13));
  }
  return kVkNone;
}

// The punctuation keys by the character the layout puts on them, as a US layout names them.
uint16_t PunctuationKey(SDL_Keycode key) {
  switch (key) {
    case SDLK_SEMICOLON: return kVkOem1;
    case SDLK_EQUALS: case SDLK_PLUS: return kVkOemPlus;
    case SDLK_COMMA: return kVkOemComma;
    case SDLK_MINUS: return kVkOemMinus;
    case SDLK_PERIOD: return kVkOemPeriod;
    case SDLK_SLASH: return kVkOem2;
    case SDLK_BACKQUOTE: return kVkOem3;
    case SDLK_LEFTBRACKET: return kVkOem4;
    case SDLK_BACKSLASH: return kVkOem5;
    case SDLK_RIGHTBRACKET: return kVkOem6;
    case SDLK_QUOTE: return kVkOem7;
    default: return kVkNone;
  }
}

// The same keys by their position, for layouts whose characters there are not ASCII.
uint16_t PunctuationPosition(SDL_Scancode scancode) {
  switch (scancode) {
    case SDL_SCANCODE_SEMICOLON: return kVkOem1;
    case SDL_SCANCODE_EQUALS: return kVkOemPlus;
    case SDL_SCANCODE_COMMA: return kVkOemComma;
    case SDL_SCANCODE_MINUS: return kVkOemMinus;
    case SDL_SCANCODE_PERIOD: return kVkOemPeriod;
    case SDL_SCANCODE_SLASH: return kVkOem2;
    case SDL_SCANCODE_GRAVE: return kVkOem3;
    case SDL_SCANCODE_LEFTBRACKET: return kVkOem4;
    case SDL_SCANCODE_BACKSLASH: return kVkOem5;
    case SDL_SCANCODE_RIGHTBRACKET: return kVkOem6;
    case SDL_SCANCODE_APOSTROPHE: return kVkOem7;
    default: return kVkNone;
  }
}

}  // namespace

uint16_t VirtualKeyFromSdl(SDL_Keycode key, SDL_Scancode scancode, uint16_t modifiers) {
  if (IsKeypad(scancode)) return KeypadKey(scancode, (modifiers & KMOD_NUM) != 0);
  if (const uint16_t fixed = FixedKey(scancode)) return fixed;
  if (key >= SDLK_a && key <= SDLK_z) return static_cast<uint16_t>(kVkA + (key - SDLK_a));
  if (key >= SDLK_0 && key <= SDLK_9) return static_cast<uint16_t>(kVk0 + (key - SDLK_0));
  if (const uint16_t punctuation = PunctuationKey(key)) return punctuation;
  // A layout without Latin letters or ASCII digits there: the key's place on a US keyboard.
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) {
    return static_cast<uint16_t>(kVkA + (scancode - SDL_SCANCODE_A));
  }
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) {
    return static_cast<uint16_t>(kVk0 + 1 + (scancode - SDL_SCANCODE_1));
  }
  if (scancode == SDL_SCANCODE_0) return kVk0;
  return PunctuationPosition(scancode);
}

}  // namespace window::sdl
