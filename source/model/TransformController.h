#pragma once
// A whole-model transform track: position, rotation and scale a frame, blended between two
// frames; the matrix they make becomes the object's world matrix.

#include <memory>
#include <vector>

#include "source/math/Matrix4.h"
#include "source/model/ModelController.h"
#include "source/model/ModelFile.h"

class TransformController : public ModelController {
 public:
  TransformController(std::shared_ptr<const std::vector<ModelKey>> keys, RenderObject* owner)
      : ModelController(owner), m_keys(std::move(keys)) {}

  void Update() override;
  void Apply() override {}
  std::unique_ptr<ModelController> Clone(RenderObject* owner) const override;

  const Matrix4& GetMatrix() const { return m_matrix; }

 private:
  std::shared_ptr<const std::vector<ModelKey>> m_keys;
  Matrix4 m_matrix;
};
