#include "gui/include/GUIStatic.h"

#include <algorithm>

#include "gui/include/GUIAttribute.h"
#include "gui/include/GUIFont.h"
#include "gui/include/GUISystem.h"
#include "gui/include/GUIWidgetSupport.h"
#include "gui/include/TextFitting.h"
#include "source/log/cLog.h"
#include "source/math/FloatCurve.h"
#include "source/model/Model.h"
#include "source/render/RenderObject.h"
#include "source/text/TextConversion.h"

namespace {

constexpr const char* kSource = "gui\\sources\\GUIStatic";

Vector3 HalfExtent(const RenderObject& object) {
  const cBoundingBox& box = object.GetBoundingBox();
  return (box.m_world_max - box.m_world_min) * 0.5f;
}

// A flat axis (no extent to scale against) keeps its size.
float Ratio(float value, float divisor) { return divisor > 0.0f ? value / divisor : 1.0f; }

}  // namespace

GUIStatic::GUIStatic(GUIWindow* parent, const std::string& name)
    : GUIWindow(parent, name), m_font_model(MakeGlyphModel()) {
  GetVisual().SetModel(m_font_model.get());
  PropertyMap& map = GetProperties();
  AddGuiAttribute<std::u16string>(map, "text", [this] { return m_text; },
                                  [this](const std::u16string& text) { SetText(text); });
  AddGuiAttribute<std::string>(map, "text_id", [this] { return m_text_id; },
                               [this](const std::string& key) { SetTextId(key); });
  AddGuiAttribute<std::string>(map, "animation", nullptr, [this](const std::string& n) { SetAnimation(n); });
  AddGuiAttribute<int>(map, "font_id", [this] { return m_font_id; }, [this](const int& id) { SetFontId(id); });
  AddGuiAttribute<std::string>(map, "helper", nullptr, [this](const std::string& n) { SetHelper(n); });
  AddGuiAttribute<std::string>(map, "model", nullptr, [this](const std::string& n) { SetHelper(n); });
  AddGuiAttribute<bool>(map, "scaling", nullptr, [this](const bool& on) { SetScaling(on); });
  AddGuiAttribute<bool>(map, "link", [this] { return m_link; }, [this](const bool& on) { m_link = on; });
}

GUIStatic::~GUIStatic() { GetVisual().SetModel(nullptr); }

void GUIStatic::SetFontId(int font_id) {
  if (font_id == m_font_id) return;
  m_font_id = font_id;
  m_dirty = true;
}

Vector3 GUIStatic::GetLayoutSize() const {
  if (m_helper == nullptr) {
    const cBoundingBox& box = m_font_model->GetBoundingBox();
    return Vector3(box.m_world_max.x - box.m_world_min.x, box.m_world_max.y - box.m_world_min.y, 0.0f);
  }
  const cBoundingBox& box = m_helper->GetBoundingBox();
  return m_scaling ? box.m_world_max - box.m_world_min : box.m_local_max - box.m_local_min;
}

void GUIStatic::SetText(const std::u16string& text) {
  if (text == m_text) return;
  if (!m_link) {
    m_text = text;
    m_dirty = true;
    return;
  }
  SetValue("last", GetName());
  const GUIFont* font = FindGUIFont(m_font_id);
  TextMeasure measure;
  if (font != nullptr) measure = [font](std::u16string_view part) { return font->GetTextWidth(part); };
  TextFit fit = FitWords(text, GetLayoutSize().x, measure);
  m_text = std::move(fit.fitting);
  m_dirty = true;
  if (!fit.rest.empty()) PassOn(fit.rest);
}

void GUIStatic::PassOn(const std::u16string& rest) {
  GUIWindow* parent = GetParent();
  if (parent == nullptr) return;
  const std::vector<GUIWindow*>& siblings = parent->GetChildren();
  auto self = std::find(siblings.begin(), siblings.end(), this);
  if (self == siblings.end()) return;
  for (auto it = self + 1; it != siblings.end(); ++it) {
    GUIWindow* next = *it;
    if (next->GetValue("link") != "true") continue;
    next->SetValue("text", WideToUtf8(rest));
    SetValue("last", next->GetValue("last"));
    return;
  }
}

