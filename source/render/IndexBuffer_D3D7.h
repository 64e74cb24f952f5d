#pragma once
// Triangle indices in system memory: 16-bit elements, or 32-bit ones for meshes whose indices do
// not fit in 16 bits. Bound like a vertex buffer and read by the render system's indexed draws.

#include <cstdint>
#include <vector>

#include "source/core/CountedPtr.h"
#include "source/render/DeviceResource.h"

enum IndexFormat : uint32_t { kIndex16 = 1, kIndex32 = 2 };

class IndexBuffer_D3D7 {
 public:
  IndexBuffer_D3D7(uint32_t owner, IndexFormat format, uint32_t count);
  virtual ~IndexBuffer_D3D7();
  IndexBuffer_D3D7(const IndexBuffer_D3D7&) = delete;
  IndexBuffer_D3D7& operator=(const IndexBuffer_D3D7&) = delete;

  void Reserve(uint32_t n);
  void Resize(uint32_t n);
  // Element `first` onward: null when first is at or beyond the count; a count of 0 means up to the
  // end, a larger count than remains is cut (and written back through `count`).
  void* GetRange(uint32_t first, uint32_t& count);
  uint32_t GetIndex(uint32_t n) const;
  void SetIndex(uint32_t n, uint32_t value);
  // Turns 16-bit storage into 32-bit, keeping the values.
  void Widen();

  void Bind();
  static IndexBuffer_D3D7* Current();

  uint32_t GetOwner() const { return m_owner; }
  IndexFormat GetFormat() const { return m_format; }
  uint32_t GetElementSize() const { return m_element_size; }
  uint32_t GetCapacity() const { return m_capacity; }
  uint32_t GetCount() const { return m_count; }
  const uint8_t* Data() const { return m_bytes.data(); }

 private:
  uint32_t m_owner;
  IndexFormat m_format;
  uint32_t m_element_size;
  uint32_t m_capacity = 0;
  uint32_t m_count = 0;
  DeviceResource m_resource;
  std::vector<uint8_t> m_bytes;
};

// The counted handle owners keep: 16-bit indices below 65536 indices, 32-bit ones from there.
class IndexBufferHolder {
 public:
  IndexBufferHolder() = default;
  IndexBufferHolder(uint32_t count, uint32_t owner);
  // Copies source indices (count 0: the buffer's whole count; never more than it holds). 32-bit
  // values that do not fit in 16 bits widen the buffer instead of being cut.
  void Upload(const uint16_t* source, uint32_t count = 0);
  void Upload(const uint32_t* source, uint32_t count = 0);

  IndexBuffer_D3D7* Get() const { return m_buffer.Get(); }
  IndexBuffer_D3D7* operator->() const { return m_buffer.Get(); }
  explicit operator bool() const { return static_cast<bool>(m_buffer); }

 private:
  CountedPtr<IndexBuffer_D3D7> m_buffer;
};
