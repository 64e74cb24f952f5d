// Debug output goes to stderr, and only when VELMARIS_DEBUG_OUTPUT is set, so a player's terminal
// stays quiet.

#include <cstdio>
#include <cstdlib>

#include "platform/os/os.h"

namespace os {

void DebugOutput(const char* text) {
  if (text == nullptr || std::getenv("VELMARIS_DEBUG_OUTPUT") == nullptr) return;
  std::fputs(text, stderr);
  std::fflush(stderr);
}

}  // namespace os
