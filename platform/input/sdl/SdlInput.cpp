#include "platform/input/sdl/SdlInput.h"

#include <SDL2/SDL.h>

#include <cstring>

#include "platform/input/sdl/ScancodeTable.h"

namespace input::sdl {

void ButtonsFromSdlMask(uint32_t mask, uint8_t* buttons) {
  buttons[kButtonLeft] = (mask & SDL_BUTTON_LMASK) != 0 ? kDown : 0;
  buttons[kButtonRight] = (mask & SDL_BUTTON_RMASK) != 0 ? kDown : 0;
  buttons[kButtonMiddle] = (mask & SDL_BUTTON_MMASK) != 0 ? kDown : 0;
  buttons[kButtonX1] = (mask & SDL_BUTTON_X1MASK) != 0 ? kDown : 0;
}

int32_t WheelSteps(int32_t y, uint32_t direction) {
  // Bounded, so that no event can overflow the sum of a frame.
  if (y > 10000) y = 10000;
  if (y < -10000) y = -10000;
  const int32_t steps = y * kWheelStep;
  return direction == SDL_MOUSEWHEEL_FLIPPED ? -steps : steps;
}

namespace {

// Adds without overflowing: a mouse left alone for hours still moves by at most this much.
void Accumulate(std::atomic<int32_t>& sum, int32_t amount) {
  constexpr int32_t kLimit = 1 << 28;
  int32_t old_value = sum.load(std::memory_order_relaxed);
  int64_t wanted = 0;
  do {
    wanted = static_cast<int64_t>(old_value) + amount;
    if (wanted > kLimit) wanted = kLimit;
    if (wanted < -kLimit) wanted = -kLimit;
  } while (!sum.compare_exchange_weak(old_value, static_cast<int32_t>(wanted),
                                      std::memory_order_relaxed));
}

uint64_t Pack(int32_t x, int32_t y) {
  return (static_cast<uint64_t>(static_cast<uint32_t>(x)) << 32) | static_cast<uint32_t>(y);
}

void Unpack(uint64_t packed, int32_t* x, int32_t* y) {
  *x = static_cast<int32_t>(static_cast<uint32_t>(packed >> 32));
  *y = static_cast<int32_t>(static_cast<uint32_t>(packed & 0xFFFFFFFFu));
}

}  // namespace

void SdlInput::WindowChanged(const SDL_WindowEvent& event) {
  switch (event.event) {
    case SDL_WINDOWEVENT_FOCUS_LOST:
    case SDL_WINDOWEVENT_MINIMIZED:
      m_background = true;
      break;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED:
      if (SDL_GetKeyboardFocus() == nullptr || SDL_GetKeyboardFocus() != SDL_GetWindowFromID(event.windowID)) {
        break;
      }
      [[fallthrough]];
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      // Back in front: what the mouse did meanwhile belonged to other programs.
      m_background = false;
      m_dx = 0;
      m_dy = 0;
      m_wheel = 0;
      break;
    default:
      break;
  }
}

int SdlInput::Watch(void* self, SDL_Event* event) {
  auto* input = static_cast<SdlInput*>(self);
  // In the background the mouse moves for other programs: the game must not find that movement
  // added to its first frame back.
  const bool background = input->m_background;
  switch (event->type) {
    case SDL_WINDOWEVENT:
      input->WindowChanged(event->window);
      break;
    case SDL_MOUSEMOTION:
      if (background) break;
      Accumulate(input->m_dx, event->motion.xrel);
      Accumulate(input->m_dy, event->motion.yrel);
      input->m_changed = true;
      break;
    case SDL_MOUSEBUTTONDOWN:
      if (event->button.button >= 1 && event->button.button <= 32) {
        input->m_pressed_buttons |= SDL_BUTTON(event->button.button);
      }
      if (event->button.button == SDL_BUTTON_LEFT) {
        input->m_press = Pack(event->button.x, event->button.y);
        input->NoteLeftEdge(event->button.timestamp);
        input->m_left_went_down = true;
      }
      input->m_changed = true;
      break;
    case SDL_MOUSEBUTTONUP:
      if (event->button.button == SDL_BUTTON_LEFT) {
        input->m_release = Pack(event->button.x, event->button.y);
        input->NoteLeftEdge(event->button.timestamp);
        input->m_left_came_up = true;
      }
      input->m_changed = true;
      break;
    case SDL_KEYDOWN:
      if (const uint8_t code = KeyCodeFromScancode(event->key.keysym.scancode)) {
        input->m_pressed_keys[code] = true;
      }
      break;
    case SDL_MOUSEWHEEL:
      if (background) break;
      Accumulate(input->m_wheel, WheelSteps(event->wheel.y, event->wheel.direction));
      input->m_changed = true;
      break;
    default:
      break;
  }
  return 1;
}

void SdlInput::NoteLeftEdge(uint32_t timestamp) {
  if (!m_left_went_down && !m_left_came_up) m_left_edge_time = timestamp;
}

bool SdlInput::LeftEdgeTime(uint32_t* time) const {
  if (!m_left_went_down && !m_left_came_up) return false;
  *time = m_left_edge_time;
  return true;
}

bool SdlInput::Start() {
  if (SDL_InitSubSystem(SDL_INIT_EVENTS) != 0) return false;
  SDL_AddEventWatch(&SdlInput::Watch, this);
  m_started = true;
  return true;
}

void SdlInput::Stop() {
  if (!m_started) return;
  SDL_DelEventWatch(&SdlInput::Watch, this);
  SDL_QuitSubSystem(SDL_INIT_EVENTS);
  m_started = false;
}

bool SdlInput::PollKeyboard(uint8_t* keys) {
  // SDL's state is brought up to date when the window service pumps the events.
  int count = 0;
  const Uint8* state = SDL_GetKeyboardState(&count);
  if (state == nullptr) return false;
  for (int code = 0; code < kKeyCount; ++code) {
    keys[code] = m_pressed_keys[code].exchange(false) ? kDown : 0;
  }
  for (int scancode = 0; scancode < count; ++scancode) {
    if (state[scancode] == 0) continue;
    const uint8_t code = KeyCodeFromScancode(scancode);
    if (code != 0) keys[code] = kDown;
  }
  return true;
}

bool SdlInput::PollMouse(MouseState* state) {
  state->dx = m_dx.exchange(0);
  state->dy = m_dy.exchange(0);
  state->wheel = m_wheel.exchange(0);
  state->changed = m_changed.exchange(false);
  // The flags before the positions: a press between the two reads is then told with its own place.
  state->left_went_down = m_left_went_down.exchange(false);
  state->left_came_up = m_left_came_up.exchange(false);
  Unpack(m_press.load(), &state->press_x, &state->press_y);
  Unpack(m_release.load(), &state->release_x, &state->release_y);
  const uint32_t pressed = m_pressed_buttons.exchange(0);
  ButtonsFromSdlMask(SDL_GetMouseState(nullptr, nullptr) | pressed, state->buttons);
  return true;
}

}  // namespace input::sdl
