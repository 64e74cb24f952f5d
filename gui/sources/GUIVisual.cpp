#include "gui/include/GUIVisual.h"

#include <algorithm>

#include "gui/include/GUIAttribute.h"
#include "gui/include/GUILayer.h"
#include "gui/include/GUISystem.h"
#include "source/model/Model.h"
#include "source/render/RenderObject.h"
#include "source/shaders/ShaderRef.h"

namespace {

// What marks an object for GUI drawing: the GUI group without depth of its own, and none of the
// scene's marks.
constexpr uint32_t kGuiSetBits = kRenderObjectGuiGroup | kRenderObjectNoDepth;
constexpr uint32_t kGuiClearBits = 0x40 | 0x80 | kRenderObjectFirstGroup;

void MarkForGui(RenderObject* object) {
  object->ClearFlagBits(kGuiClearBits);
  object->SetFlagBits(kGuiSetBits);
}

CameraHandle* GuiCamera() {
  GUISystem* system = GUISystem::PeekInstance();
  return system != nullptr ? system->GetCamera() : nullptr;
}

}  // namespace

GUIVisual::GUIVisual(PropertyMap& properties, GUILayer* layer) : m_layer(layer) {
  AddGuiAttribute<std::string>(properties, "model", [this] { return m_model_name; },
                               [this](const std::string& name) { SetModelByName(name); });
  AddGuiAttribute<std::string>(properties, "shader", nullptr, [this](const std::string& name) { CreateQuad(name); });
  AddGuiAttribute<Vector4>(properties, "color", [this] { return m_color; },
                           [this](const Vector4& color) { SetColor(color); });
  AddGuiAttribute<bool>(properties, "apply_placement_matrix", [this] { return m_apply_placement_matrix; },
                        [this](const bool& on) { m_apply_placement_matrix = on; });
  AddGuiAttribute<Vector2>(properties, "uv", nullptr, [this](const Vector2& uv) { SetUV(uv); });
}

GUIVisual::~GUIVisual() {
  if (m_owns_model) DropModel();
}

ShaderHolder* GUIVisual::GetShaderHolder() const {
  return m_model != nullptr ? &m_model->GetShaderHolder() : nullptr;
}

void GUIVisual::SetColor(const Vector4& color) {
  m_color = color;
  if (m_model != nullptr) m_model->SetColor(color);
  for (RenderObject* object : m_objects) object->SetColor(color);
}

void GUIVisual::SetModelByName(const std::string& name) {
  m_model_name = name;
  RenderObject* found = nullptr;
  if (GUISystem* system = GUISystem::GetInstance()) found = system->FindModel(name);
  SetModel(found);
}

void GUIVisual::DropModel() {
  if (m_model == nullptr) return;
  RenderObject* old = m_model;
  const bool owned = m_owns_model;
  m_model = nullptr;
  m_owns_model = false;
  if (m_layer != nullptr) m_layer->RemoveObject(old);
  if (owned) {
    delete old;
  } else {
    // A borrowed model goes back to its scene, which shows it only through a window.
    old->SetVisible(false);
  }
}

void GUIVisual::Attach(RenderObject* object) {
  m_model = object;
  object->SetCamera(GuiCamera());
  MarkForGui(object);
  // A GUI object is shown by its window, not by the scene it came from.
  if (object->IsVisible()) object->SetVisible(false);
  object->SetColor(m_color);
  object->SetVisible(m_visible);
  if (m_layer != nullptr) m_layer->AddObject(object);
}

void GUIVisual::SetModel(RenderObject* object) {
  if (object == m_model && !m_owns_model) return;
  DropModel();
  if (object != nullptr) Attach(object);
}

void GUIVisual::CreateQuad(const std::string& shader) {
  DropModel();
  m_shader = shader;
  if (shader.empty()) return;
  CountedPtr<Model> quad(new Model("window", 4, 4, 0));
  for (uint32_t i = 0; i < 4; ++i) quad->m_indices->SetIndex(i, i);
  auto* object = new RenderObject(quad, GuiCamera(), 0);
  // Without a shader of that name the quad is drawn in the window's colour alone.
  object->GetShaderHolder().SetShader(ShaderRef::FromResource(shader));
  m_owns_model = true;
  Attach(object);
  SetUV(Vector2(1.0f, 1.0f));
  object->ComputeBounds();
  object->SetWorldMatrix(object->GetWorldMatrix());
}

void GUIVisual::SetUV(const Vector2& uv) {
  if (m_model == nullptr) return;
  VertexBuffer_D3D7* vertices = m_model->GetVertices();
  if (vertices == nullptr || vertices->GetCount() < 4) return;
  // Corners in strip order: (1, 0), (1, 1), (0, 0), (0, 1).
  static constexpr float kCorners[4][2] = {{1, 0}, {1, 1}, {0, 0}, {0, 1}};
  for (uint32_t i = 0; i < 4; ++i) {
    const float x = kCorners[i][0], y = kCorners[i][1];
    *vertices->GetVertex(i) = Vertex{x, y, 0.0f, 0.0f, 0.0f, -1.0f, 0xFFFFFFFFu, x * uv.x, y * uv.y};
  }
}

float GUIVisual::SetDepth(float depth) {
  m_depth = depth;
  if (m_model != nullptr) {
    m_model->SetViewDepth(m_depth);
    m_depth -= 1.0f;
  }
  for (RenderObject* object : m_objects) {
    object->SetViewDepth(m_depth);
    m_depth -= 1.0f;
  }
  return m_depth;
}

void GUIVisual::SetMatrix(const Matrix4& matrix) {
  if (m_model == nullptr || !m_apply_placement_matrix) return;
  m_model->SetWorldMatrix(matrix);
}

void GUIVisual::SetVisible(bool visible) {
  m_visible = visible;
  if (m_model != nullptr) m_model->SetVisible(visible);
}

void GUIVisual::InsertIntoDrawList(std::vector<RenderObject*>::iterator position, RenderObject* object) {
  if (object == nullptr) return;
  m_objects.insert(position, object);
  MarkForGui(object);
  if (m_layer != nullptr) m_layer->AddObject(object);
}

void GUIVisual::RemoveFromDrawLists(RenderObject* object) {
  auto found = std::find(m_objects.begin(), m_objects.end(), object);
  if (found != m_objects.end()) m_objects.erase(found);
  if (m_layer != nullptr) m_layer->RemoveObject(object);
}

void GUIVisual::Forget(RenderObject* object) {
  if (object == nullptr) return;
  if (m_model == object && !m_owns_model) {
    m_model = nullptr;
    if (m_layer != nullptr) m_layer->RemoveObject(object);
  }
  m_objects.erase(std::remove(m_objects.begin(), m_objects.end(), object), m_objects.end());
  if (m_layer != nullptr) m_layer->RemoveObject(object);
}
