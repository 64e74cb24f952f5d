#pragma once
// The base of what animates a model: the node (skinning), morph, transform and colour
// controllers. A model keeps one of each its file asks for; every render object of the model
// clones them, bound to itself, so each object has its own pose. Each frame the object gives its
// controllers two frames and a blend, calls Update (compute the state) and then Apply (write it
// into the object's vertices, matrix or colour). A controller whose frames lie beyond its keys
// does nothing.

#include <cstdint>
#include <memory>

#include "source/math/Vector.h"
#include "source/render/VertexBuffer_D3D7.h"

class RenderObject;

class ModelController {
 public:
  explicit ModelController(RenderObject* owner) : m_owner(owner) {}
  virtual ~ModelController() = default;
  ModelController(const ModelController&) = default;
  ModelController& operator=(const ModelController&) = delete;

  virtual void Update() = 0;
  virtual void Apply() = 0;
  // A copy bound to `owner`, sharing the keys.
  virtual std::unique_ptr<ModelController> Clone(RenderObject* owner) const = 0;
  // Whether Apply writes the owner's vertices: the owner then draws its own copy of them.
  virtual bool WritesVertices() const { return false; }

  // The blend (the weight of frame B) is held to 0..1.
  void SetFrames(uint32_t frame_a, uint32_t frame_b, float blend);
  RenderObject* GetOwner() const { return m_owner; }
  // The owner's own vertices and their count; null when there is no owner or it has none.
  Vertex* OwnerVertices(uint32_t& count) const;
  uint32_t GetFrameA() const { return m_frame_a; }
  uint32_t GetFrameB() const { return m_frame_b; }
  float GetBlend() const { return m_blend; }

 protected:
  // Writes a posed vertex's position and normal, leaving its colour and coordinates.
  static void Place(Vertex& out, const Vector3& position, const Vector3& normal) {
    out.x = position.x;
    out.y = position.y;
    out.z = position.z;
    out.nx = normal.x;
    out.ny = normal.y;
    out.nz = normal.z;
  }

  RenderObject* m_owner;  // null on the model's own copy
  uint32_t m_frame_a = 0;
  uint32_t m_frame_b = 0;
  float m_blend = 0.0f;
};
