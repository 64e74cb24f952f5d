#include "gui/include/GUIText.h"

#include <cmath>
#include <limits>

#include "gui/include/GUIAttribute.h"
#include "gui/include/GUIFont.h"
#include "gui/include/GUIWidgetSupport.h"
#include "gui/include/TextLayout.h"
#include "source/model/Model.h"
#include "source/render/RenderObject.h"

namespace {

constexpr float kHuge = std::numeric_limits<float>::max();
constexpr uint32_t kPlacedElsewhere = 0x100000;  // the object is updated by its window
constexpr float kDegrees = 0.0174533f;

}  // namespace

GUIText::GUIText(GUIWindow* parent, const std::string& name)
    : GUIWindow(parent, name),
      m_layout_min(kHuge, kHuge, kHuge),
      m_layout_max(-kHuge, -kHuge, -kHuge),
      m_font_model(MakeGlyphModel()) {
  m_font_model->SetFlagBits(kPlacedElsewhere);
  GetLayer().AddObject(m_font_model.get());
  PropertyMap& map = GetProperties();
  AddGuiAttribute<std::u16string>(map, "text", [this] { return m_text; },
                                  [this](const std::u16string& text) { SetText(text); });
  AddGuiAttribute<std::string>(map, "text_id", [this] { return m_text_id; },
                               [this](const std::string& key) { SetTextId(key); });
  AddGuiAttribute<int>(map, "font_id", [this] { return m_font_id; }, [this](const int& id) {
    if (id == m_font_id) return;
    m_font_id = id;
    m_dirty = true;
  });
  AddGuiAttribute<std::string>(map, "model", nullptr, [this](const std::string& n) { SetModelByName(n); });
  AddGuiAttribute<bool>(map, "border_fix", nullptr, [this](const bool& on) {
    if (on == m_border_fix) return;
    m_border_fix = on;
    m_dirty = true;
  });
  AddGuiAttribute<float>(map, "angle_z", [this] { return m_angle_z; }, [this](const float& a) { m_angle_z = a; });
}

GUIText::~GUIText() { GetLayer().RemoveObject(m_font_model.get()); }

Vector3 GUIText::GetLayoutSize() const { return m_layout_max - m_layout_min; }

void GUIText::SetText(const std::u16string& text) {
  if (text == m_text) return;
  m_text.clear();
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool escape = text[i] == u'\\' && i + 1 < text.size() && text[i + 1] == u'n';
    m_text.push_back(escape ? u'\n' : text[i]);
    if (escape) ++i;
  }
  m_dirty = true;
}

void GUIText::SetTextId(const std::string& key) {
  if (key == m_text_id) return;
  m_text_id = key;
  SetText(LookUpText(key));
  m_dirty = !m_text.empty();
}

void GUIText::SetModelByName(const std::string& name) {
  GetVisual().SetModelByName(name);
  if (RenderObject* model = GetVisual().GetModel()) MeasureLayoutBox(*model);
}

void GUIText::MeasureLayoutBox(RenderObject& model) {
  model.SetFlagBits(kPlacedElsewhere);
  m_layout_min = Vector3(kHuge, kHuge, kHuge);
  m_layout_max = Vector3(-kHuge, -kHuge, -kHuge);
  AnimationController& animation = model.GetAnimation();
  const uint32_t frames = std::max<uint32_t>(animation.GetFrameCount(), 1);
  for (uint32_t frame = 0; frame < frames; ++frame) {
    animation.SetTime(static_cast<float>(frame));
    model.Update(false);
    const cBoundingBox& box = model.GetBoundingBox();
    for (const Vector3& corner : {box.m_world_min - box.m_centre, box.m_world_max - box.m_centre}) {
      m_layout_min = Vector3(std::min(m_layout_min.x, corner.x), std::min(m_layout_min.y, corner.y),
                             std::min(m_layout_min.z, corner.z));
      m_layout_max = Vector3(std::max(m_layout_max.x, corner.x), std::max(m_layout_max.y, corner.y),
                             std::max(m_layout_max.z, corner.z));
    }
  }
  animation.SetTime(0.0f);
}

void GUIText::Layout(const GUIFont& font) {
  const TextBox box{m_layout_min.x, m_layout_min.y, m_layout_max.x - m_layout_min.x, m_layout_max.y - m_layout_min.y};
  font.BeginText(*m_font_model, GetVisual().GetColor());
  const std::vector<TextWord> words = BuildWords(font, m_text);
  LayoutLines(font, *m_font_model->GetModel(), words, BreakLines(words, box.width, m_border_fix), box, GetAlignment(),
              m_border_fix);
  m_font_model->MarkBoundsForRefresh();
}

void GUIText::PlaceGlyphs() {
  RenderObject* model = GetVisual().GetModel();
  if (model == nullptr) return;
  if (GetVisual().GetApplyPlacementMatrix()) {
    model->SetWorldMatrix(Matrix4());
    model->MarkBoundsForRefresh();
  }
  model->Update(false);
  const cBoundingBox& box = model->GetBoundingBox();
  const float width = m_layout_max.x - m_layout_min.x, height = m_layout_max.y - m_layout_min.y;
  if (!(width > 0.0f) || !(height > 0.0f)) return;
  const Vector3 scale((box.m_world_max.x - box.m_world_min.x) / width, (box.m_world_max.y - box.m_world_min.y) / height,
                      1.0f);
  const Vector3 o = box.m_world_min - box.m_centre;
  const float a = m_angle_z * kDegrees, c = std::cos(a), s = std::sin(a);
  // o turned by R (row vectors): (x c - y s, x s + y c).
  const Vector3 turned(o.x * c - o.y * s, o.x * s + o.y * c, o.z);
  const Vector3 t = box.m_world_min - turned;
  const Matrix4 rotation(c, s, 0, 0, -s, c, 0, 0, 0, 0, 1, 0, t.x, t.y, t.z, 1);
  Matrix4 scaling;
  scaling.SetScaleTranslation(scale, Vector3());
  Matrix4 placement;
  Matrix4::Multiply(placement, scaling, rotation);
  m_font_model->SetWorldMatrix(placement);
  m_font_model->GetSecondMatrix() = placement;
  m_font_model->MarkBoundsForRefresh();
}

bool GUIText::Update() {
  const bool result = GUIWindow::Update();
  // Lines are broken in the model's box: a text given before its model waits for the model.
  if (m_dirty && GetVisual().GetModel() != nullptr) {
    const GUIFont* font = FindGUIFont(m_font_id);
    if (font == nullptr) return false;  // tried again every frame until the font exists
    if (!m_text.empty()) Layout(*font);
    m_dirty = false;
  }
  PlaceGlyphs();
  return result;
}

void GUIText::SetVisible(bool v) {
  GUIWindow::SetVisible(v);
  GetVisual().SetVisible(false);
  // The window's own visibility (its wish and its parent's), not the parent's alone: a text widget
  // that is not shown must not leave its glyphs on screen.
  m_font_model->SetVisible(IsVisible() && !m_text.empty());
}

bool GUIText::ApplyTransform() {
  GUIWindow::ApplyTransform();
  GetVisual().SetVisible(false);
  m_font_model->SetColor(GetVisual().GetColor());
  m_font_model->SetVisible(IsVisible() && !m_text.empty());
  m_font_model->Update(false);
  return true;
}
