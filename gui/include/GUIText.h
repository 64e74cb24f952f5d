#pragma once
// A block of text broken into lines inside the box of the window's model (the union of its boxes
// over the model's frames), drawn as one glyph model that is stretched and turned onto the
// model's current box every frame, so the text follows the model. The model itself is never
// drawn. "\n" in a text starts a new line; "border_fix" justifies the lines.

#include <memory>
#include <string>

#include "gui/include/GUIWindow.h"

class RenderObject;

class GUIText : public GUIWindow {
 public:
  GUIText(GUIWindow* parent, const std::string& name);
  ~GUIText() override;

  const char* GetTypeName() const override { return "text"; }
  // The layout box's size (hugely negative before a model gave one).
  Vector3 GetLayoutSize() const override;
  void SetVisible(bool v) override;
  bool Update() override;
  bool ApplyTransform() override;

  // Stored with each backslash-n turned into a line feed; the same text again changes nothing.
  void SetText(const std::u16string& text);
  void SetTextId(const std::string& key);
  // The model by name; its frames give the layout box.
  void SetModelByName(const std::string& name);

  const std::u16string& GetText() const { return m_text; }
  bool IsDirty() const { return m_dirty; }
  RenderObject* GetGlyphModel() const { return m_font_model.get(); }
  const Vector3& GetLayoutMin() const { return m_layout_min; }
  const Vector3& GetLayoutMax() const { return m_layout_max; }

 private:
  void MeasureLayoutBox(RenderObject& model);
  void Layout(const class GUIFont& font);
  void PlaceGlyphs();

  std::u16string m_text;
  std::string m_text_id;
  int m_font_id = 0;
  Vector3 m_layout_min;
  Vector3 m_layout_max;
  std::unique_ptr<RenderObject> m_font_model;
  bool m_dirty = false;
  bool m_border_fix = false;
  float m_angle_z = 0.0f;
};
