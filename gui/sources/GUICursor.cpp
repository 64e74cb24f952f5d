#include "gui/include/GUICursor.h"

#include <set>

#include "gui/include/GUISystem.h"
#include "platform/window/window.h"
#include "source/camera/Camera_D3D7.h"
#include "source/input/cInput.h"
#include "source/render/RenderObject.h"
#include "source/render/RenderWindow.h"

namespace {

std::function<void(window::Cursor*)>& CursorSink() {
  static auto* sink = new std::function<void(window::Cursor*)>();  // outlives every window
  return *sink;
}

void SelectCursor(window::Cursor* cursor) {
  if (CursorSink()) {
    CursorSink()(cursor);
  } else {
    window::SetCursor(cursor);
  }
}

// Wider than this, the GUI covers the centred 4:3 part of the window.
constexpr float kWideAspect = 1.5f;

}  // namespace

GUICursor::GUICursor(const std::string& name, GUIWindow* parent) : GUIWindow(parent, name) {
  SetUpdateWhenHidden(true);
  Show(false);
}

GUICursor::~GUICursor() {
  // The pointer must not keep a cursor that is about to be freed.
  if (m_current != nullptr) SelectCursor(nullptr);
  std::set<window::Cursor*> freed;
  for (const auto& [name, cursor] : m_cursors) {
    if (cursor != nullptr && freed.insert(cursor).second) window::DestroyCursor(cursor);
  }
}

void GUICursor::SetCursorSink(std::function<void(window::Cursor*)> sink) { CursorSink() = std::move(sink); }

void GUICursor::AddCursor(const std::string& name, int resource_id) {
  if (m_cursors.count(name) != 0) return;
  m_cursors[name] = window::LoadCursorImage(resource_id);
}

void GUICursor::SetCursor(const std::string& name) {
  // Looked up, never entered: an entry for a name not added yet would keep it from being added.
  const auto found = m_cursors.find(name);
  m_current = found != m_cursors.end() ? found->second : nullptr;
  SelectCursor(m_current);
}

Vector2 GUICursor::MapMouse(float x, float y, float w, float h, float gui_w, float gui_h) {
  if (!(w > 0.0f) || !(h > 0.0f)) return Vector2();
  const float margin = w / h > kWideAspect ? (w - 4.0f * h / 3.0f) * 0.5f : 0.0f;
  return Vector2((x - margin) / (w - 2.0f * margin) * gui_w, (h - y - 1.0f) / h * gui_h);
}

bool GUICursor::Update() {
  uint32_t width = 0, height = 0;
  GetRenderClientSize(width, height);
  const cInput* input = cInput::PeekInstance();
  GUISystem* system = GUISystem::PeekInstance();
  if (input == nullptr || system == nullptr || system->GetCamera() == nullptr) return true;
  const Camera_D3D7& camera = *system->GetCamera()->GetCamera();
  // A minimised window has no area: the last positions stay.
  if (width > 0 && height > 0) {
    const auto map = [&](const cInput::Position& p) {
      return MapMouse(p.x, p.y, static_cast<float>(width), static_cast<float>(height), camera.m_width, camera.m_height);
    };
    m_mouse = map(input->MousePosition());
    m_press = map(input->LeftPress());
    m_release = map(input->LeftRelease());
  }
  return true;
}

bool GUICursor::ApplyTransform() {
  RenderObject* model = GetVisual().GetModel();
  if (model == nullptr) return true;
  Matrix4 placement = GetWorld();
  placement.Translate(Vector3(m_mouse.x, m_mouse.y, 0.0f));
  model->SetWorldMatrix(placement);
  return true;
}
