#include "Sources/adventure/GamePanel.h"

#include "app/sources/cApplication.h"
#include "gui/include/GUIWindowManager.h"

GamePanel::GamePanel() {
  GUIWindowManager* windows = GUIWindowManager::PeekInstance();
  m_inventory = std::make_unique<PanelInventory>(nullptr, windows != nullptr ? windows->GetWindow("game_panel") : nullptr);
  m_inventory->RegisterArrival();
  const DelegatePtr handler = MakeMemberDelegate(this, &GamePanel::OnDeactivate);
  GlobalDelegateMap()[kDelegateKey] = handler;
  cApplication::GetInstance()->SetDeactivateHandler(handler);
}

GamePanel::~GamePanel() {
  m_inventory.reset();
  // Nobody may call a destroyed panel: both places that hold its delegate let it go.
  auto found = GlobalDelegateMap().find(kDelegateKey);
  if (found != GlobalDelegateMap().end() && found->second && found->second->GetObject() == this) {
    GlobalDelegateMap().erase(found);
  }
  if (cApplication* application = cApplication::PeekInstance()) {
    if (application->GetDeactivateHandler() && application->GetDeactivateHandler()->GetObject() == this) {
      application->SetDeactivateHandler(DelegatePtr());
    }
  }
}

DelegateArg GamePanel::OnDeactivate(DelegateArg argument) { return 0; }
