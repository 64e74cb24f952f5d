#pragma once
// A screen-space textured quad with its own orthographic camera, drawn after the sorted objects
// (the mouse cursor). The quad covers (x, y) to (x + width, y + height) in its camera's units.

#include "source/math/Vector.h"
#include "source/render/IndexBuffer_D3D7.h"
#include "source/render/VertexBuffer_D3D7.h"

class CameraHandle;

class OverlayQuad {
 public:
  OverlayQuad();
  virtual void Draw();
  virtual ~OverlayQuad();
  OverlayQuad(const OverlayQuad&) = delete;
  OverlayQuad& operator=(const OverlayQuad&) = delete;

  // Places the quad; its texture coordinates run 0 to 1 over it.
  void SetRect(float x, float y, float width, float height);
  // Whether the quad spans its camera's whole view (0 to 1 both ways), as it does when made.
  bool CoversScreen() const;
  // Whether nothing drawn before the quad can be seen through it: the draw list then leaves all
  // that out. The base quad binds no texture or blending of its own, so it never claims so.
  virtual bool HidesWhatIsBeneath() const { return false; }
  void SetColor(const Vector4& color);
  const Vector4& GetColor() const { return m_color; }
  CameraHandle* GetCamera() const { return m_camera; }
  VertexBuffer_D3D7* GetVertices() const { return m_vertices.Get(); }
  IndexBuffer_D3D7* GetIndices() const { return m_indices.Get(); }

 protected:
  // The texture a derived quad binds before the draw; none here.
  virtual void BindTexture() {}

 private:
  VertexBufferHolder m_vertices;
  IndexBufferHolder m_indices;
  CameraHandle* m_camera = nullptr;
  float m_rect[4] = {0.0f, 0.0f, 1.0f, 1.0f};  // x, y, width, height
  Vector4 m_color{1.0f, 1.0f, 1.0f, 1.0f};
};
