#include "Sources/minigames/MiniGameHost.h"

namespace {

MiniGameHost* g_host = nullptr;

}  // namespace

MiniGameHost& GetMiniGameHost() {
  static MiniGameHost idle;
  return g_host != nullptr ? *g_host : idle;
}

void SetMiniGameHost(MiniGameHost* host) { g_host = host; }
