#pragma once
// The operations one input backend provides (SDL2 or headless); input.cpp picks one at start-up.

#include "platform/input/input.h"

namespace input {

class Backend {
 public:
  virtual ~Backend() = default;
  virtual bool Start() = 0;
  virtual void Stop() = 0;
  virtual bool PollKeyboard(uint8_t* keys) = 0;
  // Everything but the position, which the window service knows.
  virtual bool PollMouse(MouseState* state) = 0;
  // When the first left button edge not polled yet was made (on the window service's clock of
  // events); false when there is none.
  virtual bool LeftEdgeTime(uint32_t* time) const = 0;
};

namespace detail {
// The running backend, started on first use; null when it could not start.
Backend* ActiveBackend();
}  // namespace detail

}  // namespace input
