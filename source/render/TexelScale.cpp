#include "source/render/TexelScale.h"

#include <cmath>
#include <cstring>

#include "source/render/VertexBuffer_D3D7.h"

namespace {

constexpr uint32_t kMostTriangles = 256;
// How far from exact a texel step may be: a level weight this small changes no 8-bit colour.
constexpr float kSlack = 1e-4f;

// a times b, both row-major for row vectors, as the device composes its transforms.
gfx::Matrix Multiply(const gfx::Matrix& a, const gfx::Matrix& b) {
  gfx::Matrix out{};
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      float sum = 0;
      for (int k = 0; k < 4; ++k) sum += a.m[r * 4 + k] * b.m[k * 4 + c];
      out.m[r * 4 + c] = sum;
    }
  }
  return out;
}

struct Mapped {
  float x, y;  // pixels
  float s, t;  // texels
  float w;
};

bool Map(const gfx::Matrix& m, const gfx::Matrix& tm, const gfx::Viewport& vp, const Vertex& v, float width,
         float height, Mapped& out) {
  const float p[4] = {v.x, v.y, v.z, 1.0f};
  float clip[4];
  for (int c = 0; c < 4; ++c) clip[c] = p[0] * m.m[c] + p[1] * m.m[4 + c] + p[2] * m.m[8 + c] + p[3] * m.m[12 + c];
  if (!(clip[3] > 1e-6f)) return false;
  out.x = (clip[0] / clip[3] + 1.0f) * 0.5f * static_cast<float>(vp.width);
  out.y = (1.0f - clip[1] / clip[3]) * 0.5f * static_cast<float>(vp.height);
  out.s = (v.u * tm.m[0] + v.v * tm.m[4] + tm.m[8]) * width;
  out.t = (v.u * tm.m[1] + v.v * tm.m[5] + tm.m[9]) * height;
  out.w = clip[3];
  return std::isfinite(out.x) && std::isfinite(out.y) && std::isfinite(out.s) && std::isfinite(out.t);
}

// The texel steps of one triangle along x and y; true when each texel axis follows one screen
// axis (quarter turns and mirrors allowed) at most one texel a pixel. A triangle of no area
// draws nothing and says nothing.
bool TriangleReadsAtMostOneTexel(const Mapped& a, const Mapped& b, const Mapped& c) {
  const float x1 = b.x - a.x, y1 = b.y - a.y, x2 = c.x - a.x, y2 = c.y - a.y;
  const float det = x1 * y2 - x2 * y1;
  if (std::fabs(det) < 1e-6f) return true;
  const float s1 = b.s - a.s, s2 = c.s - a.s, t1 = b.t - a.t, t2 = c.t - a.t;
  const float ds_dx = (s1 * y2 - s2 * y1) / det, ds_dy = (x1 * s2 - x2 * s1) / det;
  const float dt_dx = (t1 * y2 - t2 * y1) / det, dt_dy = (x1 * t2 - x2 * t1) / det;
  auto zero = [](float d) { return std::fabs(d) <= kSlack; };
  auto at_most_one = [](float d) { return std::fabs(d) <= 1.0f + kSlack; };
  const bool straight = zero(ds_dy) && zero(dt_dx) && at_most_one(ds_dx) && at_most_one(dt_dy);
  const bool turned = zero(ds_dx) && zero(dt_dy) && at_most_one(ds_dy) && at_most_one(dt_dx);
  return straight || turned;
}

}  // namespace

bool ReadsAtMostOneTexelAPixel(const gfx::DeviceState& state, const uint8_t* vertices, uint32_t stride,
                               uint32_t vertex_count, const void* indices, uint32_t index_count,
                               uint32_t index_size, bool strip, uint32_t texture_width, uint32_t texture_height) {
  if (stride != sizeof(Vertex) || texture_width == 0 || texture_height == 0 || index_count < 3) return false;
  // Two coordinates, used as they are or through the stage's texture matrix as (u, v, 1, 0).
  const uint32_t transform = state.Stage(0, gfx::D3DTSS_TEXTURETRANSFORMFLAGS);
  if (state.Stage(0, gfx::D3DTSS_TEXCOORDINDEX) != 0 ||
      (transform != gfx::D3DTTFF_DISABLE && transform != gfx::D3DTTFF_COUNT2)) {
    return false;
  }
  const gfx::Matrix texture_matrix = transform == gfx::D3DTTFF_COUNT2 ? state.texture[0] : gfx::Matrix{};
  const uint32_t triangles = strip ? index_count - 2 : index_count / 3;
  if (triangles > kMostTriangles) return false;
  const gfx::Matrix m = Multiply(Multiply(state.world, state.view), state.projection);
  const auto width = static_cast<float>(texture_width), height = static_cast<float>(texture_height);
  auto index = [&](uint32_t i) -> uint32_t {
    return index_size == 4 ? static_cast<const uint32_t*>(indices)[i] : static_cast<const uint16_t*>(indices)[i];
  };
  float first_w = 0;
  for (uint32_t n = 0; n < triangles; ++n) {
    const uint32_t at = strip ? n : n * 3;
    Mapped corner[3];
    for (uint32_t k = 0; k < 3; ++k) {
      const uint32_t i = index(at + k);
      if (i >= vertex_count) return false;
      Vertex v;
      std::memcpy(&v, vertices + static_cast<std::size_t>(i) * stride, sizeof v);
      if (!Map(m, texture_matrix, state.viewport, v, width, height, corner[k])) return false;
      // One w for every corner keeps the mapping affine across the screen.
      if (n == 0 && k == 0) first_w = corner[k].w;
      if (std::fabs(corner[k].w - first_w) > 1e-5f * std::fabs(first_w)) return false;
    }
    if (!TriangleReadsAtMostOneTexel(corner[0], corner[1], corner[2])) return false;
  }
  return true;
}
