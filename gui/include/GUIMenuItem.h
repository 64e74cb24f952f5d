#pragma once
// A line of text that answers the mouse by switching font: the entries of menus and lists. The
// menu items that share a parent form a group in which at most one is selected ("menu_select").
// A click is a release of the left button over the item, wherever the press began. "centred"
// puts the text in the middle of the item's size.

#include <memory>
#include <string>

#include "gui/include/GUIWindow.h"

class RenderObject;

class GUIMenuItem : public GUIWindow {
 public:
  GUIMenuItem(GUIWindow* parent, const std::string& name);
  ~GUIMenuItem() override;

  const char* GetTypeName() const override { return "menuitem"; }
  // The laid-out text's box, or the default size before any text was laid out.
  Vector3 GetLayoutSize() const override;
  void SetVisible(bool v) override;
  bool Update() override;
  bool HandleMouse(const Vector2& point, bool button_down) override;
  bool ApplyTransform() override;

  // Selecting sets "menu_select" to "false" on every sibling. A never_select item shows the select
  // font while it is marked but never reads as selected.
  void SetSelected(bool selected);

  bool IsSelected() const { return m_selected; }
  const std::u16string& GetText() const { return m_text; }
  int GetCurrentFont() const { return m_current_font; }
  int GetFontId() const { return m_font_id; }
  int GetSelectFontId() const { return m_select_font_id; }
  bool IsDirty() const { return m_dirty; }
  RenderObject* GetGlyphModel() const { return m_font_model.get(); }

 private:
  void Relayout();

  std::unique_ptr<RenderObject> m_font_model;
  bool m_selected = false;
  std::u16string m_text;
  std::string m_text_id;
  bool m_dirty = false;
  bool m_was_hover = false;
  bool m_never_select = false;
  bool m_centred = false;  // the text stands in the middle of the item, not on its bottom left
  Vector3 m_text_offset;
  bool m_laid_out = false;
  int m_current_font = 0;
  int m_font_id = 0;
  int m_select_font_id = 0;
  Vector3 m_default_size{1.0f, 1.0f, 1.0f};
};
