#include "source/render/RenderObject.h"

#include <cstring>

#include "source/camera/CameraManager.h"
#include "source/model/Model.h"
#include "source/model/ModelController.h"
#include "source/render/ModelManager.h"
#include "source/render/RenderManager.h"
#include "source/render/RenderSystem.h"
#include "source/timer/cTimerManager.h"

namespace {

ModelManager* DrawList() {
  RenderManager* manager = RenderManager::PeekInstance();
  return manager != nullptr ? manager->GetModelManager() : nullptr;
}

float FrameDelta() {
  cTimerManager* timers = cTimerManager::PeekInstance();
  return timers != nullptr ? timers->GetFrameDelta() : 0.0f;
}

const Vector4 kOpaqueWhite(1.0f, 1.0f, 1.0f, 1.0f);

}  // namespace

RenderObject::RenderObject() = default;

RenderObject::RenderObject(const CountedPtr<Model>& model, CameraHandle* camera, uint32_t flags)
    : m_camera(camera), m_model(model) {
  const uint32_t wanted = (m_model ? m_model->m_flags : 0) | flags;
  m_flags = (wanted & ~(kRenderObjectFirstGroup | kRenderObjectVisible)) | kRenderObjectGuiGroup;
  if (m_model) {
    m_animation = AnimationController(m_model->m_frame_count, m_model->m_first_frame);
    bool writes_vertices = false;
    for (const auto& controller : m_model->m_controllers) {
      m_controllers.push_back(controller->Clone(this));
      writes_vertices = writes_vertices || controller->WritesVertices();
    }
    // Controllers that move vertices write into the object's own copy, never into the model.
    VertexBuffer_D3D7* shared = m_model->m_vertices.Get();
    if (writes_vertices && shared != nullptr) {
      m_own_vertices = VertexBufferHolder(shared->GetCount(), shared->GetOwner());
      std::memcpy(m_own_vertices->GetVertex(0), shared->Data(), std::size_t{shared->GetCount()} * shared->GetStride());
    }
    m_face_count = m_faces_to_draw = m_model->GetFaceCount();
    m_box.CopyFrom(m_model->m_box);
    RunControllers(true);
  }
  if (wanted & kRenderObjectVisible) SetVisible(true);
}

RenderObject::~RenderObject() {
  if (ModelManager* list = DrawList()) list->RemoveObject(this);
}

std::unique_ptr<RenderObject> RenderObject::Clone(const RenderObject& other) {
  auto copy = std::make_unique<RenderObject>(other.m_model, other.m_camera, 0);
  copy->m_flags = other.m_flags & ~kRenderObjectVisible;
  for (const auto& [name, entry] : other.m_animation.GetAnimations()) copy->m_animation.AddAnimation(name, entry);
  copy->m_shader_holder = other.m_shader_holder;
  copy->SetVisible(other.IsVisible());
  return copy;
}

void RenderObject::UpdateMembership() {
  if (IsVisible() && !m_hidden) {
    // While the render manager is being taken down its draw list is already gone.
    if (ModelManager* list = RenderManager::GetInstance()->GetModelManager()) list->AddObject(this);
  } else if (ModelManager* list = DrawList()) {
    list->RemoveObject(this);
  }
}

void RenderObject::SetHidden(bool hidden) {
  m_hidden = hidden;
  UpdateMembership();
}

void RenderObject::SetVisible(bool visible) {
  if (IsVisible() == visible) return;
  if (visible) {
    m_flags |= kRenderObjectVisible;
    MarkBoundsForRefresh();
  } else {
    m_flags &= ~kRenderObjectVisible;
  }
  UpdateMembership();
}

void RenderObject::SetFlagBits(uint32_t bits) {
  bits &= ~kRenderObjectVisible;
  if (bits & kRenderObjectGuiGroup) m_flags &= ~kRenderObjectFirstGroup;
  m_flags |= bits;
}

