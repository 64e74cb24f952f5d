#pragma once
// Fixed-format vertices in system memory (position, normal, diffuse colour, one texture
// coordinate pair; 36 bytes each). Models, overlay quads, particles and text build one, bind it and
// call the render system's indexed draws, which read the bound buffer. System memory survives a
// lost device, so the device hooks do nothing.

#include <cstdint>
#include <vector>

#include "source/core/CountedPtr.h"
#include "source/render/DeviceResource.h"

struct Vertex {
  float x, y, z;
  float nx, ny, nz;
  uint32_t diffuse;  // ARGB, 8 bits each
  float u, v;
};
static_assert(sizeof(Vertex) == 36, "the vertex format is 36 bytes a vertex");

// Position, normal, one diffuse colour, one set of 2-D texture coordinates.
inline constexpr uint32_t kVertexFormat = 0x152;
// The colour a resize gives every vertex, so that unfilled geometry shows up.
inline constexpr uint32_t kUnfilledVertexColor = 0xFFFF00FF;

class VertexBuffer_D3D7 {
 public:
  VertexBuffer_D3D7(uint32_t owner, uint32_t count);
  virtual ~VertexBuffer_D3D7();
  VertexBuffer_D3D7(const VertexBuffer_D3D7&) = delete;
  VertexBuffer_D3D7& operator=(const VertexBuffer_D3D7&) = delete;

  virtual uint32_t GetFormat() const { return kVertexFormat; }
  // Vertex n, or null beyond the count.
  virtual Vertex* GetVertex(uint32_t n);
  // Capacity n; a count above n is cut to n.
  virtual void Reserve(uint32_t n);
  // Count n (growing the capacity first); every vertex gets the colour 0xFFFF00FF.
  virtual void Resize(uint32_t n);

  // Makes this the buffer the indexed draws read.
  void Bind();
  static VertexBuffer_D3D7* Current();

  uint32_t GetOwner() const { return m_owner; }
  uint32_t GetStride() const { return m_stride; }
  uint32_t GetCount() const { return m_count; }
  uint32_t GetCapacity() const { return m_capacity; }
  const uint8_t* Data() const { return m_bytes.data(); }

 private:
  uint32_t m_owner;
  uint32_t m_stride = sizeof(Vertex);
  uint32_t m_count = 0;
  uint32_t m_capacity = 0;
  DeviceResource m_resource;
  std::vector<uint8_t> m_bytes;
};

// The counted handle owners keep; copies share the buffer.
class VertexBufferHolder {
 public:
  VertexBufferHolder() = default;
  VertexBufferHolder(uint32_t count, uint32_t owner) : m_buffer(new VertexBuffer_D3D7(owner, count)) {}
  VertexBuffer_D3D7* Get() const { return m_buffer.Get(); }
  VertexBuffer_D3D7* operator->() const { return m_buffer.Get(); }
  explicit operator bool() const { return static_cast<bool>(m_buffer); }

 private:
  CountedPtr<VertexBuffer_D3D7> m_buffer;
};
