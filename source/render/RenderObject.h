#pragma once
// What the draw list needs of a drawable: its flags (visible bit and draw-order group), whether it
// is hidden, its face counts and view depth after an update, and its draw. The model code derives
// the full render object (model, controllers, shader, camera) from this.

#include <cstdint>

// Flags the draw list reads.
inline constexpr uint32_t kRenderObjectVisible = 0x40000;
inline constexpr uint32_t kRenderObjectFirstGroup = 0x200;  // drawn first, nearest first
inline constexpr uint32_t kRenderObjectGuiGroup = 0x400;    // drawn next, farthest first

class RenderObject {
 public:
  RenderObject() = default;
  // Leaves the draw list. The draw list never deletes an object: its owner does, once.
  virtual ~RenderObject();
  RenderObject(const RenderObject&) = delete;
  RenderObject& operator=(const RenderObject&) = delete;

  // Brings the object up to date for this frame: face counts and view depth (cull: the caller
  // asks for view-frustum culling).
  virtual void Update(bool cull) = 0;
  virtual void Draw() = 0;
  // Told when the object is shown, so that its bounds are recomputed.
  virtual void MarkBoundsForRefresh() {}

  // Shows or hides (the visible bit); list membership follows visible and not hidden.
  void SetVisible(bool visible);
  void SetHidden(bool hidden);
  bool IsVisible() const { return (m_flags & kRenderObjectVisible) != 0; }
  bool IsHidden() const { return m_hidden; }

  uint32_t GetFlags() const { return m_flags; }
  // Sets flags without touching list membership (use SetVisible for the visible bit).
  void SetFlagBits(uint32_t bits) { m_flags |= bits & ~kRenderObjectVisible; }
  void ClearFlagBits(uint32_t bits) { m_flags &= ~(bits & ~kRenderObjectVisible); }
  uint32_t GetFaceCount() const { return m_face_count; }
  uint32_t GetFacesToDraw() const { return m_faces_to_draw; }
  float GetViewDepth() const { return m_view_depth; }

 protected:
  uint32_t m_flags = 0;
  bool m_hidden = false;
  uint32_t m_faces_to_draw = 0;
  uint32_t m_face_count = 0;
  float m_view_depth = 0.0f;

 private:
  void UpdateMembership();
};
