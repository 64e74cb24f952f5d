#include "gui/include/GUISlider.h"

#include "gui/include/GUIAttribute.h"
#include "gui/include/GUIButton.h"
#include "gui/include/GUISounds.h"
#include "source/render/RenderObject.h"
#include "source/shaders/ShaderHolder.h"

namespace {

constexpr const char* kHorizontalName = "GUI_ORIENTATION_HORIZONTAL";
constexpr const char* kVerticalName = "GUI_ORIENTATION_VERTICAL";

// Rows 0 and 1 of the matrix made unit length, then scaled.
Matrix4 ScaledAxes(Matrix4 matrix, const Vector2& size) {
  const float scales[2] = {size.x, size.y};
  for (int row = 0; row < 2; ++row) {
    Vector3 axis(matrix.m[4 * row], matrix.m[4 * row + 1], matrix.m[4 * row + 2]);
    axis.Normalize();
    axis = axis * scales[row];
    matrix.m[4 * row] = axis.x;
    matrix.m[4 * row + 1] = axis.y;
    matrix.m[4 * row + 2] = axis.z;
  }
  return matrix;
}

}  // namespace

GUISlider::GUISlider(GUIWindow* parent, const std::string& name) : GUIWindow(parent, name) {
  CreateEvent("on_change");
  PropertyMap& map = GetProperties();
  AddGuiAttribute<std::string>(
      map, "orientation", [this] { return std::string(m_orientation == kHorizontal ? kHorizontalName : kVerticalName); },
      [this](const std::string& text) { m_orientation = text == kHorizontalName ? kHorizontal : kVertical; });
  AddGuiAttribute<float>(map, "min", [this] { return GetMin(); }, [this](const float& v) { SetMin(v); });
  AddGuiAttribute<float>(map, "max", [this] { return GetMax(); }, [this](const float& v) { SetMax(v); });
  AddGuiAttribute<float>(map, "cur", [this] { return GetCur(); }, [this](const float& v) { SetCur(v); });
  AddGuiAttribute<float>(map, "page", [this] { return m_page; }, [this](const float& v) { m_page = v; });
  AddGuiAttribute<Vector2>(map, "toddler_size", nullptr, [this](const Vector2& size) { SetToddlerSize(size); });
  AddGuiAttribute<std::string>(map, "toddler_model", nullptr, [this](const std::string& n) { SetToddlerModel(n); });
  AddGuiAttribute<std::string>(map, "toddler_shader", nullptr, [this](const std::string& n) { SetToddlerShader(n); });

  m_toddler = new GUIButton(this, name + "_toddler");
  m_toddler->SetMatrix(Matrix4::MakeScale(32.0f, 32.0f, 1.0f));
  m_toddler->SetValue("apply_placement_matrix", "false");
  SetGUISound(*m_toddler, "select_sound", kGUISoundSliderToddlerSelect);
  SetGUISound(*m_toddler, "click_sound", kGUISoundSliderToddlerClick);
  // Not through the virtual slot: a scroll under construction is not one yet.
  GUISlider::SetToddlerSize(Vector2(32.0f, 32.0f));
}

GUISlider::~GUISlider() = default;

void GUISlider::SetToddlerSize(const Vector2& size) {
  m_toddler->SetMatrix(ScaledAxes(GetLocal(), size));
  m_toddler_size = size;
}

void GUISlider::SetToddlerModel(const std::string& name) { m_toddler->SetValue("model", name); }

void GUISlider::SetToddlerShader(const std::string& name) { m_toddler->SetValue("shader", name); }

void GUISlider::SetMin(float value) {
  m_min = value;
  SetCur(m_cur);
}

void GUISlider::SetMax(float value) {
  m_max = value;
  SetCur(m_cur);
}

void GUISlider::SetCur(float value) {
  if (!(value > m_min)) {
    value = m_min;
  } else if (value > m_max) {
    value = m_max;
  }
  if (value == m_cur) return;
  m_cur = value;
  FireEvent("on_change");
}

