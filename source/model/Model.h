#pragma once
// Shared geometry: the buffers, the bounds, the frame count and the controllers a model file asked
// for. Render objects draw it, each with its own clones of the controllers (and, when those move
// vertices, its own copy of the vertices). Held through CountedPtr by the "model" resource and by
// every render object of it.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "source/math/cBoundingBox.h"
#include "source/model/ModelController.h"
#include "source/render/IndexBuffer_D3D7.h"
#include "source/render/RenderSystem.h"
#include "source/render/VertexBuffer_D3D7.h"

class cStream;

class Model {
 public:
  explicit Model(std::string name = std::string());
  // A generated mesh: `flags` 0x8 draws a triangle list, else a strip; both buffers are made with
  // the flags' usage bit.
  Model(std::string name, uint32_t vertex_count, uint32_t index_count, uint32_t flags);
  virtual ~Model();
  Model(const Model&) = delete;
  Model& operator=(const Model&) = delete;

  // Asks the model loaders in turn; false (logged, the model left empty) when none reads it.
  bool Load(const std::string& name, cStream& stream);

  // Faces the mesh draws: index count / 3 for a list, index count - 2 for a strip (0 below 3).
  uint32_t GetFaceCount() const;
  bool IsAnimated() const { return (m_flags & 0x30000006u) != 0; }

  std::string m_name;
  uint32_t m_flags = 0;
  uint32_t m_primitive = kTriangleStrip;
  uint32_t m_vertex_count = 0;
  uint32_t m_index_count = 0;
  uint32_t m_frame_count = 1;
  uint32_t m_first_frame = 0;
  IndexBufferHolder m_indices;
  VertexBufferHolder m_vertices;
  std::vector<std::unique_ptr<ModelController>> m_controllers;
  cBoundingBox m_box;  // empty until loaded
};
