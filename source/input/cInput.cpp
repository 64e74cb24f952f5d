#include "source/input/cInput.h"

#include <cstring>

#include "platform/input/input.h"
#include "platform/window/window.h"

namespace {

constexpr int kModifierLastIndex = 4;
constexpr int kMouseLastIndex = 5;
constexpr int kControllerLastIndex = 15;

// The two keys of each modifier byte, in the keyboard numbering.
struct ModifierKeys {
  int byte;
  uint8_t first;
  uint8_t second;
};
constexpr ModifierKeys kModifierPairs[] = {
    {cInput::kModifierEnter, input::kKeyReturn, input::kKeyNumpadEnter},
    {cInput::kModifierAlt, input::kKeyLMenu, input::kKeyRMenu},
    {cInput::kModifierCtrl, input::kKeyLControl, input::kKeyRControl},
    {cInput::kModifierShift, input::kKeyLShift, input::kKeyRShift},
};

}  // namespace

cInput::cInput() {
  m_states[kModifiers].last_index = kModifierLastIndex;
  m_states[kMouse].last_index = kMouseLastIndex;
  for (int slot = kMouse + 1; slot < kDeviceCount; ++slot) {
    m_states[slot].last_index = kControllerLastIndex;
  }
}

cInput::~cInput() {
  if (m_devices) input::Shutdown();
}

bool cInput::InitInput() {
  m_devices = input::Initialize();
  if (!m_devices) return false;
  TakeMousePosition();
  return true;
}

bool cInput::PollKeyboard() {
  InputState& keyboard = m_states[kKeyboard];
  keyboard.Swap();
  if (input::PollKeyboard(keyboard.current)) return true;
  // The last known state stays, in both buffers: no press or release is made up from a poll that
  // read nothing.
  std::memcpy(keyboard.current, keyboard.previous, InputState::kSize);
  return false;
}

void cInput::UpdateModifiers() {
  InputState& keyboard = m_states[kKeyboard];
  InputState& modifiers = m_states[kModifiers];
  modifiers.Swap();
  // The last byte does not count, as the device state never had it.
  keyboard.changed = std::memcmp(keyboard.current, keyboard.previous, InputState::kSize - 1) != 0;
  for (const ModifierKeys& pair : kModifierPairs) {
    modifiers.current[pair.byte] =
        (keyboard.current[pair.first] != 0 || keyboard.current[pair.second] != 0) ? 1 : 0;
  }
  modifiers.changed = std::memcmp(modifiers.current, modifiers.previous, 4) != 0;
  bool any_down = false;
  for (int k = 0; k < InputState::kSize && !any_down; ++k) any_down = keyboard.current[k] != 0;
  modifiers.current[kModifierAnyKey] = any_down ? 1 : 0;
}

bool cInput::PollMouse() {
  InputState& mouse = m_states[kMouse];
  input::MouseState state;
  if (!input::PollMouse(&state)) return false;
  mouse.changed = state.changed;
  mouse.Swap();
  for (int button = 0; button < input::kMouseButtonCount; ++button) {
    mouse.current[button] = static_cast<uint8_t>(state.buttons[button] >> 7);
  }
  m_deltas[kMouse] = {static_cast<float>(state.dx), static_cast<float>(state.dy),
                      static_cast<float>(state.wheel)};
  m_left_press = {static_cast<float>(state.press_x), static_cast<float>(state.press_y)};
  m_left_release = {static_cast<float>(state.release_x), static_cast<float>(state.release_y)};
  m_left_press_recorded = state.left_went_down && mouse.IsPressed(kMouseLeft);
  const bool released = state.left_came_up || m_left_release_carried;
  m_left_release_recorded = released && mouse.IsReleased(kMouseLeft);
  m_left_release_carried = released && mouse.IsDown(kMouseLeft);
  return true;
}

void cInput::TakeMousePosition() {
  int x = 0;
  int y = 0;
  window::GetMousePosition(&x, &y);
  m_positions[kMouse] = {static_cast<float>(x), static_cast<float>(y)};
}

bool cInput::UpdateInput() {
  // Without devices nothing is polled: the states keep what they hold.
  if (!m_devices) return false;
  if (!PollKeyboard()) return false;
  UpdateModifiers();
  if (!PollMouse()) return false;
  // The keyboard's two slots and the mouse hold devices; the controller slots stay empty.
  for (int slot = 0; slot <= kMouse; ++slot) {
    m_positions[slot].x += m_deltas[slot].x;
    m_positions[slot].y += m_deltas[slot].y;
  }
  TakeMousePosition();
  m_changed = false;
  for (const InputState& state : m_states) m_changed = m_changed || state.changed;
  return true;
}
