#pragma once
// The in-game panel (inventory, hints, flying items). In this build it holds only what the engine
// relies on: its own delegate under key 0 of the global delegate map and the application's
// deactivate handler, both installed when it is made, and its inventory.

#include <cstdint>
#include <memory>
#include <string>

#include "Sources/adventure/Inventory.h"
#include "source/core/Delegate.h"
#include "source/core/Singleton.h"

class GamePanel : public Singleton<GamePanel> {
 public:
  GamePanel();
  ~GamePanel() override;

  // The application lost the focus (argument 0). The in-game menu it opens comes with the panel.
  DelegateArg OnDeactivate(DelegateArg argument);

  static constexpr int kDelegateKey = 0;

  // ---- the inventory (PanelInventory does the work; GamePanelInventory.cpp) -----------------
  PanelInventory& GetInventory() { return *m_inventory; }
  void FlyToInventory(const std::string& name, const Vector3& start, uint32_t count, bool start_at_slot);
  void AddInventoryItem(const FlyingItemRecord& record);
  void DropInventoryItem(const std::string& name, uint32_t count);
  void RefreshInventory();
  void LayoutInventory(bool show);
  void ReloadInventory();
  void TakeItemInHand(const std::string& name, int32_t value);
  void SyncHintIcons();
  bool IsMouseOverPanel() const;
  bool HasInventoryItem(const std::string& name, int32_t minimum) const;
  GUIWindow* FindInventoryWindow(int index) const;
  GUIWindow* FindInventoryCountWindow(int index) const;
  // Copies the records of the items still flying into the current profile (a save).
  void StoreFlyingItems();

 private:
  std::unique_ptr<PanelInventory> m_inventory;
};