void RenderObject::ClearFlagBits(uint32_t bits) {
  bits &= ~kRenderObjectVisible;
  if (bits & (kRenderObjectFirstGroup | kRenderObjectGuiGroup)) m_flags |= kRenderObjectFirstGroup | kRenderObjectGuiGroup;
  m_flags &= ~bits;
}

VertexBuffer_D3D7* RenderObject::GetVertices() const {
  if (m_own_vertices) return m_own_vertices.Get();
  return m_model ? m_model->m_vertices.Get() : nullptr;
}

void RenderObject::SetWorldMatrix(const Matrix4& world) {
  m_world = world;
  m_box.SetMatrix(m_world);
}

void RenderObject::SetLocalBounds(const Vector3& minimum, const Vector3& maximum) {
  m_box.Set(minimum, maximum);
  m_box.SetMatrix(m_world);
}

void RenderObject::RunControllers(bool apply) {
  const uint32_t a = m_animation.GetFrameA(), b = m_animation.GetFrameB();
  const float blend = m_animation.GetBlend();
  for (const auto& controller : m_controllers) {
    controller->SetFrames(a, b, blend);
    controller->Update();
    if (apply) controller->Apply();
  }
}

void RenderObject::Update(bool) {
  if (!m_model) {
    m_face_count = m_faces_to_draw = 0;
    return;
  }
  if (m_model->IsAnimated()) m_animation.Update(FrameDelta());
  // The box from the vertices first: controllers that know the pose's box then replace it.
  if (m_refresh_bounds) RefreshBounds();
  // A model without frames leaves the pose alone.
  const bool animated = m_model->m_frame_count > 0 && !m_controllers.empty();
  if (animated) RunControllers(false);
  if ((m_flags & kRenderObjectLiveBounds) && (m_flags & 0x1)) RefreshBounds();
  m_face_count = m_faces_to_draw = m_model->GetFaceCount();
  if (m_face_count == 0) return;
  if (!(m_flags & kRenderObjectNoDepth) && m_camera != nullptr) {
    const Camera_D3D7& camera = *m_camera->GetCamera();
    m_view_depth = Dot(camera.m_position - m_box.m_centre, camera.m_direction);
  }
  if (animated) {
    for (const auto& controller : m_controllers) controller->Apply();
  }
}

void RenderObject::DrawPass(uint32_t vertex_count) {
  RenderSystem* render_system = RenderManager::GetInstance()->GetRenderSystem();
  const uint32_t primitive = m_model->m_primitive;
  if (m_color_draw || !(m_color == kOpaqueWhite)) {
    render_system->DrawColored(primitive, 0, 0, vertex_count, 0, m_faces_to_draw, m_color);
  } else {
    render_system->DrawTextured(primitive, 0, 0, vertex_count, 0, m_faces_to_draw);
  }
}

uint32_t RenderObject::BuildTextures(uint32_t most) const {
  const ShaderRef& shader = m_shader_holder.GetShader();
  return shader ? shader->BuildTextures(most) : 0;
}

void RenderObject::Draw() {
  RenderManager* manager = RenderManager::PeekInstance();
  VertexBuffer_D3D7* vertices = GetVertices();
  if (manager == nullptr || !m_model || vertices == nullptr || !m_model->m_indices) return;
  RenderSystem* render_system = manager->GetRenderSystem();
  if (m_camera != nullptr) {
    render_system->SetWorldTransform(m_world);
    manager->GetCameraManager()->SetCurrentCamera(m_camera, false);
  }
  if (!(m_flags & kRenderObjectTwoSided)) render_system->SetCullMode((m_flags & kRenderObjectCullClockwise) ? 1 : 0);
  ApplyShader();
  m_model->m_indices->Bind();
  vertices->Bind();
  if (m_flags & kRenderObjectTwoSided) {
    render_system->SetCullMode(2);
    DrawPass(vertices->GetCount());
    render_system->SetCullMode(1);
  }
  DrawPass(vertices->GetCount());
}
