#pragma once
// One drawable instance of a shared Model: its own world matrix, flags, colour, shader copy and
// bounding box, a named-animation player and its own clones of the model's controllers (with its
// own copy of the vertices when those move them, so that two objects of one model show two poses
// and picking reads the pose that is drawn). The draw list (ModelManager) updates and draws every
// visible object that is not hidden; everything visible in the game is one of these.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "source/core/CountedPtr.h"
#include "source/math/Matrix4.h"
#include "source/math/Vector.h"
#include "source/math/cBoundingBox.h"
#include "source/model/AnimationController.h"
#include "source/render/ScreenCover.h"
#include "source/render/VertexBuffer_D3D7.h"
#include "source/shaders/ShaderHolder.h"

class CameraHandle;
class Model;
class ModelController;

// Flags the draw list and the drawing read.
inline constexpr uint32_t kRenderObjectVisible = 0x40000;
inline constexpr uint32_t kRenderObjectFirstGroup = 0x200;  // drawn first, nearest first
inline constexpr uint32_t kRenderObjectGuiGroup = 0x400;    // drawn next, farthest first
inline constexpr uint32_t kRenderObjectNoDepth = 0x800;     // keeps no view depth
inline constexpr uint32_t kRenderObjectCullClockwise = 0x2000;
inline constexpr uint32_t kRenderObjectTwoSided = 0x4000;   // back faces, then front faces
inline constexpr uint32_t kRenderObjectLiveBounds = 0x8000; // with 0x1: box from the vertices each frame

// Picking misses are this far away.
inline constexpr float kPickNoHit = 100000.0f;

class RenderObject {
 public:
  // An object without a model (drawables that draw themselves, and tests).
  RenderObject();
  // Flags: the model's and the given ones, drawn as a GUI object (0x200 cleared, 0x400 set); with
  // 0x40000 the object is shown at once. Every controller of the model is cloned and run once.
  RenderObject(const CountedPtr<Model>& model, CameraHandle* camera, uint32_t flags);
  // Leaves the draw list. The draw list never deletes an object: its owner does, once.
  virtual ~RenderObject();
  RenderObject(const RenderObject&) = delete;
  RenderObject& operator=(const RenderObject&) = delete;

  // A new object with the model, flags, animations, shader and camera of `other`.
  static std::unique_ptr<RenderObject> Clone(const RenderObject& other);

  // This frame's animation, controllers, bounds, face counts and view depth (cull: the caller
  // asks for view-frustum culling; every object draws all its faces).
  virtual void Update(bool cull);
  // A drawable that draws otherwise than through its model's buffers says so in
  // MeasureScreenCover, or the draw list may leave it out beneath an opaque page.
  virtual void Draw();
  // The pixels this frame's draw may touch and those it surely paints opaquely, on a client of
  // client_width x client_height (after Update).
  virtual ScreenCover MeasureScreenCover(uint32_t client_width, uint32_t client_height) const;
  // The next update recomputes the box from the vertices (after the matrix or vertices changed).
  virtual void MarkBoundsForRefresh() { m_refresh_bounds = true; }
  // The model-space box from the vertices the indices name, placed by the world matrix.
  void RefreshBounds();
  void ComputeBounds();

  // Whether the segment from `origin` to origin + `segment` (world space) hits a face; with
  // `distance`, the nearest hit's distance along the segment in model units (kPickNoHit when no
  // face is hit) is written, unless the world box is missed.
  bool PickByRay(const Vector3& origin, const Vector3& segment, float* distance = nullptr) const;

  // Shows or hides (the visible bit); list membership follows visible and not hidden.
  void SetVisible(bool visible);
  void SetHidden(bool hidden);
  bool IsVisible() const { return (m_flags & kRenderObjectVisible) != 0; }
  bool IsHidden() const { return m_hidden; }

