#pragma once
// One line of displayed text in one of the game's fonts: the labels of dialogs and screens, the
// text part of the edit box, and the pages of long texts, where a chain of statics marked "link"
// lets a text that does not fit one static flow on word by word into the next. Its glyph model
// is its own model. With a "helper" model the text is placed at the helper's box, and with
// "scaling" it grows and shrinks with the helper's animation.

#include <memory>
#include <string>

#include "gui/include/GUIWindow.h"

class RenderObject;

class GUIStatic : public GUIWindow {
 public:
  GUIStatic(GUIWindow* parent, const std::string& name);
  ~GUIStatic() override;

  const char* GetTypeName() const override { return "static"; }
  // The helper's box (its world box with scaling, else its local box), or without a helper the
  // own model's box.
  Vector3 GetLayoutSize() const override;
  bool Update() override;
  bool ApplyTransform() override;

  // Keeps the text; a linked static keeps the words that fit its width and passes the rest on to
  // the next linked sibling (its "last" then names the last static that took text).
  void SetText(const std::u16string& text);
  // Looks the key up in the current text table.
  void SetTextId(const std::string& key);
  void SetHelper(const std::string& name);
  void SetScaling(bool scaling);
  // Measures the helper over the named animation (start and end) for scaling; the name "appear"
  // leaves the helper resting at the animation's end, any other starts it playing.
  void SetAnimation(const std::string& name);

  const std::u16string& GetText() const { return m_text; }
  int GetFontId() const { return m_font_id; }
  void SetFontId(int font_id);
  bool IsDirty() const { return m_dirty; }
  const Vector3& GetExtent() const { return m_extent; }
  RenderObject* GetGlyphModel() const { return m_font_model.get(); }

 private:
  void PassOn(const std::u16string& rest);
  void PlaceAtHelper();

  std::u16string m_text;
  std::string m_text_id;
  int m_font_id = 0;
  bool m_dirty = false;
  bool m_link = false;
  bool m_scaling = false;
  bool m_layout_ready = true;
  std::unique_ptr<RenderObject> m_font_model;
  RenderObject* m_helper = nullptr;  // a model of the GUI's model map: not owned
  Vector3 m_extent;
  Vector3 m_text_size;
  // The full size the scale is taken against was measured (from an animation or the helper's own
  // box): until then a scaling static is drawn at its helper's size.
  bool m_size_measured = false;
};
