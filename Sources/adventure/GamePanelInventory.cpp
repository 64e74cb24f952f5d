// The game panel's inventory operations: the panel's inventory does the work.

#include "Sources/adventure/DiaryWindow.h"
#include "Sources/adventure/GamePanel.h"
#include "Sources/shell/userdata/PlayerProfile.h"
#include "gui/include/GUIWindow.h"

void GamePanel::FlyToInventory(const std::string& name, const Vector3& start, uint32_t count, bool start_at_slot) {
  m_inventory->FlyToInventory(name, start, count, start_at_slot);
}

void GamePanel::AddInventoryItem(const FlyingItemRecord& record) { m_inventory->AddInventoryItem(record); }

void GamePanel::DropInventoryItem(const std::string& name, uint32_t count) { m_inventory->DropInventoryItem(name, count); }

void GamePanel::RefreshInventory() { m_inventory->RefreshInventory(); }

void GamePanel::LayoutInventory(bool show) { m_inventory->LayoutInventory(show); }

void GamePanel::ReloadInventory() {
  SetButtonMode(std::string(), false, DelegatePtr(), 0);
  HideMaps();
  m_pointer_mode = false;
  m_pending_reveals.clear();
  if (m_diary != nullptr) m_diary->Reload();  // before the cards still in the air arrive
  m_inventory->ReloadInventory();
  for (GUIWindow* fading : {Child("hint_arrow_0"), Child("hint_arrow_1")}) {
    if (fading != nullptr) fading->SetColor(Vector4(1.0f, 1.0f, 1.0f, 0.0f));
  }
}

void GamePanel::TakeItemInHand(const std::string& name, int32_t value) { m_inventory->TakeItemInHand(name, value); }

void GamePanel::SyncHintIcons() { m_inventory->SyncHintIcons(); }

bool GamePanel::IsMouseOverPanel() const { return m_inventory->IsMouseOverPanel(); }

bool GamePanel::HasInventoryItem(const std::string& name, int32_t minimum) const {
  return m_inventory->HasInventoryItem(name, minimum);
}

GUIWindow* GamePanel::FindInventoryWindow(int index) const { return m_inventory->FindInventoryWindow(index); }

GUIWindow* GamePanel::FindInventoryCountWindow(int index) const { return m_inventory->FindInventoryCountWindow(index); }

void GamePanel::StoreFlyingItems() {
  if (CurrentProfile == nullptr) return;
  std::vector<FlyingItemRecord> records = m_inventory->GetFlyingRecords();
  for (const std::string& name : m_pending_reveals) records.push_back(FlyingItemRecord{name, 1, name, kLandLocationItem});
  CurrentProfile->m_progress.m_flying_items = std::move(records);
}
