#include "source/render/RenderObject.h"

#include "source/render/ModelManager.h"
#include "source/render/RenderManager.h"

namespace {

ModelManager* DrawList() {
  RenderManager* manager = RenderManager::PeekInstance();
  return manager != nullptr ? manager->GetModelManager() : nullptr;
}

}  // namespace

RenderObject::~RenderObject() {
  if (ModelManager* list = DrawList()) list->RemoveObject(this);
}

void RenderObject::UpdateMembership() {
  if (IsVisible() && !m_hidden) {
    // While the render manager is being taken down its draw list is already gone.
    if (ModelManager* list = RenderManager::GetInstance()->GetModelManager()) list->AddObject(this);
  } else if (ModelManager* list = DrawList()) {
    list->RemoveObject(this);
  }
}

void RenderObject::SetHidden(bool hidden) {
  m_hidden = hidden;
  UpdateMembership();
}

void RenderObject::SetVisible(bool visible) {
  if (IsVisible() == visible) return;
  if (visible) {
    m_flags |= kRenderObjectVisible;
    MarkBoundsForRefresh();
  } else {
    m_flags &= ~kRenderObjectVisible;
  }
  UpdateMembership();
}
