#pragma once
// The registry of windows by name. It owns the tree's top window "root" (made with the manager)
// and nothing else: callers register their own windows. A deleted window is forgotten, and a
// window deleted while the mouse is being dispatched or the tree updated goes only afterwards.

#include <map>
#include <string>
#include <vector>

#include "source/core/Singleton.h"

class GUIWindow;

class GUIWindowManager : public Singleton<GUIWindowManager> {
 public:
  GUIWindowManager();
  // Deletes "root" and with it every window still in the tree.
  ~GUIWindowManager() override;

  // The window of that name, or null (logged as an error).
  GUIWindow* GetWindow(const std::string& name) const;
  void RegisterWindow(const std::string& name, GUIWindow* window) { m_windows[name] = window; }
  // Forgets every name of the window.
  void Forget(const GUIWindow* window);

  // Deletes the window now, or, inside a dispatch or tree update, takes it out of the tree now
  // and deletes it when the outermost one ends (a click handler may so delete its own window).
  void DeleteWindow(GUIWindow* window);
  void BeginDispatch() { ++m_dispatch_depth; }
  void EndDispatch();
  bool IsDispatching() const { return m_dispatch_depth > 0; }

  const std::map<std::string, GUIWindow*>& GetWindows() const { return m_windows; }

 private:
  std::map<std::string, GUIWindow*> m_windows;
  std::vector<GUIWindow*> m_pending_deletes;
  int m_dispatch_depth = 0;
};

// Every registry that may hold a window's name or address lets go of it (called by the window's
// destructor).
void WindowDestroyed(GUIWindow* window);
