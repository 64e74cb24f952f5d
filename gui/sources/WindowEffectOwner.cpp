#include "gui/include/WindowEffectOwner.h"

#include "gui/include/GUIWindow.h"
#include "source/render/RenderObject.h"

void WindowEffectOwner::InsertIntoDrawList(RenderObject* object) {
  if (m_window == nullptr || object == nullptr) return;
  GUIVisual& visual = m_window->GetVisual();
  visual.InsertIntoDrawList(visual.GetObjects().end(), object);
}

void WindowEffectOwner::RemoveFromDrawLists(RenderObject* object) {
  if (m_window != nullptr && object != nullptr) m_window->GetVisual().RemoveFromDrawLists(object);
}

Vector3 WindowEffectOwner::GetWorldPosition() const {
  if (m_window == nullptr) return Vector3();
  const Matrix4& world = m_window->GetWorld();
  return Vector3(world[12], world[13], world[14]);
}
