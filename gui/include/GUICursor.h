#pragma once
// The window "cursor": every frame it turns the mouse position, and where the left button went
// down and up, into GUI coordinates (over the centred 4:3 part of a wide window), and it keeps
// the program's mouse cursors by name and selects one. It is never drawn through the tree but is
// updated every frame.

#include <functional>
#include <map>
#include <string>

#include "gui/include/GUIWindow.h"

namespace window {
struct Cursor;
}

class GUICursor : public GUIWindow {
 public:
  // The cursor images the program carries, by name and number.
  static constexpr int kCursorArrow = 113;
  static constexpr int kCursorDialog = 114;
  static constexpr int kCursorClock = 115;
  static constexpr int kCursorLens = 116;
  static constexpr int kCursorEmpty = 117;

  GUICursor(const std::string& name, GUIWindow* parent);
  ~GUICursor() override;

  // Loads the program's cursor `resource_id` under the name; a name held already is kept.
  void AddCursor(const std::string& name, int resource_id);
  // Selects the named cursor; a name never added selects none, which hides the pointer.
  void SetCursor(const std::string& name);
  window::Cursor* GetCurrent() const { return m_current; }
  const std::map<std::string, window::Cursor*>& GetCursors() const { return m_cursors; }
  Vector2 GetMousePosition() const { return m_mouse; }
  // Where the left button last went down and came up (the pointer may have moved on since).
  Vector2 GetPressPosition() const { return m_press; }
  Vector2 GetReleasePosition() const { return m_release; }

  // Maps the mouse; children are not updated.
  bool Update() override;
  // A cursor model follows the mouse.
  bool ApplyTransform() override;

  // Where a selected cursor goes besides the window service (the application keeps it).
  static void SetCursorSink(std::function<void(window::Cursor*)> sink);

  // The mouse at client pixel (x, y) of a w x h client, in GUI units of a camera gui_w x gui_h.
  static Vector2 MapMouse(float x, float y, float w, float h, float gui_w, float gui_h);

 private:
  Vector2 m_mouse;
  Vector2 m_press;
  Vector2 m_release;
  std::map<std::string, window::Cursor*> m_cursors;
  window::Cursor* m_current = nullptr;
};
