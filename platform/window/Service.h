#pragma once
// Inside the window service: the running backend and the queue, for the backends' own controls
// (the headless test hooks). Not for use outside platform/.

#include "platform/window/Backend.h"
#include "platform/window/MessageQueue.h"

namespace window::detail {

// The running backend, started on first use; null when it could not start.
Backend* ActiveBackend();
MessageQueue& Queue();

}  // namespace window::detail
