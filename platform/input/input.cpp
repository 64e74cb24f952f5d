// Picks the input backend that matches the window service's and forwards the polls to it.

#include "platform/input/input.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <memory>

#include "platform/input/Backend.h"
#include "platform/input/headless/HeadlessInput.h"
#include "platform/input/sdl/SdlInput.h"
#include "platform/window/window.h"

namespace input {
namespace {

struct ServiceState {
  std::unique_ptr<Backend> backend;
  bool started = false;
  MouseState last;  // as the backend last told it
};

ServiceState& State() {
  // Never destroyed: managers released at exit, after static objects go, may still reach it.
  static ServiceState& state = *new ServiceState();
  return state;
}

}  // namespace

namespace detail {

Backend* ActiveBackend() {
  ServiceState& state = State();
  if (!state.backend) {
    if (!window::Initialize()) return nullptr;
    if (window::IsHeadless()) {
      state.backend = std::make_unique<HeadlessInput>();
    } else {
      state.backend = std::make_unique<sdl::SdlInput>();
    }
    state.started = state.backend->Start();
  }
  return state.started ? state.backend.get() : nullptr;
}

}  // namespace detail

bool Initialize() { return detail::ActiveBackend() != nullptr; }

void Shutdown() {
  ServiceState& state = State();
  if (state.backend && state.started) state.backend->Stop();
  state.backend.reset();
  state.started = false;
  state.last = MouseState();
}

bool PollKeyboard(uint8_t* keys) {
  Backend* backend = detail::ActiveBackend();
  if (backend == nullptr || keys == nullptr) return false;
  return backend->PollKeyboard(keys);
}

bool PollMouse(MouseState* state) {
  Backend* backend = detail::ActiveBackend();
  if (backend == nullptr || state == nullptr) return false;
  MouseState polled;
  uint32_t edge_time = 0;
  if (backend->LeftEdgeTime(&edge_time) && window::KeyTypedBy(edge_time)) {
    // Keys typed before the click are still on their way to the game: the click waits for them
    // (a name typed and OK clicked on a slow frame keeps its last letter). The buttons stay as
    // they were last told, nothing moves, and the backend keeps what it gathered for a later poll.
    const MouseState& last = State().last;
    std::copy(std::begin(last.buttons), std::end(last.buttons), std::begin(polled.buttons));
    polled.press_x = last.press_x;
    polled.press_y = last.press_y;
    polled.release_x = last.release_x;
    polled.release_y = last.release_y;
  } else {
    if (!backend->PollMouse(&polled)) return false;
    State().last = polled;
  }
  int x = 0;
  int y = 0;
  window::GetMousePosition(&x, &y);
  polled.x = x;
  polled.y = y;
  *state = polled;
  return true;
}

}  // namespace input
