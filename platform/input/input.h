#pragma once
// The input service of the platform layer: the keyboard and the mouse, polled once a frame.
// It follows the window service's choice of backend (SDL2, or headless where tests set the state
// by hand, see headless/HeadlessInput.h). Main thread only.

#include <cstdint>

#include "platform/input/KeyCodes.h"

namespace input {

constexpr int kKeyCount = 256;
constexpr int kMouseButtonCount = 4;
constexpr int kWheelStep = 120;  // one notch of the wheel
constexpr uint8_t kDown = 0x80;  // the bit of a key or button byte that is set while it is down

enum MouseButton { kButtonLeft = 0, kButtonRight = 1, kButtonMiddle = 2, kButtonX1 = 3 };

struct MouseState {
  // Movement since the last poll: x and y in pixels, the wheel in kWheelStep a notch, positive
  // when turned away from the user.
  int32_t dx = 0;
  int32_t dy = 0;
  int32_t wheel = 0;
  // By MouseButton; kDown while held, and at the first poll after a click however short.
  uint8_t buttons[kMouseButtonCount] = {};
  // The pointer in client pixels; negative or beyond the client size outside the window.
  int32_t x = 0;
  int32_t y = 0;
  // Where the left button last went down and last came up, in client pixels, kept from poll to
  // poll: between two slow polls the pointer may have moved on from either.
  int32_t press_x = 0;
  int32_t press_y = 0;
  int32_t release_x = 0;
  int32_t release_y = 0;
  // The left button went down, or came up, since the last poll (the positions above are then this
  // poll's). A state made by hand leaves them false and its reader takes the pointer instead.
  bool left_went_down = false;
  bool left_came_up = false;
  // Anything of the mouse (movement, a button, the wheel) changed since the last poll.
  bool changed = false;
};

// Starts the service (the window service first). False when the devices cannot be reached.
bool Initialize();
void Shutdown();

// The keyboard: `keys` receives kKeyCount bytes indexed by KeyCode, kDown while held. A key pressed
// and released again since the last poll is reported down at this poll, so that a quick tap is
// seen. False (and `keys` untouched) when the keyboard cannot be read.
bool PollKeyboard(uint8_t* keys);
// The mouse since the last poll. False (and `state` untouched) when it cannot be read.
bool PollMouse(MouseState* state);

}  // namespace input