void GUIStatic::SetTextId(const std::string& key) {
  if (key == m_text_id) return;
  m_text_id = key;
  SetText(LookUpText(key));
  m_dirty = !m_text.empty();
}

void GUIStatic::SetHelper(const std::string& name) {
  GUISystem* system = GUISystem::PeekInstance();
  m_helper = system != nullptr ? system->FindModel(name) : nullptr;
  if (m_helper == nullptr && !name.empty()) {
    // Without its box a linked line measures only its own glyphs and takes no words at all.
    LogReport(kLogWarning, kSource, __LINE__, "static %s: helper model %s not found", GetName().c_str(), name.c_str());
  }
  // The helper only lends its box: it is never drawn (its form, shown, leaves it hidden).
  if (m_helper != nullptr) {
    m_helper->SetVisible(false);
    system->MarkHelper(m_helper);
  }
}

void GUIStatic::SetScaling(bool scaling) {
  if (scaling && !m_scaling) SetAnimation("appear");
  m_scaling = scaling;
}

void GUIStatic::SetAnimation(const std::string& name) {
  if (m_helper == nullptr) return;
  AnimationController& animation = m_helper->GetAnimation();
  if (animation.GetAnimations().count(name) == 0) return;
  const Matrix4 kept = GetLocal();
  SetMatrix(Matrix4());
  animation.SetAnimation(name);
  animation.SetTime(0.0f);
  m_helper->Update(false);
  Update();
  const Vector3 start = HalfExtent(*m_helper);
  animation.SetTime(animation.GetLength() * animation.GetFramesPerSecond());
  m_helper->Update(false);
  Update();
  const Vector3 end = HalfExtent(*m_helper);
  m_text_size = Vector3(std::max(start.x, end.x), std::max(start.y, end.y), std::max(start.z, end.z));
  m_size_measured = true;
  if (name != "appear") {
    animation.SetTime(0.0f);
    animation.Play();
  }
  SetMatrix(kept);
  m_layout_ready = false;
}

void GUIStatic::PlaceAtHelper() {
  if (FloatCurve* curve = GetAlphaCurve()) {
    const AnimationController& animation = m_helper->GetAnimation();
    curve->Apply(static_cast<float>(animation.GetFrameA()) + animation.GetBlend());
  }
  m_helper->Update(false);
  Matrix4 placement = Matrix4::MakeTranslation(m_helper->GetBoundingBox().m_world_min.x,
                                               m_helper->GetBoundingBox().m_world_min.y,
                                               m_helper->GetBoundingBox().m_world_min.z);
  if (m_scaling) {
    const Vector3 half = HalfExtent(*m_helper);
    if (!m_size_measured && half.x > 0.0f && half.y > 0.0f) {
      // No "appear" animation gave the full size: the helper's present box is it.
      m_text_size = half;
      m_size_measured = true;
    }
    Matrix4 scale;
    scale.SetScaleTranslation(
        Vector3(Ratio(half.x, m_text_size.x), Ratio(half.y, m_text_size.y), Ratio(half.z, m_text_size.z)), Vector3());
    Matrix4::Multiply(placement, scale, placement);
    m_layout_ready = true;
  }
  // Placed within the parent; a static without one has nowhere to be placed.
  if (GetParent() != nullptr) SetMatrix(placement);
}

bool GUIStatic::Update() {
  const bool result = GUIWindow::Update();
  if (m_helper != nullptr) PlaceAtHelper();
  if (m_dirty) {
    const GUIFont* font = FindGUIFont(m_font_id);
    if (font == nullptr) return false;  // tried again every frame until the font exists
    if (!m_text.empty()) {
      m_extent = Vector3(font->GetTextWidth(m_text, font->GetSize()), font->GetSize(), 1.0f);
      font->BuildText(*m_font_model, GetVisual().GetColor(), m_text);
      m_font_model->MarkBoundsForRefresh();
      m_font_model->RefreshBounds();
    }
    m_dirty = false;
  }
  ComputeAlignOffset(m_extent);
  return result;
}

bool GUIStatic::ApplyTransform() {
  const bool result = GUIWindow::ApplyTransform();
  m_font_model->SetVisible(m_layout_ready && IsVisible() && !m_text.empty());
  return result;
}
