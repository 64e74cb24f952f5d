#include "Sources/minigames/MiniGame.h"

#include "Sources/adventure/HintWindow.h"
#include "Sources/shell/userdata/PlayerProfile.h"
#include "gui/include/GUICursor.h"
#include "gui/include/GUISystem.h"
#include "source/input/cInput.h"
#include "source/render/RenderObject.h"

namespace {

bool IsPhraseShown() {
  const HintWindow* hints = HintWindow::PeekInstance();
  return hints != nullptr && hints->GetSequence() != nullptr;
}

bool FreshLeftPress() {
  const cInput* input = cInput::PeekInstance();
  return input != nullptr && input->Mouse().IsPressed(cInput::kMouseLeft);
}

}  // namespace

MiniGame::MiniGame(const std::string& name, GUIWindow* parent) : GUIStateWindow(name, parent) {
  if (CurrentProfile != nullptr) m_result = CurrentProfile->GetLocationValue(name, "");
  SetState(kHidden);
}

MiniGame::~MiniGame() = default;

void MiniGame::Start() {
  GUISystem* gui = GUISystem::GetInstance();
  if (GUICursor* cursor = gui->GetCursor()) cursor->SetCursor("cursor");
  gui->SetSkipMouse(true);
  m_result = "wait";
  Activate();
  Show();
  m_mouse_hold_off = kMouseHoldOff;
}

void MiniGame::Finish(const std::string& word) {
  m_result = word;
  // The mouse is let go only by the window that holds it.
  if (GetActiveChild() != nullptr) SetActiveChild(this, nullptr);
  if (GetParent() != nullptr && GetParent()->GetActiveChild() == this) SetActiveChild(GetParent(), nullptr);
  Hide();
  if (CurrentProfile != nullptr) CurrentProfile->SetLocationValue(GetName(), word);
}

void MiniGame::UpdatePause() {
  if (GetState() == kPaused && !IsPhraseShown()) {
    SetState(kWorking);
  } else if (GetState() == kWorking && IsPhraseShown()) {
    SetState(kPaused);
  }
}

bool MiniGame::HandleMouse(const Vector2& point, bool button_down) {
  if (m_mouse_hold_off != 0) {
    --m_mouse_hold_off;
    return false;
  }
  if (!IsVisible() || GetState() == kHidden) return false;
  const bool answer = GetState() == kWorking ? GUIWindow::HandleMouse(point, button_down) : true;
  if (FreshLeftPress()) {
    const GUISystem* gui = GUISystem::GetInstance();
    bool hit = false;
    for (GUIWindow* child : GetChildren()) {
      const RenderObject* model = child->GetVisual().GetModel();
      if (model != nullptr && model->PickByRay(gui->GetRayOrigin(), gui->GetRayDirection())) {
        hit = true;
        break;
      }
    }
    if (!hit) Finish("close");
  }
  return answer;
}
