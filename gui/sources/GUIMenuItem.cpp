#include "gui/include/GUIMenuItem.h"

#include "gui/include/GUIAttribute.h"
#include "gui/include/GUIFont.h"
#include "gui/include/GUIWidgetSupport.h"
#include "source/model/Model.h"
#include "source/render/RenderObject.h"

GUIMenuItem::GUIMenuItem(GUIWindow* parent, const std::string& name)
    : GUIWindow(parent, name), m_font_model(MakeGlyphModel()) {
  CreateEvent("on_click");
  GetLayer().AddObject(m_font_model.get());
  PropertyMap& map = GetProperties();
  AddGuiAttribute<std::u16string>(map, "text", nullptr, [this](const std::u16string& text) {
    if (text == m_text) return;
    m_text = text;
    m_dirty = true;
  });
  AddGuiAttribute<std::string>(map, "text_id", nullptr, [this](const std::string& key) {
    if (key == m_text_id) return;
    m_text_id = key;
    m_dirty = true;
  });
  AddGuiAttribute<int>(map, "font_id", nullptr, [this](const int& id) {
    if (id == m_font_id) return;
    m_font_id = id;
    m_dirty = true;
    m_current_font = m_selected ? m_select_font_id : m_font_id;
  });
  AddGuiAttribute<int>(map, "select_font_id", nullptr, [this](const int& id) {
    if (id == m_select_font_id) return;
    m_select_font_id = id;
    m_dirty = true;
    m_current_font = m_selected ? m_select_font_id : m_font_id;
  });
  AddGuiAttribute<bool>(map, "menu_select", nullptr, [this](const bool& on) { SetSelected(on); });
  AddGuiAttribute<bool>(map, "never_select", [this] { return m_never_select; },
                        [this](const bool& on) { m_never_select = on; });
  AddGuiAttribute<bool>(map, "centred", [this] { return m_centred; }, [this](const bool& on) {
    if (on == m_centred) return;
    m_centred = on;
    m_dirty = true;
  });
  m_font_model->SetVisible(IsVisible());
}

void GUIMenuItem::SetVisible(bool v) {
  GUIWindow::SetVisible(v);
  // The text goes with the window: a hidden item is not transformed again, so it would stay drawn.
  m_font_model->SetVisible(IsVisible());
}

GUIMenuItem::~GUIMenuItem() { GetLayer().RemoveObject(m_font_model.get()); }

Vector3 GUIMenuItem::GetLayoutSize() const {
  if (!m_laid_out) return m_default_size;
  const cBoundingBox& box = m_font_model->GetBoundingBox();
  return box.m_local_max - box.m_local_min;
}

void GUIMenuItem::SetSelected(bool selected) {
  if (selected == m_selected) return;
  m_selected = selected && !m_never_select;
  m_current_font = selected ? m_select_font_id : m_font_id;
  m_dirty = true;
  if (!selected || GetParent() == nullptr) return;
  const std::vector<GUIWindow*> siblings = GetParent()->GetChildren();
  for (GUIWindow* sibling : siblings) {
    if (sibling != this) sibling->SetValue("menu_select", "false");
  }
}

bool GUIMenuItem::HandleMouse(const Vector2& point, bool button_down) {
  if (GUIWindow::HandleMouse(point, button_down)) return true;
  const int before = m_current_font;
  m_current_font = IsHover() || m_selected ? m_select_font_id : m_font_id;
  bool result = false;
  if (IsLeftButtonReleased()) {
    if (!IsHover()) {
      m_was_hover = false;
      m_dirty = m_dirty || m_current_font != before;
      return false;
    }
    SetSelected(true);
    FireEvent("on_click");
    result = true;
  }
  m_was_hover = IsHover();
  // A re-layout already asked for (a text the click handler gave) is kept.
  m_dirty = m_dirty || m_current_font != before;
  return result;
}

bool GUIMenuItem::Update() {
  m_font_model->SetColor(GetVisual().GetColor());
  return GUIWindow::Update();
}

void GUIMenuItem::Relayout() {
  const GUIFont* font = FindGUIFont(m_current_font);
  if (font == nullptr) return;  // tried again every frame until the font exists
  m_dirty = false;
  if (!m_text_id.empty()) m_text = LookUpText(m_text_id);
  font->BuildText(*m_font_model, GetVisual().GetColor(), m_text);
  m_font_model->RefreshBounds();
  m_text_offset = Vector3();
  if (m_centred) {
    // The line's box (its width, the font's height) in the middle of the item.
    const Vector3 extent = font->GetTextExtent(m_text);
    m_text_offset = Vector3((GetSize().x - extent.x) * 0.5f, (GetSize().y - extent.y) * 0.5f, 0.0f);
  }
  m_laid_out = true;
}

bool GUIMenuItem::ApplyTransform() {
  const bool result = GUIWindow::ApplyTransform();
  if (m_dirty) Relayout();
  // Drawn over the item's own model, whenever that was made.
  GetLayer().RemoveObject(m_font_model.get());
  GetLayer().AddObject(m_font_model.get());
  Matrix4 world;
  Matrix4::Multiply(world, Matrix4::MakeTranslation(m_text_offset.x, m_text_offset.y, 0.0f), GetWorld());
  m_font_model->SetWorldMatrix(world);
  m_font_model->SetColor(GetVisual().GetColor());
  m_font_model->SetVisible(IsVisible());
  return result;
}
