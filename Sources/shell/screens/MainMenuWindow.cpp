#include "Sources/shell/screens/MainMenuWindow.h"

#include "Sources/adventure/ComicsWindow.h"
#include "Sources/shell/screens/UnbuiltScreens.h"
#include "gui/include/GUICursor.h"
#include "gui/include/GUISystem.h"
#include "gui/include/GUIWindowManager.h"
#include "source/input/cInput.h"
#include "source/math/Rand.h"
#include "source/render/RenderObject.h"
#include "source/timer/cTimerManager.h"

MainMenuWindow::MainMenuWindow(cGameState* owning_state) : MainMenu(owning_state) {
  m_eyes = FindChild("eyes");
  for (const char* name : {"start_game", "options", "exit"}) {
    if (GUIWindow* target = FindChild(name)) m_targets.push_back(target);
  }
}

MainMenuWindow::~MainMenuWindow() = default;  // the credits page is a child: the tree deletes it

void MainMenuWindow::UpdateEyes(float dt) {
  m_blink_timer -= dt;
  if (m_blink_timer >= 0.0f || m_eyes == nullptr) return;
  m_eyes->Show(!m_eyes->IsShown());
  m_blink_timer = m_eyes->IsShown() ? 0.3f : static_cast<float>(5 + Rand() % 5);
}

int MainMenuWindow::FindHoveredTarget() const {
  GUISystem* gui = GUISystem::PeekInstance();
  if (gui == nullptr || gui->GetCursor() == nullptr) return 0;
  const Vector2 mouse = gui->GetCursor()->GetMousePosition();
  for (std::size_t i = 0; i < m_targets.size(); ++i) {
    const RenderObject* model = m_targets[i]->GetVisual().GetModel();
    if (model == nullptr) continue;
    const cBoundingBox& box = model->GetBoundingBox();
    if (box.m_world_min.x <= mouse.x && mouse.x <= box.m_world_max.x && box.m_world_min.y <= mouse.y &&
        mouse.y <= box.m_world_max.y) {
      return static_cast<int>(i) + 1;
    }
  }
  return 0;
}

void MainMenuWindow::ResetLaps() { m_laps = m_step = m_last_hovered = 0; }

void MainMenuWindow::HoverTarget(int hovered) {
  if (hovered == 0 || hovered == m_last_hovered) return;
  m_last_hovered = hovered;
  const int n = static_cast<int>(m_targets.size());
  if ((hovered == 1 && (m_step == n || m_step == 0)) || hovered == m_step + 1) {
    m_step = hovered;
    if (hovered == n) ++m_laps;
  } else {
    ResetLaps();
  }
}

bool MainMenuWindow::Update() {
  const cTimerManager* timers = cTimerManager::PeekInstance();
  UpdateEyes(timers != nullptr ? timers->GetFrameDelta() : 0.0f);
  const cInput* input = cInput::PeekInstance();
  if (input != nullptr && input->Modifiers().current != nullptr &&
      input->Modifiers().current[cInput::kModifierAnyKey] != input->Modifiers().previous[cInput::kModifierAnyKey]) {
    ResetLaps();
  }
  // Only while the menu itself holds the mouse (no sub-screen or box above it).
  const bool in_front = GetParent() != nullptr && GetParent()->GetActiveChild() == this;
  if (m_credits == nullptr && in_front) HoverTarget(FindHoveredTarget());
  if (m_laps >= kLapsForCredits) {
    ResetLaps();
    m_credits = new ComicsWindow(this, "gui\\credits\\credits", true, false);
    if (m_credits->GetForm() != nullptr) {
      m_credits->Show();
    } else {
      // A page without its form would be an empty one holding the mouse.
      ReportUnbuiltScreen("credits", false);
      GUIWindowManager::GetInstance()->DeleteWindow(m_credits);
      m_credits = nullptr;
    }
  }
  if (m_credits != nullptr && !m_credits->IsVisible()) {
    // Deleted after the frame's dispatch and update; every window that remembered it forgets it.
    GUIWindowManager::GetInstance()->DeleteWindow(m_credits);
    m_credits = nullptr;
  }
  return MainMenu::Update();
}
