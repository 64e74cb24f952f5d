#include "gui/include/GUIWindow.h"

#include <algorithm>

#include "gui/include/GUIWindowManager.h"
#include "source/math/FloatCurve.h"
#include "source/render/RenderObject.h"
#include "source/timer/cTimerManager.h"

GUIWindow::GUIWindow(GUIWindow* parent, const std::string& name)
    : m_layer(name), m_visual(m_properties, &m_layer), m_name(name) {
  RegisterAttributes();
  SetParent(parent);
}

GUIWindow::~GUIWindow() {
  if (m_parent != nullptr) m_parent->RemoveChild(this);
  m_parent = nullptr;
  DeleteChildren();
  // Nothing may keep this window's name or address once it is gone.
  WindowDestroyed(this);
}

void GUIWindow::DeleteChildren() {
  // Each child takes itself out of the list as it goes.
  while (!m_children.empty()) delete m_children.back();
}

Vector3 GUIWindow::GetLayoutSize() const { return m_parent != nullptr ? m_parent->m_size : m_size; }

void GUIWindow::SetVisible(bool v) {
  m_visible = v && m_shown;
  m_visual.SetVisible(m_visible);
  for (std::size_t i = 0; i < m_children.size(); ++i) m_children[i]->SetVisible(m_visible);
}

void GUIWindow::SetParent(GUIWindow* parent) {
  if (m_parent != nullptr) m_parent->RemoveChild(this);
  m_parent = parent;
  if (parent != nullptr) {
    parent->AddChild(this);
    m_layer.SetParent(&parent->m_layer);
  } else {
    m_layer.SetParent(nullptr);
  }
  // A window put under a hidden parent stays hidden with it.
  SetVisible(parent != nullptr ? parent->m_visible && m_shown : m_shown);
}

void GUIWindow::AddChild(GUIWindow* child) {
  if (child == nullptr) return;
  m_layer.AddChild(&child->m_layer);
  if (std::find(m_children.begin(), m_children.end(), child) != m_children.end()) return;
  m_children.push_back(child);
  m_children_changed = true;
}

void GUIWindow::RemoveChild(GUIWindow* child) {
  if (child == nullptr) return;
  m_layer.RemoveChild(&child->m_layer);
  if (m_active_child == child) {
    m_active_child = nullptr;
    SetActiveChild(m_parent, nullptr);
  }
  auto found = std::find(m_children.begin(), m_children.end(), child);
  if (found != m_children.end()) m_children.erase(found);
  m_children_changed = true;
}

GUIWindow* GUIWindow::FindChild(const std::string& name) const {
  for (GUIWindow* child : m_children) {
    if (child->m_name == name) return child;
  }
  return nullptr;
}

void GUIWindow::SetActiveChild(GUIWindow* window, GUIWindow* child) {
  while (window != nullptr) {
    if (child == nullptr && window->m_active_child == nullptr) return;
    window->m_active_child = child;
    if (child != nullptr) {
      if (window->m_parent == nullptr) return;
      child = window;
    }
    window = window->m_parent;
  }
}

void GUIWindow::MoveToFront(bool front) {
  if (m_parent == nullptr) return;
  std::vector<GUIWindow*>& siblings = m_parent->m_children;
  if (front) {
    m_layer.MoveToFront();
    if (siblings.empty() || siblings.front() == this) return;
    siblings.erase(std::find(siblings.begin(), siblings.end(), this));
    siblings.insert(siblings.begin(), this);
  } else {
    m_layer.MoveToBack();
    if (siblings.empty() || siblings.back() == this) return;
    siblings.erase(std::find(siblings.begin(), siblings.end(), this));
    siblings.push_back(this);
  }
  m_children_changed = true;
  m_parent->m_children_changed = true;
}

void GUIWindow::Show(bool shown) {
  m_shown = shown;
  SetVisible(m_parent != nullptr ? m_parent->m_visible && shown : shown);
}

void GUIWindow::SetSize(const Vector3& size) {
  m_size = Vector3(size.x, size.y, 1.0f);
  UpdateAlignOffset();
}

void GUIWindow::UpdateAlignOffset() { ComputeAlignOffset(m_size); }

void GUIWindow::ComputeAlignOffset(const Vector3& size) {
  m_align_offset = Vector3();
  if (m_parent == nullptr) return;
  const Vector3 outer = m_parent->GetLayoutSize();
  const float free_x = outer.x - size.x;
  const float free_y = outer.y - size.y;
  switch (m_alignment & 0x0F) {
    case kAlignCentre: m_align_offset.x = free_x * 0.5f; break;
    case kAlignRight: m_align_offset.x = free_x; break;
    default: break;
  }
  switch (m_alignment & 0xF0) {
    case kAlignTop: m_align_offset.y = free_y; break;
    case kAlignMiddle: m_align_offset.y = free_y * 0.5f; break;
    default: break;
  }
}

