#pragma once
// The draw list: every visible, unhidden render object. Each frame it updates them, sorts the ones
// with faces (first group nearest first, then GUI objects farthest first, then the rest) and draws
// them between the render system's BeginFrame and EndFrame, followed by the overlay quads; what an
// opaque quad over the whole screen, or an opaque object lying square on it, hides wholly is left
// out of the drawing (its textures built a few a frame meanwhile), and a large layer mostly hidden
// so is drawn around what hides it. It owns nothing: objects and quads are deleted by their owners
// and leave the list as they go.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "source/render/ScreenCover.h"

class OverlayQuad;
class RenderObject;
class RenderSystem;

class ModelManager {
 public:
  explicit ModelManager(RenderSystem* render_system) : m_render_system(render_system) {}
  ModelManager(const ModelManager&) = delete;
  ModelManager& operator=(const ModelManager&) = delete;

  // Adds once; removing an object not in the list does nothing.
  void AddObject(RenderObject* object);
  void RemoveObject(RenderObject* object);
  void AddOverlay(OverlayQuad* quad);
  void RemoveOverlay(OverlayQuad* quad);

  void Render();

  // Set by whoever switches the video mode, before the device is reset; the first frame drawn
  // after it clears it, so until then it tells that the draw list's device may have changed.
  void SetModeChanged(bool changed) { m_mode_changed = changed; }
  bool IsModeChanged() const { return m_mode_changed; }

  // True when a is drawn before b: a strict weak order (group, then depth; NaN depths last).
  static bool DrawsBefore(const RenderObject* a, const RenderObject* b);

  const std::vector<RenderObject*>& GetObjects() const { return m_objects; }
  const std::vector<RenderObject*>& GetSorted() const { return m_sorted; }
  const std::vector<OverlayQuad*>& GetOverlays() const { return m_overlays; }
  uint32_t GetFacesDrawn() const { return m_faces_to_draw; }
  uint32_t GetFaceCount() const { return m_face_count; }
  uint32_t GetVisibleCount() const { return m_visible; }
  uint32_t GetDrawnCount() const { return m_drawn; }

 private:
  bool WasRemovedDuringRender(const RenderObject* object) const;
  // The last overlay that hides what is beneath it; the overlay count when none does.
  std::size_t FirstOverlaySeen() const;
  // A few textures a frame of the objects a quad hides, so that the frame that first shows them
  // (the menu, when the logos end) does not build them all at once.
  void BuildHiddenTextures();
  // Which sorted objects later opaque quads hide wholly, and which large ones mostly (m_plans).
  void PlanDrawing();
  // Draws m_sorted[i] as planned: not at all, around the hole, or whole.
  void DrawPlanned(std::size_t i);

  RenderSystem* m_render_system;
  std::vector<RenderObject*> m_objects;
  // While Render runs, updates and draws may show, hide or delete objects and quads: the walk
  // goes over a copy, what leaves meanwhile is noted (and blanked in the lists being walked) so
  // that it is neither touched again nor makes the walk skip its neighbour.
  bool m_rendering = false;
  std::vector<RenderObject*> m_walk;
  std::vector<const RenderObject*> m_removed;
  std::vector<RenderObject*> m_sorted;
  std::vector<OverlayQuad*> m_overlays;
  std::vector<ScreenCover> m_covers;
  std::vector<DrawPlan> m_plans;
  uint32_t m_faces_to_draw = 0;
  uint32_t m_face_count = 0;
  uint32_t m_visible = 0;
  uint32_t m_drawn = 0;
  bool m_mode_changed = false;
};