  uint32_t GetFlags() const { return m_flags; }
  // Sets flags (not the visible bit: see SetVisible); setting 0x400 clears 0x200.
  void SetFlagBits(uint32_t bits);
  // Clears flags (not the visible bit); clearing either draw group switches to the other.
  void ClearFlagBits(uint32_t bits);
  uint32_t GetFaceCount() const { return m_face_count; }
  uint32_t GetFacesToDraw() const { return m_faces_to_draw; }
  float GetViewDepth() const { return m_view_depth; }
  // GUI objects keep no view depth of their own: their layer gives them one each frame.
  void SetViewDepth(float depth) { m_view_depth = depth; }

  const CountedPtr<Model>& GetModel() const { return m_model; }
  CameraHandle* GetCamera() const { return m_camera; }
  void SetCamera(CameraHandle* camera) { m_camera = camera; }
  AnimationController& GetAnimation() { return m_animation; }
  const AnimationController& GetAnimation() const { return m_animation; }
  const std::vector<std::unique_ptr<ModelController>>& GetControllers() const { return m_controllers; }
  // The vertices the object draws: its own copy when its controllers move vertices, else the
  // model's; null without a model.
  VertexBuffer_D3D7* GetVertices() const;
  // Its own copy only (null when it draws the model's).
  VertexBuffer_D3D7* GetOwnVertices() const { return m_own_vertices.Get(); }

  const Matrix4& GetWorldMatrix() const { return m_world; }
  // Places the object; the world box follows at once.
  void SetWorldMatrix(const Matrix4& world);
  Matrix4& GetSecondMatrix() { return m_second; }
  const cBoundingBox& GetBoundingBox() const { return m_box; }
  // A model-space box, placed by the world matrix (the controllers' bounds).
  void SetLocalBounds(const Vector3& minimum, const Vector3& maximum);

  const Vector4& GetColor() const { return m_color; }
  // Any colour but opaque white tints the object when drawn.
  void SetColor(const Vector4& color) { m_color = color; }
  bool GetColorDraw() const { return m_color_draw; }
  void SetColorDraw(bool on) { m_color_draw = on; }
  ShaderHolder& GetShaderHolder() { return m_shader_holder; }
  // Builds on the device at most `most` of its shader's textures not there yet; how many.
  uint32_t BuildTextures(uint32_t most) const;
  const std::string& GetName() const { return m_name; }
  void SetName(std::string name) { m_name = std::move(name); }

 protected:
  // Applies the object's shader before its buffers are drawn; a drawable with its own way of
  // texturing overrides it.
  virtual void ApplyShader() { m_shader_holder.Apply(); }
  // Gives every controller this frame's frames and calls Update (then Apply).
  void RunControllers(bool apply);

  uint32_t m_flags = 0;
  bool m_hidden = false;
  uint32_t m_faces_to_draw = 0;
  uint32_t m_face_count = 0;
  float m_view_depth = 0.0f;

 private:
  void UpdateMembership();
  // Whether the shader and tint the draw applies write every pixel with no blending.
  bool PaintsOpaquely() const;
  void DrawPass(uint32_t vertex_count);

  // The vertices as MeasureScreenCover last placed them on the screen, with what placed them: a
  // frame that moves neither the object, its camera nor its vertices places nothing again.
  struct PlacedVertices {
    bool valid = false;
    float placing[52] = {};        // the world, view and projection matrices, the viewport
    std::vector<float> positions;  // x, y, z of each vertex
    bool finite = false, flat = false;
    float left = 0, top = 0, right = 0, bottom = 0;
    float xs[4] = {}, ys[4] = {};
  };
  // Places the vertices into m_placed unless it holds them as `placing` places them already.
  void PlaceVertices(const VertexBuffer_D3D7& vertices, const float (&placing)[52]) const;

  CameraHandle* m_camera = nullptr;  // not owned: the camera manager's
  CountedPtr<Model> m_model;
  std::vector<std::unique_ptr<ModelController>> m_controllers;
  VertexBufferHolder m_own_vertices;
  AnimationController m_animation;
  Matrix4 m_world;
  Matrix4 m_second;
  cBoundingBox m_box;
  bool m_refresh_bounds = true;
  bool m_color_draw = false;
  ShaderHolder m_shader_holder;
  std::string m_name;
  Vector4 m_color{1.0f, 1.0f, 1.0f, 1.0f};
  mutable PlacedVertices m_placed;
};
