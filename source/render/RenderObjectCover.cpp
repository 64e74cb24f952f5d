// Where the object lands on the screen and whether it paints its rectangle opaquely: read from the
// vertices it draws, placed by its world matrix and its camera as the draw places them, and from
// the shader and tint the draw applies.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/gfx/Surface.h"
#include "source/camera/Camera_D3D7.h"
#include "source/model/Model.h"
#include "source/render/RenderObject.h"
#include "source/render/RenderSystem.h"
#include "source/shaders/Shader.h"
#include "source/texture/Texture2D_D3D7.h"
#include "source/texture/TextureHandle.h"

namespace {

const Vector4 kWhite{1.0f, 1.0f, 1.0f, 1.0f};

// p times m, row vector times a row-major matrix, as the device transforms.
void Transform(const float p[4], const Matrix4& m, float out[4]) {
  for (int c = 0; c < 4; ++c) out[c] = p[0] * m.m[c] + p[1] * m.m[4 + c] + p[2] * m.m[8 + c] + p[3] * m.m[12 + c];
}

bool HasAlpha(const TextureHandle* handle) {
  if (handle == nullptr || handle->GetTexture() == nullptr) return false;
  const std::shared_ptr<gfx::Surface>& surface = handle->GetTexture()->GetSurface();
  return !surface || surface->Desc().format.a_mask != 0;  // not built yet: it cannot be told
}

// Whether the two triangles of `corner` (each vertex's corner: bit 0 right, bit 1 bottom) fill
// the rectangle: four distinct corners, split along a diagonal.
bool FillsRectangle(const uint32_t tri[2][3], const int corner[4]) {
  int shared = 0, shared_corners = 0;
  for (int a = 0; a < 3; ++a) {
    for (int b = 0; b < 3; ++b) {
      if (tri[0][a] == tri[1][b]) {
        ++shared;
        shared_corners ^= corner[tri[0][a]];
      }
    }
  }
  // Opposite corners differ in both bits.
  return shared == 2 && shared_corners == 3;
}

}  // namespace

bool RenderObject::PaintsOpaquely() const {
  const Shader* shader = m_shader_holder.GetShader().Get();
  const ShaderDescriptor* descriptor = m_shader_holder.GetDescriptor();
  if (shader == nullptr || descriptor == nullptr || (descriptor->m_flags & kShaderBlend)) return false;
  if (!m_color_draw && m_color == kWhite) return true;
  // A tint blends where its alpha, a texture's alpha or a second stage may show through.
  if (m_color.w < 1.0f) return false;
  if (descriptor->GetStageCount() > 1 && shader->GetStageTexture(1) != nullptr) return false;
  return descriptor->GetStageCount() == 0 || !HasAlpha(shader->GetStageTexture(0));
}

void RenderObject::PlaceVertices(const VertexBuffer_D3D7& vertices, const float (&placing)[52]) const {
  PlacedVertices& placed = m_placed;
  const uint32_t count = vertices.GetCount();
  const uint32_t stride = vertices.GetStride();
  const uint8_t* data = vertices.Data();
  // Compared bit for bit: the same inputs place the vertices where they were placed last.
  bool same = placed.valid && placed.positions.size() == std::size_t{count} * 3 &&
              std::memcmp(placed.placing, placing, sizeof placing) == 0;
  for (uint32_t i = 0; same && i < count; ++i) {
    same = std::memcmp(&placed.positions[std::size_t{i} * 3], data + std::size_t{i} * stride, 3 * sizeof(float)) == 0;
  }
  if (same) return;
  placed.valid = true;
  std::memcpy(placed.placing, placing, sizeof placing);
  placed.positions.resize(std::size_t{count} * 3);
  for (uint32_t i = 0; i < count; ++i) {
    std::memcpy(&placed.positions[std::size_t{i} * 3], data + std::size_t{i} * stride, 3 * sizeof(float));
  }
  Matrix4 world, view, proj;
  std::memcpy(world.m, placing, sizeof world.m);
  std::memcpy(view.m, placing + 16, sizeof view.m);
  std::memcpy(proj.m, placing + 32, sizeof proj.m);
  const float vx = placing[48], vy = placing[49], vw = placing[50], vh = placing[51];
  float left = vx + vw, top = vy + vh, right = vx, bottom = vy;
  float xs[4] = {}, ys[4] = {};
  bool flat = true;  // every vertex in front of the eye and within the depth range
  placed.finite = false;
  for (uint32_t i = 0; i < count; ++i) {
    float position[4] = {0, 0, 0, 1};
    std::memcpy(position, &placed.positions[std::size_t{i} * 3], 3 * sizeof(float));
    float in_world[4], eye[4], clip[4];
    Transform(position, world, in_world);
    Transform(in_world, view, eye);
    Transform(eye, proj, clip);
    if (!(clip[3] > 1e-6f)) {
      left = vx, top = vy, right = vx + vw, bottom = vy + vh;
      flat = false;
      break;
    }
    if (clip[2] < 0.0f || clip[2] > clip[3]) flat = false;
    const float x = vx + (clip[0] / clip[3] + 1.0f) * 0.5f * vw;
    const float y = vy + (1.0f - clip[1] / clip[3]) * 0.5f * vh;
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    if (i < 4) xs[i] = x, ys[i] = y;
    left = std::min(left, x), right = std::max(right, x);
    top = std::min(top, y), bottom = std::max(bottom, y);
  }
  placed.finite = true;
  placed.flat = flat;
  placed.left = left, placed.top = top, placed.right = right, placed.bottom = bottom;
  std::copy(xs, xs + 4, placed.xs);
  std::copy(ys, ys + 4, placed.ys);
}

