#include "gui/include/GUIWindowManager.h"

#include <algorithm>
#include <utility>

#include "gui/include/DialogWindow.h"
#include "gui/include/GUISystem.h"
#include "gui/include/GUIWindow.h"
#include "source/log/cLog.h"

namespace {
constexpr const char* kSource = "guiwindowmanager";
constexpr int kNotFoundLine = 40;
constexpr const char* kRoot = "root";
}  // namespace

GUIWindowManager::GUIWindowManager() { m_windows[kRoot] = new GUIWindow(nullptr, kRoot); }

GUIWindowManager::~GUIWindowManager() {
  m_dispatch_depth = 0;
  for (GUIWindow* window : std::exchange(m_pending_deletes, {})) delete window;
  auto root = m_windows.find(kRoot);
  if (root != m_windows.end()) {
    GUIWindow* window = root->second;
    m_windows.erase(root);
    delete window;
  }
}

GUIWindow* GUIWindowManager::GetWindow(const std::string& name) const {
  auto found = m_windows.find(name);
  if (found != m_windows.end() && found->second != nullptr) return found->second;
  LogReport(kLogError, kSource, kNotFoundLine, "GUIWindowManager: window %s not found ", name.c_str());
  return nullptr;
}

void GUIWindowManager::Forget(const GUIWindow* window) {
  for (auto it = m_windows.begin(); it != m_windows.end();) {
    it = it->second == window ? m_windows.erase(it) : std::next(it);
  }
  m_pending_deletes.erase(std::remove(m_pending_deletes.begin(), m_pending_deletes.end(), window),
                          m_pending_deletes.end());
}

void GUIWindowManager::DeleteWindow(GUIWindow* window) {
  if (window == nullptr) return;
  if (m_dispatch_depth == 0) {
    delete window;
    return;
  }
  if (std::find(m_pending_deletes.begin(), m_pending_deletes.end(), window) != m_pending_deletes.end()) return;
  // Out of the tree at once: the loop over its siblings stops, and nothing reaches it again.
  window->SetParent(nullptr);
  window->Show(false);
  m_pending_deletes.push_back(window);
}

void GUIWindowManager::EndDispatch() {
  if (m_dispatch_depth > 0) --m_dispatch_depth;
  if (m_dispatch_depth > 0) return;
  while (!m_pending_deletes.empty()) {
    GUIWindow* window = m_pending_deletes.back();
    m_pending_deletes.pop_back();
    delete window;
  }
}

void WindowDestroyed(GUIWindow* window) {
  if (GUIWindowManager* manager = GUIWindowManager::PeekInstance()) manager->Forget(window);
  if (GUISystem* system = GUISystem::PeekInstance()) system->Forget(window);
  DialogWindow::ForgetWindow(window);
}
