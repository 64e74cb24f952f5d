#include "Sources/minigames/MiniGameMouse.h"

#include "gui/include/GUISystem.h"
#include "gui/include/GUIWindow.h"
#include "source/input/cInput.h"
#include "source/render/RenderObject.h"

bool IsFreshLeftPress() {
  const cInput* input = cInput::PeekInstance();
  return input != nullptr && input->Mouse().IsPressed(cInput::kMouseLeft);
}

bool RayHitsPiece(const GUIWindow* piece) {
  const GUISystem* gui = GUISystem::PeekInstance();
  const RenderObject* model = piece != nullptr ? piece->GetVisual().GetModel() : nullptr;
  return gui != nullptr && model != nullptr && model->PickByRay(gui->GetRayOrigin(), gui->GetRayDirection());
}
