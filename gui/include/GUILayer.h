#pragma once
// The draw-order node every GUI window embeds. The layer tree mirrors the window tree; a walk from
// the root's layer gives every GUI render object its depth, and the draw list draws GUI objects
// from the greatest depth down, so later windows come out on top. The walk is needed only after the
// tree or a layer's objects changed, which marks the layer and every layer above it stale.

#include <string>
#include <vector>

class RenderObject;

class GUILayer {
 public:
  explicit GUILayer(std::string name);
  // Leaves its parent; child layers still listed are deleted (windows delete theirs first).
  virtual ~GUILayer();
  GUILayer(const GUILayer&) = delete;
  GUILayer& operator=(const GUILayer&) = delete;

  // Leaves the old parent's children, then joins the new parent's (null: none).
  void SetParent(GUILayer* parent);
  void AddChild(GUILayer* child);     // appended unless present
  void RemoveChild(GUILayer* child);  // the first occurrence
  void MoveToFront();                 // first among its siblings
  void MoveToBack();                  // last among its siblings

  // Marks the object for GUI drawing and appends it unless present.
  void AddObject(RenderObject* object);
  void RemoveObject(RenderObject* object);
  void MoveObjectToFront(RenderObject* object);

  // Gives this layer's objects, then its child layers, falling depths from `start`: one unit an
  // object, a gap of one after the objects and one before each child. Answers the next free depth.
  float AssignDepth(float start);
  // Whether this layer's tree changed since its depths were last given.
  bool DepthsStale() const { return m_depths_stale; }

  const std::string& GetName() const { return m_name; }
  GUILayer* GetParent() const { return m_parent; }
  const std::vector<GUILayer*>& GetChildren() const { return m_children; }
  const std::vector<RenderObject*>& GetObjects() const { return m_objects; }

 private:
  void MarkDepthsStale();  // this layer and every one above it

  std::string m_name;
  GUILayer* m_parent = nullptr;
  std::vector<GUILayer*> m_children;      // not owned
  std::vector<RenderObject*> m_objects;  // not owned
  bool m_depths_stale = true;
};
