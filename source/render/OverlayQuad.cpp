#include "source/render/OverlayQuad.h"

#include "source/camera/CameraManager.h"
#include "source/render/ColorBytes.h"
#include "source/render/ModelManager.h"
#include "source/render/RenderManager.h"
#include "source/render/RenderSystem.h"

OverlayQuad::OverlayQuad() : m_vertices(4, 0), m_indices(6, 0) {
  const uint16_t indices[6] = {0, 1, 2, 2, 1, 3};
  m_indices.Upload(indices, 6);
  // No camera (and so no drawing) for a quad made while the render manager is absent or being
  // taken down.
  RenderManager* manager = RenderManager::PeekInstance();
  if (CameraManager* cameras = manager != nullptr ? manager->GetCameraManager() : nullptr) {
    m_camera = cameras->CreateCamera(kCameraOrthographic);
    // The quad lies at depth 0: its view must hold that depth (the default near plane, 1, cut it
    // away, so no overlay was ever seen).
    (*m_camera)->m_near = -1.0f;
    (*m_camera)->m_far = 1.0f;
  }
  SetRect(0.0f, 0.0f, 1.0f, 1.0f);
  SetColor(Vector4(1.0f, 1.0f, 1.0f, 1.0f));
}

OverlayQuad::~OverlayQuad() {
  RenderManager* manager = RenderManager::PeekInstance();
  if (manager == nullptr) return;
  if (ModelManager* list = manager->GetModelManager()) list->RemoveOverlay(this);
  if (CameraManager* cameras = manager->GetCameraManager()) cameras->DestroyCamera(m_camera);
}

void OverlayQuad::SetRect(float x, float y, float width, float height) {
  m_rect[0] = x;
  m_rect[1] = y;
  m_rect[2] = width;
  m_rect[3] = height;
  const float xs[4] = {x, x + width, x, x + width};
  const float ys[4] = {y + height, y + height, y, y};  // camera y grows upwards: top row first
  for (uint32_t i = 0; i < 4; ++i) {
    Vertex* v = m_vertices->GetVertex(i);
    v->x = xs[i];
    v->y = ys[i];
    v->z = 0.0f;
    v->nx = 0.0f;
    v->ny = 0.0f;
    v->nz = -1.0f;
    v->u = static_cast<float>(i & 1);
    v->v = static_cast<float>(i >> 1);
  }
}

bool OverlayQuad::CoversScreen() const {
  return m_rect[0] <= 0.0f && m_rect[1] <= 0.0f && m_rect[0] + m_rect[2] >= 1.0f && m_rect[1] + m_rect[3] >= 1.0f;
}

void OverlayQuad::SetColor(const Vector4& color) {
  m_color = color;
  for (uint32_t i = 0; i < 4; ++i) m_vertices->GetVertex(i)->diffuse = ArgbFromColor(color);
}

void OverlayQuad::Draw() {
  RenderManager* manager = RenderManager::PeekInstance();
  if (manager == nullptr || m_camera == nullptr) return;
  RenderSystem* render_system = manager->GetRenderSystem();
  render_system->SetWorldTransform(g_identity_matrix);
  manager->GetCameraManager()->SetCurrentCamera(m_camera, false);
  BindTexture();
  m_indices->Bind();
  m_vertices->Bind();
  render_system->DrawTextured(kTriangleList, 0, 0, 4, 0, 2);
}
