#pragma once
// Inside the window service: the running backend and the queue, for the backends' own controls
// (the headless test hooks). Not for use outside platform/.

#include "platform/window/Backend.h"
#include "platform/window/MessageQueue.h"

namespace window::detail {

// The running backend, started on first use; null when it could not start.
Backend* ActiveBackend();
MessageQueue& Queue();
// The connection to the display is gone: runs the display-lost handler (or, without one, says so
// on stderr) and ends the process with status 1. Called by a backend that cannot go on.
[[noreturn]] void DisplayLost();

}  // namespace window::detail
