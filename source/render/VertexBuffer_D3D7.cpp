#include "source/render/VertexBuffer_D3D7.h"

#include <cstddef>
#include <cstring>

namespace {
VertexBuffer_D3D7* g_current_vertices = nullptr;
}

VertexBuffer_D3D7::VertexBuffer_D3D7(uint32_t owner, uint32_t count) : m_owner(owner) { Resize(count); }

VertexBuffer_D3D7::~VertexBuffer_D3D7() {
  if (g_current_vertices == this) g_current_vertices = nullptr;
}

Vertex* VertexBuffer_D3D7::GetVertex(uint32_t n) {
  if (n >= m_count) return nullptr;
  return reinterpret_cast<Vertex*>(m_bytes.data() + static_cast<std::size_t>(n) * m_stride);
}

void VertexBuffer_D3D7::Reserve(uint32_t n) {
  m_capacity = n;
  if (m_count > n) m_count = n;
  m_bytes.resize(static_cast<std::size_t>(n) * m_stride);
}

void VertexBuffer_D3D7::Resize(uint32_t n) {
  if (n > m_capacity) Reserve(n);
  m_count = n;
  m_bytes.resize(static_cast<std::size_t>(n) * m_stride);
  for (uint32_t i = 0; i < n; ++i) {
    std::memcpy(m_bytes.data() + static_cast<std::size_t>(i) * m_stride + offsetof(Vertex, diffuse),
                &kUnfilledVertexColor, sizeof kUnfilledVertexColor);
  }
}

void VertexBuffer_D3D7::Bind() { g_current_vertices = this; }

VertexBuffer_D3D7* VertexBuffer_D3D7::Current() { return g_current_vertices; }
