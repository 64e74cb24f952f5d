#include "gui/include/GUIButton.h"

#include "gui/include/GUIAttribute.h"
#include "gui/include/GUIWidgetSupport.h"
#include "source/render/RenderObject.h"
#include "source/shaders/ShaderHolder.h"

namespace {

constexpr const char* kDefaultClickSound = "audio\\game\\button03";
// The pick ray through a point of the GUI: from in front of every window to behind them all.
constexpr float kRayStartZ = -100.0f;
constexpr float kRayLength = 1100.0f;

}  // namespace

GUIButton::GUIButton(GUIWindow* parent, const std::string& name)
    : GUIWindow(parent, name), m_click_sound(FindGUISound(kDefaultClickSound)) {
  CreateEvent("on_click");
  PropertyMap& map = GetProperties();
  AddGuiAttribute<std::string>(map, "select_sound", nullptr,
                               [this](const std::string& sound) { m_select_sound = FindGUISound(sound); });
  AddGuiAttribute<std::string>(map, "click_sound", nullptr,
                               [this](const std::string& sound) { m_click_sound = FindGUISound(sound); });
}

GUIButton::~GUIButton() = default;

bool GUIButton::IsModelHit(const Vector2& point) const {
  const RenderObject* model = GetVisual().GetModel();
  return model != nullptr &&
         model->PickByRay(Vector3(point.x, point.y, kRayStartZ), Vector3(0.0f, 0.0f, kRayLength));
}

bool GUIButton::HandleMouse(const Vector2& point, bool button_down) {
  m_clicked = false;
  if (GUIWindow::HandleMouse(point, button_down)) return true;
  if (m_state == kDisabled) return false;
  m_fired = false;
  bool result = false;
  if (IsHover() && IsModelHit(point)) {
    if (IsLeftButtonFreshPress()) {
      m_state = kPressed;
      PlayGUISound(m_click_sound);
      m_pressed_inside = true;
      result = true;
    } else if (m_pressed_inside && !button_down) {
      m_state = kHover;
      FireEvent("on_click");
      m_fired = true;
      m_clicked = true;
      m_pressed_inside = false;
    } else {
      m_state = button_down ? kPressed : kHover;
    }
  } else {
    m_state = kNormal;
    m_pressed_inside = false;
  }
  if (!m_fired && IsHover() && !m_was_hover) PlayGUISound(m_select_sound);
  m_was_hover = IsHover();
  return result;
}

void GUIButton::SetEnabled(bool enabled) {
  GUIWindow::SetEnabled(enabled);
  if (!enabled) {
    m_state = kDisabled;
  } else {
    m_state = m_state == kHover ? kHover : kNormal;
  }
}

void GUIButton::SetVisible(bool v) {
  GUIWindow::SetVisible(v);
  m_state = IsEnabled() ? kNormal : kDisabled;
}

bool GUIButton::ApplyTransform() {
  const bool result = GUIWindow::ApplyTransform();
  if (ShaderHolder* shader = GetVisual().GetShaderHolder()) {
    shader->SetStartFrame(0, static_cast<float>(GetVisualState()));
  }
  return result;
}
