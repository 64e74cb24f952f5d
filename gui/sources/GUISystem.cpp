#include "gui/include/GUISystem.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "gui/include/GUICursor.h"
#include "gui/include/GUIFontTable.h"
#include "gui/include/TextTable.h"
#include "gui/include/cFontResource.h"
#include "gui/include/GUIWindow.h"
#include "gui/include/GUIWindowManager.h"
#include "gui/include/cFormResource.h"
#include "source/camera/CameraManager.h"
#include "source/input/cInput.h"
#include "source/math/FloatCurve.h"
#include "source/render/RenderManager.h"
#include "source/scene/cSceneResource.h"

namespace {

void SetWindowColor(GUIWindow* window, const Vector4& color) { window->SetColor(color); }

constexpr float kGuiNear = 1000.0f;
constexpr float kGuiFar = -1000.0f;

}  // namespace

GUISystem::GUISystem() : m_text_table(std::make_unique<TextTable>()), m_font_table(std::make_unique<GUIFontTable>()) {
  cFontResource::RegisterTypes();
  cTextResource::RegisterType();
  cFormResource::RegisterType();
  cSceneResource::RegisterType();
  FloatCurve::SetColorHook(&SetWindowColor);
  SceneHost::SetCurrent(this);
}

GUISystem::~GUISystem() {
  Shutdown();
  SceneHost::Withdraw(this);
}

void GUISystem::Init() {
  if (m_initialised) return;
  m_initialised = true;
  if (RenderManager* render = RenderManager::PeekInstance()) {
    m_camera = render->GetCameraManager()->CreateCamera(kCameraOrthographic);
    (*m_camera)->m_near = kGuiNear;
    (*m_camera)->m_far = kGuiFar;
    render->SetFrameStep(RenderManager::kGuiLayout, [] {
      if (GUISystem* system = GUISystem::PeekInstance()) system->UpdateLayout();
    });
  }
  m_root = GUIWindowManager::GetInstance()->GetWindow("root");
  GUIWindow* user = new GUIWindow(m_root, "user");
  GUIWindowManager::GetInstance()->RegisterWindow("user", user);
  m_top = nullptr;
  m_cursor = new GUICursor("cursor", m_root);
  GUIWindowManager::GetInstance()->RegisterWindow("cursor", m_cursor);
}

void GUISystem::Shutdown() {
  if (RenderManager* render = RenderManager::PeekInstance()) {
    render->SetFrameStep(RenderManager::kGuiLayout, nullptr);
  }
  delete std::exchange(m_top, nullptr);
  // Each window deleted here is forgotten by both lists at once, so none is deleted twice.
  while (!m_windows.empty()) {
    GUIWindow* window = m_windows.back();
    m_windows.pop_back();
    delete window;
  }
  while (!m_named_windows.empty()) {
    GUIWindow* window = m_named_windows.begin()->second;
    m_named_windows.erase(m_named_windows.begin());
    delete window;
  }
  // The whole tree goes with the GUI, while the render manager and the resources it draws from
  // are still there.
  if (GUIWindowManager* manager = GUIWindowManager::PeekInstance()) delete manager;
  m_root = nullptr;
  m_cursor = nullptr;
  if (RenderManager* render = RenderManager::PeekInstance()) {
    if (CameraManager* cameras = render->GetCameraManager()) cameras->DestroyCamera(m_camera);
  }
  m_camera = nullptr;
  m_models.clear();
  m_helpers.clear();
  // The windows that laid text out are gone; the fonts and the texts go after them.
  m_text_table.reset();
  m_font_table.reset();
}

void GUISystem::Forget(const GUIWindow* window) {
  if (m_top == window) m_top = nullptr;
  if (m_root == window) m_root = nullptr;
  if (m_cursor == window) m_cursor = nullptr;
  m_windows.erase(std::remove(m_windows.begin(), m_windows.end(), window), m_windows.end());
  for (auto it = m_named_windows.begin(); it != m_named_windows.end();) {
    it = it->second == window ? m_named_windows.erase(it) : std::next(it);
  }
}

Vector2 GUISystem::GetMousePosition() const {
  return m_cursor != nullptr ? m_cursor->GetMousePosition() : Vector2();
}

void GUISystem::UpdatePickRay() {
  const Vector2 mouse = GetMousePosition();
  m_ray_origin = Vector3(mouse.x, mouse.y, kRayStartZ);
  m_ray_direction = Vector3(0.0f, 0.0f, kRayLength);
}

Vector2 GUISystem::ClickPoint(const cInput* input, const Vector2& mouse) const {
  // A press or release this frame is offered where it was made: on a slow frame the pointer has
  // moved on, and a key of a keypad would miss its click.
  if (input == nullptr || m_cursor == nullptr) return mouse;
  if (input->HasLeftPressRecorded() && input->Mouse().IsPressed(cInput::kMouseLeft)) {
    return m_cursor->GetPressPosition();
  }
  if (input->HasLeftReleaseRecorded() && input->Mouse().IsReleased(cInput::kMouseLeft)) {
    return m_cursor->GetReleasePosition();
  }
  return mouse;
}

void GUISystem::Update() {
  if (m_root == nullptr) return;
  // The pointer of this frame's poll, not the last frame's: on a slow frame a click must land
  // where the button went down, not where the pointer stood a frame before.
  if (m_cursor != nullptr) m_cursor->Update();
  UpdatePickRay();
  const Vector2 mouse = GetMousePosition();
  m_mouse_taken = m_root->GetActiveChild() != nullptr;
  GUIWindowManager* manager = GUIWindowManager::GetInstance();
  manager->BeginDispatch();
  if (!m_skip_mouse) {
    const cInput* input = cInput::PeekInstance();
    const bool button_down = input != nullptr && input->Mouse().IsDown(cInput::kMouseLeft);
    m_root->HandleMouse(ClickPoint(input, mouse), button_down);
  }
  m_skip_mouse = false;
  if (m_root != nullptr) m_root->Update();
  manager->EndDispatch();
  m_mouse_taken = m_mouse_taken || (m_root != nullptr && m_root->GetActiveChild() != nullptr);
}

void GUISystem::UpdateLayout() {
  if (m_root == nullptr) return;
  m_root->UpdateWorldMatrix();
  m_root->ApplyTransform();
  AssignDepths();
}

void GUISystem::AssignDepths() {
  if (m_root == nullptr) return;
  GUILayer& layer = m_root->GetLayer();
  if (layer.DepthsStale()) layer.AssignDepth(0.0f);
}

void GUISystem::SetCameraSize(float width, float height) {
  if (m_camera == nullptr) return;
  (*m_camera)->m_width = width;
  (*m_camera)->m_height = height;
}

void GUISystem::RemoveModel(RenderObject* model) {
  GUISystem* system = PeekInstance();
  if (system == nullptr || model == nullptr) return;
  system->m_helpers.erase(model);
  for (auto it = system->m_models.begin(); it != system->m_models.end(); ++it) {
    if (it->second == model) {
      system->m_models.erase(it);
      break;
    }
  }
  if (system->m_root != nullptr) system->m_root->ForgetRenderObject(model);
}

RenderObject* GUISystem::FindModel(const std::string& name) const {
  auto found = m_models.find(name);
  return found != m_models.end() ? found->second : nullptr;
}