void GUIWindow::SetAlignment(const std::string& text) {
  const char first = text.size() > 0 ? text[0] : '\0';
  const char second = text.size() > 1 ? text[1] : '\0';
  m_alignment = (first == 'l' ? kAlignLeft : first == 'c' ? kAlignCentre : kAlignRight) +
                (second == 't' ? kAlignTop : second == 'c' ? kAlignMiddle : kAlignBottom);
  UpdateAlignOffset();
}

void GUIWindow::SetMatrix(const Matrix4& local) {
  m_local = local;
  if (m_parent != nullptr) {
    Matrix4::Multiply(m_world, m_local, m_parent->m_world);
  } else {
    m_world = m_local;
  }
}

void GUIWindow::SetWorldMatrix(const Matrix4& world) {
  m_world = world;
  m_local = world;
  if (m_parent == nullptr) return;
  Matrix4 inverse = m_parent->m_world;
  if (inverse.Inverse()) Matrix4::Multiply(m_local, world, inverse);
}

void GUIWindow::UpdateWorldMatrix() {
  if (m_parent != nullptr) {
    Matrix4::Multiply(m_world, m_local, m_parent->m_world);
  } else {
    m_world = m_local;
  }
  if (m_align_offset.x != 0.0f || m_align_offset.y != 0.0f || m_align_offset.z != 0.0f) {
    Matrix4::Multiply(m_world, Matrix4::MakeTranslation(m_align_offset.x, m_align_offset.y, m_align_offset.z), m_world);
  }
  for (GUIWindow* child : m_children) {
    if (child->m_visible) child->UpdateWorldMatrix();
  }
}

bool GUIWindow::ApplyTransform() {
  if (m_visual.GetModel() != nullptr && m_visual.GetApplyPlacementMatrix()) {
    Matrix4 placement = m_world;
    for (int i = 0; i < 4; ++i) {
      placement.m[i] *= m_size.x;
      placement.m[4 + i] *= m_size.y;
    }
    m_visual.SetMatrix(placement);
  }
  bool result = true;
  for (GUIWindow* child : m_children) {
    if (child->m_visible && !child->ApplyTransform()) result = false;
  }
  return result;
}

void GUIWindow::SetColor(const Vector4& color) {
  m_visual.SetColor(color);
  for (std::size_t i = 0; i < m_children.size(); ++i) m_children[i]->SetColor(color);
}

bool GUIWindow::TestBounds(const cBoundingBox& box) const {
  const RenderObject* model = m_visual.GetModel();
  return model != nullptr && model->GetBoundingBox().Overlaps(box);
}

bool GUIWindow::HandleMouse(const Vector2& point, bool button_down) {
  if (m_active_child != nullptr && m_active_child != this) return m_active_child->HandleMouse(point, button_down);
  m_hover = false;
  m_children_changed = false;
  if (const RenderObject* model = m_visual.GetModel()) {
    const cBoundingBox& box = model->GetBoundingBox();
    m_hover = box.m_world_min.x < point.x && point.x < box.m_world_max.x && box.m_world_min.y < point.y &&
              point.y < box.m_world_max.y;
  }
  // The last child is drawn over its siblings, so it is offered the mouse first. By index: a
  // handler may add or remove children, which ends the offer.
  for (std::size_t i = m_children.size(); i-- > 0;) {
    GUIWindow* child = m_children[i];
    if (child->m_enabled && child->m_visible && child->HandleMouse(point, button_down)) return true;
    if (m_children_changed) return false;
  }
  return false;
}

bool GUIWindow::Update() {
  if (m_alpha_curve) {
    // The curve runs on the model's animation clock; a window without a model holds its first key.
    float t = 0.0f;
    if (RenderObject* model = m_visual.GetModel()) {
      const AnimationController& animation = model->GetAnimation();
      t = static_cast<float>(animation.GetFrameA()) + animation.GetBlend();
    }
    m_alpha_curve->Apply(t);
  }
  m_children_changed = false;
  bool result = true;
  for (std::size_t i = 0; i < m_children.size(); ++i) {
    GUIWindow* child = m_children[i];
    if ((child->m_visible || child->m_update_when_hidden) && !child->Update()) result = false;
    if (m_children_changed) break;
  }
  return result;
}

bool GUIWindow::FireEvent(const std::string& event) {
  auto found = m_events.find(event);
  if (found == m_events.end() || !found->second) return false;
  const DelegatePtr held = found->second;  // the handler may replace its own entry
  held->Invoke(reinterpret_cast<DelegateArg>(this));
  return true;
}

void GUIWindow::SetEvent(const std::string& event, const DelegatePtr& delegate) {
  auto found = m_events.find(event);
  if (found != m_events.end()) found->second = delegate;
}

void GUIWindow::ForgetRenderObject(RenderObject* object) {
  m_visual.Forget(object);
  for (GUIWindow* child : m_children) child->ForgetRenderObject(object);
}
