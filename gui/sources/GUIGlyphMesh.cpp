#include "gui/include/GUIGlyphMesh.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "gui/include/GUIWidgetSupport.h"
#include "source/render/IndexBuffer_D3D7.h"
#include "source/render/VertexBuffer_D3D7.h"

namespace {

constexpr uint32_t kGlyphModelFlags = 0x100009;  // triangle list, both buffers flagged
constexpr uint32_t kCorners[6] = {0, 1, 2, 2, 1, 3};

}  // namespace

GUIGlyphMesh::GUIGlyphMesh() : Model("font_model", 4 * kStartQuads, 6 * kStartQuads, kGlyphModelFlags) {
  for (uint32_t quad = 0; quad < kStartQuads; ++quad) {
    for (uint32_t i = 0; i < 6; ++i) m_indices->SetIndex(6 * quad + i, 4 * quad + kCorners[i]);
  }
  m_index_count = 0;
}

uint32_t GUIGlyphMesh::MakeRoom(uint32_t quads) {
  const uint32_t room = m_vertices->GetCount() / 4;
  if (quads <= room || room >= kGlyphModelQuads) return room;
  uint32_t grown = std::max(room, kStartQuads);
  while (grown < quads && grown < kGlyphModelQuads) grown *= 2;
  grown = std::min(grown, kGlyphModelQuads);
  // A resize paints every vertex: the quads laid so far are put back.
  std::vector<Vertex> laid(4 * room);
  if (room > 0) std::memcpy(laid.data(), m_vertices->GetVertex(0), laid.size() * sizeof(Vertex));
  m_vertices->Resize(4 * grown);
  if (room > 0) std::memcpy(m_vertices->GetVertex(0), laid.data(), laid.size() * sizeof(Vertex));
  m_indices->Resize(6 * grown);
  for (uint32_t quad = room; quad < grown; ++quad) {
    for (uint32_t i = 0; i < 6; ++i) m_indices->SetIndex(6 * quad + i, 4 * quad + kCorners[i]);
  }
  m_vertex_count = 4 * grown;
  return grown;
}
