#pragma once
// A colour track: an RGBA colour a frame, blended between two frames and given to the object as
// its colour. Model files carry no colour keys; code that wants the track sets them.

#include <memory>
#include <vector>

#include "source/math/Vector.h"
#include "source/model/ModelController.h"

class ColorController : public ModelController {
 public:
  explicit ColorController(RenderObject* owner) : ModelController(owner), m_keys(std::make_shared<std::vector<Vector4>>()) {}

  void Update() override;
  void Apply() override;
  std::unique_ptr<ModelController> Clone(RenderObject* owner) const override;

  // The keys, one a frame; clones made before keep theirs.
  void SetKeys(std::vector<Vector4> keys) { m_keys = std::make_shared<const std::vector<Vector4>>(std::move(keys)); }
  const Vector4& GetColor() const { return m_color; }

 private:
  bool FramesKnown() const { return m_frame_a < m_keys->size() && m_frame_b < m_keys->size(); }

  std::shared_ptr<const std::vector<Vector4>> m_keys;
  Vector4 m_color{1.0f, 1.0f, 1.0f, 1.0f};
};