ScreenCover RenderObject::MeasureScreenCover(uint32_t client_width, uint32_t client_height) const {
  ScreenCover cover;
  VertexBuffer_D3D7* vertices = GetVertices();
  if (m_camera == nullptr || !m_model || vertices == nullptr || !m_model->m_indices) return cover;
  const Camera_D3D7& camera = *m_camera->GetCamera();
  // A camera not yet placed on the screen takes its whole extent at its first use.
  if (!camera.m_viewport_set &&
      (camera.m_x0 != 0.0f || camera.m_y0 != 0.0f || camera.m_x1 != camera.m_width || camera.m_y1 != camera.m_height)) {
    return cover;
  }
  const CameraViewport area = ComputeCameraViewport(camera, client_width, client_height);
  const Matrix4 view = ComputeDeviceView(camera);
  const float vx = static_cast<float>(area.x), vy = static_cast<float>(area.y);
  const float vw = static_cast<float>(area.width), vh = static_cast<float>(area.height);
  const PixelRect viewport{static_cast<int>(area.x), static_cast<int>(area.y), static_cast<int>(area.x + area.width),
                           static_cast<int>(area.y + area.height)};

  const uint32_t count = vertices->GetCount();
  float placing[52];
  std::memcpy(placing, m_world.m, sizeof m_world.m);
  std::memcpy(placing + 16, view.m, sizeof view.m);
  std::memcpy(placing + 32, camera.m_proj.m, sizeof camera.m_proj.m);
  placing[48] = vx, placing[49] = vy, placing[50] = vw, placing[51] = vh;
  PlaceVertices(*vertices, placing);
  const PlacedVertices& placed = m_placed;
  if (!placed.finite) return cover;
  const float left = placed.left, top = placed.top, right = placed.right, bottom = placed.bottom;
  const bool flat = placed.flat;
  const float* xs = placed.xs;
  const float* ys = placed.ys;
  cover.known = true;
  cover.bounds = Intersection(PixelsTouched(left, top, right, bottom), viewport);

  // One quad, square on the screen, both of its faces drawn, painting opaquely.
  if (!flat || count != 4 || m_faces_to_draw != 2 || (m_flags & kRenderObjectCullClockwise) || !PaintsOpaquely()) {
    return cover;
  }
  int corner[4];
  for (int i = 0; i < 4; ++i) {
    const bool at_left = xs[i] == left, at_right = xs[i] == right;
    const bool at_top = ys[i] == top, at_bottom = ys[i] == bottom;
    if (at_left == at_right || at_top == at_bottom) return cover;
    corner[i] = (at_right ? 1 : 0) | (at_bottom ? 2 : 0);
  }
  const IndexBuffer_D3D7& indices = *m_model->m_indices.Get();
  uint32_t tri[2][3];
  if (m_model->m_primitive == kTriangleStrip) {
    if (indices.GetCount() < 4) return cover;
    for (int k = 0; k < 3; ++k) tri[0][k] = indices.GetIndex(k), tri[1][k] = indices.GetIndex(k + 1);
  } else {
    if (indices.GetCount() < 6) return cover;
    for (int k = 0; k < 3; ++k) tri[0][k] = indices.GetIndex(k), tri[1][k] = indices.GetIndex(k + 3);
  }
  for (const auto& t : tri) {
    for (uint32_t index : t) {
      if (index >= 4) return cover;
    }
    if (t[0] == t[1] || t[1] == t[2] || t[0] == t[2]) return cover;
  }
  if (!FillsRectangle(tri, corner)) return cover;
  cover.opaque = Intersection(PixelsSurelyInside(left, top, right, bottom), viewport);
  return cover;
}
