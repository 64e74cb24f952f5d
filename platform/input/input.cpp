// Picks the input backend that matches the window service's and forwards the polls to it.

#include "platform/input/input.h"

#include <cstring>
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
  if (!backend->PollMouse(&polled)) return false;
  int x = 0;
  int y = 0;
  window::GetMousePosition(&x, &y);
  polled.x = x;
  polled.y = y;
  *state = polled;
  return true;
}

}  // namespace input
