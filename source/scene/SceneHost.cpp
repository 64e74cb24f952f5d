#include "source/scene/SceneHost.h"

namespace {

SceneHost* g_host = nullptr;

}  // namespace

SceneHost* SceneHost::GetCurrent() { return g_host; }

void SceneHost::SetCurrent(SceneHost* host) { g_host = host; }

void SceneHost::Withdraw(SceneHost* host) {
  if (g_host == host) g_host = nullptr;
}
