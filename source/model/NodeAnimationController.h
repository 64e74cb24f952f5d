#pragma once
// Node (skeletal) animation: each node's position, rotation and scale are blended between two
// key frames, and every vertex is placed as the weighted sum of its position in up to four nodes'
// spaces carried by those nodes' transforms (its normal likewise by their rotations). The
// object's box is the union of the boxes of the nodes that count for bounds.

#include <memory>
#include <string>
#include <vector>

#include "source/math/Matrix4.h"
#include "source/math/Quaternion.h"
#include "source/math/cBoundingBox.h"
#include "source/model/ModelController.h"
#include "source/model/ModelFile.h"

struct Vertex;

struct NodeInfluence {
  uint16_t node = 0;
  float weight = 0.0f;
  Vector3 normal;
  Vector3 position;
};

struct NodeWeightedVertex {
  uint16_t count = 0;
  NodeInfluence slots[kMaxInfluences];
};

// What every clone shares: the node records, the keys (frame by frame) and the weighted vertices.
struct NodeAnimationData {
  uint32_t frame_count = 0;
  std::vector<ModelFileNode> nodes;
  std::vector<ModelKey> keys;
  std::vector<NodeWeightedVertex> vertices;
};

// One node's pose.
struct NodeState {
  Quaternion rotation;
  Quaternion base_rotation;  // identity at load
  Vector3 position;
  Vector3 position_offset;  // 0 at load
  Vector3 scale{1.0f, 1.0f, 1.0f};
  Matrix4 rotation_matrix;
  Matrix4 transform;
  cBoundingBox box;
};

class NodeAnimationController : public ModelController {
 public:
  NodeAnimationController(std::shared_ptr<const NodeAnimationData> data, RenderObject* owner);

  void Update() override;
  void Apply() override;
  std::unique_ptr<ModelController> Clone(RenderObject* owner) const override;
  bool WritesVertices() const override { return true; }

  // Places `count` vertices (at most the data's) by the current node transforms.
  void Skin(Vertex* vertices, uint32_t count) const;

  const std::vector<NodeState>& GetNodes() const { return m_nodes; }
  std::vector<NodeState>& GetNodes() { return m_nodes; }
  const cBoundingBox& GetBox() const { return m_box; }
  const NodeAnimationData& GetData() const { return *m_data; }

 private:
  std::shared_ptr<const NodeAnimationData> m_data;
  std::vector<NodeState> m_nodes;
  cBoundingBox m_box;
};
