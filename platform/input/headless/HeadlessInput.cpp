#include "platform/input/headless/HeadlessInput.h"

#include <cstring>

#include "platform/window/headless/HeadlessWindow.h"
#include "platform/window/window.h"

namespace input {

bool HeadlessInput::PollKeyboard(uint8_t* keys) {
  if (m_fail_keyboard) return false;
  std::memcpy(keys, m_keys, kKeyCount);
  return true;
}

bool HeadlessInput::PollMouse(MouseState* state) {
  if (m_fail_mouse) return false;
  state->dx = m_dx;
  state->dy = m_dy;
  state->wheel = m_wheel;
  for (int button = 0; button < kMouseButtonCount; ++button) {
    state->buttons[button] = m_pressed[button] ? kDown : m_buttons[button];
    m_pressed[button] = false;
  }
  state->press_x = m_press[0];
  state->press_y = m_press[1];
  state->release_x = m_release[0];
  state->release_y = m_release[1];
  state->left_went_down = m_left_went_down;
  state->left_came_up = m_left_came_up;
  m_left_went_down = m_left_came_up = false;
  state->changed = m_changed;
  m_dx = m_dy = m_wheel = 0;
  m_changed = false;
  return true;
}

bool HeadlessInput::LeftEdgeTime(uint32_t* time) const {
  if (!m_left_went_down && !m_left_came_up) return false;
  *time = m_left_edge_time;
  return true;
}

namespace headless {
namespace {

HeadlessInput* Headless() { return dynamic_cast<HeadlessInput*>(detail::ActiveBackend()); }

}  // namespace

bool SetKey(uint8_t code, bool down) {
  HeadlessInput* input = Headless();
  if (input == nullptr) return false;
  input->m_keys[code] = down ? kDown : 0;
  return true;
}

bool ReleaseAllKeys() {
  HeadlessInput* input = Headless();
  if (input == nullptr) return false;
  std::memset(input->m_keys, 0, kKeyCount);
  return true;
}

bool SetMouseButton(MouseButton button, bool down) {
  HeadlessInput* input = Headless();
  if (input == nullptr || static_cast<int>(button) < 0 || static_cast<int>(button) >= kMouseButtonCount) return false;
  const uint8_t value = down ? kDown : 0;
  if (input->m_buttons[button] == value) return true;
  input->m_changed = true;
  input->m_buttons[button] = value;
  input->m_pressed[button] = input->m_pressed[button] || down;
  if (button == kButtonLeft) {
    int32_t* at = down ? input->m_press : input->m_release;
    int x = 0;
    int y = 0;
    window::GetMousePosition(&x, &y);
    at[0] = x;
    at[1] = y;
    if (!input->m_left_went_down && !input->m_left_came_up) {
      input->m_left_edge_time = window::headless::NextEventTime();
    }
    (down ? input->m_left_went_down : input->m_left_came_up) = true;
  }
  return true;
}

bool MoveMouse(int32_t dx, int32_t dy) {
  HeadlessInput* input = Headless();
  if (input == nullptr) return false;
  input->m_dx += dx;
  input->m_dy += dy;
  input->m_changed = true;
  int x = 0;
  int y = 0;
  window::GetMousePosition(&x, &y);
  window::headless::SetMousePosition(x + dx, y + dy);
  return true;
}

bool TurnWheel(int32_t notches) {
  HeadlessInput* input = Headless();
  if (input == nullptr) return false;
  input->m_wheel += notches * kWheelStep;
  input->m_changed = true;
  return true;
}

bool FailKeyboard(bool fail) {
  HeadlessInput* input = Headless();
  if (input == nullptr) return false;
  input->m_fail_keyboard = fail;
  return true;
}

bool FailMouse(bool fail) {
  HeadlessInput* input = Headless();
  if (input == nullptr) return false;
  input->m_fail_mouse = fail;
  return true;
}

}  // namespace headless
}  // namespace input