float GUISlider::TrackLength() const {
  const RenderObject* model = GetVisual().GetModel();
  if (model == nullptr) return 0.0f;
  const cBoundingBox& box = model->GetBoundingBox();
  return m_orientation == kHorizontal ? box.m_world_max.x - box.m_world_min.x : box.m_world_max.y - box.m_world_min.y;
}

void GUISlider::Page(const Vector2& point) {
  const RenderObject* knob = m_toddler->GetVisual().GetModel();
  if (knob == nullptr) return;
  const cBoundingBox& box = knob->GetBoundingBox();
  // Toward the press along the slider's own axis: right, or down (the value grows downward).
  const bool forward = m_orientation == kHorizontal ? point.x > box.m_world_min.x : point.y < box.m_world_max.y;
  SetCur(forward ? m_cur + m_page : m_cur - m_page);
}

void GUISlider::Drag(const Vector2& point) {
  const float moved = m_orientation == kHorizontal ? point.x - m_last_mouse.x : m_last_mouse.y - point.y;
  const float length = TrackLength();
  // A flat track gives no step: the value would become infinite.
  if (moved != 0.0f && length > 0.0f) SetCur(m_cur + moved * (m_max - m_min) / length);
  m_last_mouse = point;
}

bool GUISlider::HandleMouse(const Vector2& point, bool button_down) {
  if (m_state == kDisabled) return false;
  GUIWindow::HandleMouse(point, button_down);
  m_state = IsHover() ? kHover : kNormal;
  if (!IsHover() && !m_dragging) return false;
  if (!m_dragging) {
    if (!button_down) return true;
    if (m_toddler->IsHover()) {
      m_dragging = true;
      m_last_mouse = point;
      return true;
    }
    Page(point);
    return true;
  }
  if (!button_down) {
    m_dragging = false;
  } else {
    Drag(point);
  }
  return true;
}

void GUISlider::PlaceToddler() {
  RenderObject* knob = m_toddler->GetVisual().GetModel();
  const RenderObject* track = GetVisual().GetModel();
  if (knob == nullptr || track == nullptr) return;
  const float span = m_max - m_min;
  const float t = span != 0.0f ? (m_cur - m_min) / span : 0.0f;
  const cBoundingBox& box = track->GetBoundingBox();
  const Vector3 travel(box.m_world_max.x - box.m_world_min.x - m_toddler_size.x,
                       box.m_world_max.y - box.m_world_min.y - m_toddler_size.y, box.m_world_max.z - box.m_world_min.z);
  Vector3 offset = travel * t;
  if (m_orientation == kHorizontal) {
    offset.y = 0.0f;
  } else {
    offset.x = 0.0f;
    offset.y = -offset.y;  // down the track as the value grows
  }
  knob->SetWorldMatrix(Matrix4::MakeTranslation(offset.x, offset.y, offset.z));
  knob->MarkBoundsForRefresh();
}

bool GUISlider::Update() {
  const bool result = GUIWindow::Update();
  PlaceToddler();  // the knob follows the value even while a child cannot update yet
  return result;
}

bool GUISlider::ApplyTransform() {
  const bool result = GUIWindow::ApplyTransform();
  if (GetVisual().OwnsModel()) {
    if (ShaderHolder* shader = GetVisual().GetShaderHolder()) {
      const int32_t look = m_state >= kNormal && m_state <= kDisabled ? m_state : kNormal;
      shader->SetStartFrame(0, static_cast<float>(look));
    }
  }
  return result;
}

void GUISlider::SetEnabled(bool enabled) {
  if (enabled == IsEnabled()) return;
  GUIWindow::SetEnabled(enabled);
  m_state = enabled ? kNormal : kDisabled;
  m_toddler->SetEnabled(enabled);
}

void GUISlider::SetVisible(bool v) {
  const bool was_visible = IsVisible();
  GUIWindow::SetVisible(v);
  if (!was_visible && IsVisible() != was_visible) m_state = kNormal;
}
