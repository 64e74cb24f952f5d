#pragma once
// The base of every GUI element: a named node of the window tree with its children (in drawing
// order: the last is drawn on top and offered the mouse first), local and world matrices, a size and an alignment inside its parent,
// shown/visible/enabled flags, the active-child path that makes a window modal, an alpha curve,
// named attributes set as text, named event delegates, a visual that draws it and a layer that
// orders its drawing.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gui/include/GUILayer.h"
#include "gui/include/GUIVisual.h"
#include "source/core/Delegate.h"
#include "source/math/Matrix4.h"
#include "source/math/Vector.h"
#include "source/math/cBoundingBox.h"
#include "source/properties/cProperty.h"

class FloatCurve;
class XmlNode;

class GUIWindow {
 public:
  // Alignment bits: horizontal in the low nibble, vertical in the high one.
  enum Alignment : uint32_t {
    kAlignLeft = 1, kAlignCentre = 2, kAlignRight = 3,
    kAlignTop = 16, kAlignMiddle = 32, kAlignBottom = 48,
  };

  // Attached to `parent` (null: a top window) at once.
  GUIWindow(GUIWindow* parent, const std::string& name);
  // Leaves the parent, deletes every child, and is forgotten by the registries that named it.
  virtual ~GUIWindow();
  GUIWindow(const GUIWindow&) = delete;
  GUIWindow& operator=(const GUIWindow&) = delete;

  // ---- the overridable operations -----------------------------------------------------------------
  // The size children align against: the parent's size, or the own one without a parent.
  virtual Vector3 GetLayoutSize() const;
  // visible = v and shown; the model follows, then every child with the new value.
  virtual void SetVisible(bool v);
  // Children from the element's child elements through the widget factory, then the element's
  // own attributes as values.
  virtual void LoadChildren(const XmlNode& node);
  virtual const char* GetTypeName() const { return "window"; }
  // The per-frame update of the window and its visible children.
  virtual bool Update();
  // Offers a mouse event (GUI coordinates, left button state); true when taken.
  virtual bool HandleMouse(const Vector2& point, bool button_down);
  // Pushes the placement (world matrix scaled by the size) into the model, then the children.
  virtual bool ApplyTransform();
  virtual void SetEnabled(bool enabled) { m_enabled = enabled; }
  // The visual's colour and every child's.
  virtual void SetColor(const Vector4& color);
  // The model's box overlaps `box`; false without a model.
  virtual bool TestBounds(const cBoundingBox& box) const;

  // ---- the tree ----------------------------------------------------------------------------------------
  void SetParent(GUIWindow* parent);
  void AddChild(GUIWindow* child);
  void RemoveChild(GUIWindow* child);
  // The first direct child of exactly this name, or null.
  GUIWindow* FindChild(const std::string& name) const;
  // Makes `child` the active child of `window` and each window on the way up the active child
  // of its parent; a null child clears upward until an ancestor has none already.
  static void SetActiveChild(GUIWindow* window, GUIWindow* child);
  void Activate() { SetActiveChild(m_parent, this); }
  // True: first among its siblings (drawn beneath them, offered the mouse last); false: last.
  void MoveToFront(bool front);
  // Deletes every child now.
  void DeleteChildren();

  // ---- placement and visibility ---------------------------------------------------------------------
  // The own wish to be shown; visibility also needs the parent visible.
  void Show(bool shown);
  void SetSize(const Vector3& size);
  // Two letters: l/c/other(right), then t/c/other(bottom).
  void SetAlignment(const std::string& text);
  void SetMatrix(const Matrix4& local);
  // Puts the window at a world placement; the local matrix follows from the parent's.
  void SetWorldMatrix(const Matrix4& world);
  void UpdateWorldMatrix();

  // ---- values and events ----------------------------------------------------------------------------
  // The named value as text; an unknown name gets an empty entry and reads "".
  std::string GetValue(const std::string& name);
  // An unknown name gets a plain text value.
  void SetValue(const std::string& name, const std::string& text);
  // Replaces the delegate of an event the window has; other names are ignored.
  void SetEvent(const std::string& event, const DelegatePtr& delegate);
  bool HasEvent(const std::string& event) const { return m_events.count(event) != 0; }
  // "time,percent": one more key of the alpha curve.
  void AddAlphaKey(const std::string& text);

  // ---- fields read by the GUI and the game ----------------------------------------------------------
  const std::string& GetName() const { return m_name; }
  GUIWindow* GetParent() const { return m_parent; }
  GUIWindow* GetActiveChild() const { return m_active_child; }
  const std::vector<GUIWindow*>& GetChildren() const { return m_children; }
  const Matrix4& GetWorld() const { return m_world; }
  const Matrix4& GetLocal() const { return m_local; }
  const Vector3& GetSize() const { return m_size; }
  const Vector3& GetAlignOffset() const { return m_align_offset; }
  uint32_t GetAlignment() const { return m_alignment; }
  bool IsShown() const { return m_shown; }
  bool IsVisible() const { return m_visible; }
  bool IsEnabled() const { return m_enabled; }
  bool IsHover() const { return m_hover; }
  bool GetUpdateWhenHidden() const { return m_update_when_hidden; }
  void SetUpdateWhenHidden(bool on) { m_update_when_hidden = on; }
  bool ChildrenChanged() const { return m_children_changed; }
  GUIVisual& GetVisual() { return m_visual; }
  const GUIVisual& GetVisual() const { return m_visual; }
  GUILayer& GetLayer() { return m_layer; }
  PropertyMap& GetProperties() { return m_properties; }
  const FloatCurve* GetAlphaCurve() const { return m_alpha_curve.get(); }
  FloatCurve* GetAlphaCurve() { return m_alpha_curve.get(); }
  // Lets go of an object its maker is about to delete, here and in every window below.
  void ForgetRenderObject(RenderObject* object);

 protected:
  // Widgets create the events they fire; SetEvent then fills them.
  void CreateEvent(const std::string& event) { m_events[event]; }
  // Invokes the event's delegate with this window as the argument; false when none is set.
  bool FireEvent(const std::string& event);
  void MarkChildrenChanged() { m_children_changed = true; }
  void SetHover(bool hover) { m_hover = hover; }
  // The offset inside the parent that the alignment gives a window of this size (a text widget
  // aligns its text's extent, not its own size).
  void ComputeAlignOffset(const Vector3& size);

 private:
  void RegisterAttributes();
  void UpdateAlignOffset();
  std::string GetAlignmentText() const;

  Matrix4 m_world;
  Matrix4 m_local;
  Vector3 m_align_offset;
  GUIWindow* m_parent = nullptr;
  GUIWindow* m_active_child = nullptr;
  PropertyMap m_properties;
  GUILayer m_layer;
  GUIVisual m_visual;
  std::vector<GUIWindow*> m_children;  // owned
  std::string m_name;
  Vector3 m_size{1.0f, 1.0f, 1.0f};
  uint32_t m_alignment = 0;
  std::map<std::string, DelegatePtr> m_events;
  std::unique_ptr<FloatCurve> m_alpha_curve;
  float m_alpha = 0.0f;
  bool m_shown = true;
  bool m_visible = true;
  bool m_enabled = true;
  bool m_hover = false;
  bool m_update_when_hidden = false;
  bool m_children_changed = false;
};
