#pragma once
// Vertex morphing: every vertex (position, normal, texture coordinates) and the box are stored
// for every frame and blended between two of them.

#include <memory>
#include <vector>

#include "source/model/ModelController.h"
#include "source/model/ModelFile.h"

struct Vertex;

struct MorphData {
  uint32_t frame_count = 0;
  uint32_t vertex_count = 0;
  std::vector<ModelFileVertex> frames;  // frame by frame
  std::vector<ModelBox> boxes;          // one a frame
};

class MorphController : public ModelController {
 public:
  MorphController(std::shared_ptr<const MorphData> data, RenderObject* owner)
      : ModelController(owner), m_data(std::move(data)) {}

  void Update() override;
  void Apply() override;
  std::unique_ptr<ModelController> Clone(RenderObject* owner) const override;
  bool WritesVertices() const override { return true; }

  // Writes the blended frame into `count` vertices (at most the data's).
  void Blend(Vertex* vertices, uint32_t count) const;
  const ModelBox& GetBox() const { return m_box; }

 private:
  bool FramesKnown() const { return m_frame_a < m_data->frame_count && m_frame_b < m_data->frame_count; }

  std::shared_ptr<const MorphData> m_data;
  ModelBox m_box;
};
