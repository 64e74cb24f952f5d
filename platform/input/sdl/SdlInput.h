#pragma once
// The input backend over SDL2: SDL's keyboard and button state in the PC scan-code numbering, and
// what SDL's events tell as they arrive (an event watch, whoever drains the queue): the mouse's
// movement, and the keys and buttons pressed since the last poll, which a poll reports as down
// even when they were released again before it (a quick tap must not be lost between frames), and
// where the left button went down and up.
// While the window is in the background (no focus, or minimised) the mouse's movement and wheel
// are not counted, as the devices of a foreground-only game would not report them.

#include <array>
#include <atomic>
#include <cstdint>

#include "platform/input/Backend.h"

union SDL_Event;
struct SDL_WindowEvent;

namespace input::sdl {

// SDL's button mask (left 1, middle 2, right 3, X1 4) in the service's order: left, right,
// middle, X1, each kDown while held.
void ButtonsFromSdlMask(uint32_t mask, uint8_t* buttons);

// The wheel movement of one SDL wheel event in kWheelStep a notch, away from the user positive.
int32_t WheelSteps(int32_t y, uint32_t direction);

class SdlInput : public Backend {
 public:
  bool Start() override;
  void Stop() override;
  bool PollKeyboard(uint8_t* keys) override;
  bool PollMouse(MouseState* state) override;
  bool LeftEdgeTime(uint32_t* time) const override;

 private:
  void NoteLeftEdge(uint32_t timestamp);
  static int Watch(void* self, SDL_Event* event);
  void WindowChanged(const SDL_WindowEvent& event);

  bool m_started = false;
  // Written by the watch, which runs wherever SDL queues an event.
  std::atomic<int32_t> m_dx{0};
  std::atomic<int32_t> m_dy{0};
  std::atomic<int32_t> m_wheel{0};
  std::atomic<bool> m_changed{false};
  std::atomic<bool> m_background{false};  // the window lost the focus or was minimised
  std::atomic<uint32_t> m_pressed_buttons{0};  // SDL button masks
  // Where the left button last went down and came up: x in the high half, y in the low, so that
  // a poll never reads the x of one press with the y of another.
  std::atomic<uint64_t> m_press{0};
  std::atomic<uint64_t> m_release{0};
  std::atomic<bool> m_left_went_down{false};  // since the last poll
  std::atomic<bool> m_left_came_up{false};
  std::atomic<uint32_t> m_left_edge_time{0};  // SDL's event time of the first of those two
  std::array<std::atomic<bool>, kKeyCount> m_pressed_keys{};
};

}  // namespace input::sdl
