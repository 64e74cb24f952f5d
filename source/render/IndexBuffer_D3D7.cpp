#include "source/render/IndexBuffer_D3D7.h"

#include <algorithm>
#include <cstring>

namespace {
IndexBuffer_D3D7* g_current_indices = nullptr;
}

IndexBuffer_D3D7::IndexBuffer_D3D7(uint32_t owner, IndexFormat format, uint32_t count)
    : m_owner(owner), m_format(format), m_element_size(format == kIndex32 ? 4 : 2) {
  Resize(count);
}

IndexBuffer_D3D7::~IndexBuffer_D3D7() {
  if (g_current_indices == this) g_current_indices = nullptr;
}

void IndexBuffer_D3D7::Reserve(uint32_t n) {
  m_capacity = n;
  if (m_count > n) m_count = n;
  m_bytes.resize(static_cast<std::size_t>(n) * m_element_size);
}

void IndexBuffer_D3D7::Resize(uint32_t n) {
  if (n > m_capacity) Reserve(n);
  m_count = n;
  m_bytes.resize(static_cast<std::size_t>(n) * m_element_size);
}

void* IndexBuffer_D3D7::GetRange(uint32_t first, uint32_t& count) {
  if (first >= m_count) return nullptr;
  const uint32_t remaining = m_count - first;
  if (count == 0 || count > remaining) count = remaining;
  return m_bytes.data() + static_cast<std::size_t>(first) * m_element_size;
}

uint32_t IndexBuffer_D3D7::GetIndex(uint32_t n) const {
  if (n >= m_count) return 0;
  if (m_element_size == 4) {
    uint32_t value;
    std::memcpy(&value, m_bytes.data() + static_cast<std::size_t>(n) * 4, 4);
    return value;
  }
  uint16_t value;
  std::memcpy(&value, m_bytes.data() + static_cast<std::size_t>(n) * 2, 2);
  return value;
}

void IndexBuffer_D3D7::SetIndex(uint32_t n, uint32_t value) {
  if (n >= m_count) return;
  if (m_element_size == 2 && value > 0xFFFF) Widen();
  if (m_element_size == 4) {
    std::memcpy(m_bytes.data() + static_cast<std::size_t>(n) * 4, &value, 4);
  } else {
    const uint16_t narrow = static_cast<uint16_t>(value);
    std::memcpy(m_bytes.data() + static_cast<std::size_t>(n) * 2, &narrow, 2);
  }
}

void IndexBuffer_D3D7::Widen() {
  if (m_element_size == 4) return;
  std::vector<uint8_t> wide(static_cast<std::size_t>(m_capacity) * 4);
  for (uint32_t i = 0; i < m_count; ++i) {
    const uint32_t value = GetIndex(i);
    std::memcpy(wide.data() + static_cast<std::size_t>(i) * 4, &value, 4);
  }
  m_bytes.swap(wide);
  m_element_size = 4;
  m_format = kIndex32;
}

void IndexBuffer_D3D7::Bind() { g_current_indices = this; }

IndexBuffer_D3D7* IndexBuffer_D3D7::Current() { return g_current_indices; }

IndexBufferHolder::IndexBufferHolder(uint32_t count, uint32_t owner)
    : m_buffer(new IndexBuffer_D3D7(owner, count < 65536 ? kIndex16 : kIndex32, count)) {}

void IndexBufferHolder::Upload(const uint16_t* source, uint32_t count) {
  if (!m_buffer || source == nullptr) return;
  const uint32_t n = count == 0 ? m_buffer->GetCount() : std::min(count, m_buffer->GetCount());
  for (uint32_t i = 0; i < n; ++i) m_buffer->SetIndex(i, source[i]);
}

void IndexBufferHolder::Upload(const uint32_t* source, uint32_t count) {
  if (!m_buffer || source == nullptr) return;
  const uint32_t n = count == 0 ? m_buffer->GetCount() : std::min(count, m_buffer->GetCount());
  for (uint32_t i = 0; i < n; ++i) m_buffer->SetIndex(i, source[i]);
}
