#pragma once
// The input backend without devices: the keyboard and the mouse are whatever tests set through
// the controls below. The controls act only while the headless backend runs (else they return
// false).

#include <cstdint>

#include "platform/input/Backend.h"

namespace input {

class HeadlessInput : public Backend {
 public:
  bool Start() override { return true; }
  void Stop() override {}
  bool PollKeyboard(uint8_t* keys) override;
  bool PollMouse(MouseState* state) override;
  bool LeftEdgeTime(uint32_t* time) const override;

  uint8_t m_keys[kKeyCount] = {};
  uint8_t m_buttons[kMouseButtonCount] = {};
  bool m_pressed[kMouseButtonCount] = {};  // went down since the last poll: seen down at it
  int32_t m_press[2] = {};    // the pointer where the left button last went down
  int32_t m_release[2] = {};  // and where it last came up
  bool m_left_went_down = false;  // since the last poll
  bool m_left_came_up = false;
  uint32_t m_left_edge_time = 0;  // of the first of those two
  int32_t m_dx = 0;
  int32_t m_dy = 0;
  int32_t m_wheel = 0;
  bool m_changed = false;
  bool m_fail_keyboard = false;
  bool m_fail_mouse = false;
};

namespace headless {

bool SetKey(uint8_t code, bool down);
bool ReleaseAllKeys();
// A button goes down or up where the pointer stands; like a real mouse's, a press is seen at the
// next poll even when the button is up again by then.
bool SetMouseButton(MouseButton button, bool down);
// Moves the mouse: adds to the deltas of the next poll and moves the pointer of the headless
// window service by the same amount.
bool MoveMouse(int32_t dx, int32_t dy);
bool TurnWheel(int32_t notches);
// The next polls fail until cleared (a device that cannot be read).
bool FailKeyboard(bool fail);
bool FailMouse(bool fail);

}  // namespace headless
}  // namespace input
