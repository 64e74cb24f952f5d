#pragma once
// Lets a particle effect be drawn with a GUI window: the effect's render object joins the window's
// draw list and layer, and the effect reads the window's position.

#include "source/particle/ParticleEffectOwner.h"

class GUIWindow;

class WindowEffectOwner : public ParticleEffectOwner {
 public:
  explicit WindowEffectOwner(GUIWindow* window) : m_window(window) {}

  void InsertIntoDrawList(RenderObject* object) override;
  void RemoveFromDrawLists(RenderObject* object) override;
  Vector3 GetWorldPosition() const override;
  GUIWindow* GetWindow() const { return m_window; }

 private:
  GUIWindow* m_window;  // not owned: outlives the effects it holds
};
