#pragma once
// The inventory of the game panel: nine slots along its bottom edge, the items flying into them,
// and the item in hand on the cursor. An item given to the player first flies to its slot (its
// name reserves the slot at launch) and only on landing is counted into the inventory and into
// the current profile. The game panel owns one and forwards its inventory operations to it.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Sources/adventure/FlyItem.h"
#include "source/Resources/cResourcePtr.h"
#include "source/math/Matrix4.h"
#include "source/math/Vector.h"
#include "source/particle/cParticleResource.h"
#include "source/scene/cSceneResource.h"

class GUIWindow;
class RenderObject;

// One distinct item the inventory holds.
struct InventoryEntry {
  std::string m_name;                  // the name of its model in the inventory scene
  RenderObject* m_model = nullptr;     // not owned: the scene's
  RenderObject* m_highlight = nullptr; // the scene's model m_name + "_a", may be null
  int32_t m_count = 0;
};

class PanelInventory {
 public:
  static constexpr int kSlots = 9;
  static constexpr int kHintIcons = 5;
  static constexpr const char* kScene = "inventory\\inventory";
  static constexpr const char* kFlyEffect = "particle systems\\fly_effect";
  static constexpr const char* kCursorWindow = "game_panel_cursor_window";

  // `form` is the panel's form window (its children "inventory", "inventory_<i>",
  // "inventory_count_<i>", "game_panel", "hint_<i>", "hint_stroke_<i>", "map" are looked up in
  // it); `panel` is the window that holds the flights and the cursor window. Either may be null
  // (missing windows are logged once and skipped). Every model of the inventory scene is put into
  // the "inventory" window's draw list and hidden.
  PanelInventory(GUIWindow* form, GUIWindow* panel);
  ~PanelInventory();
  PanelInventory(const PanelInventory&) = delete;
  PanelInventory& operator=(const PanelInventory&) = delete;

  // ---- the panel's inventory operations ------------------------------------------------------
  void FlyToInventory(const std::string& name, const Vector3& start, uint32_t count, bool start_at_slot);
  // The landing of an inventory flight (kind 0), and each item of a reload.
  void AddInventoryItem(const FlyingItemRecord& record);
  void DropInventoryItem(const std::string& name, uint32_t count);
  void RefreshInventory();
  // Puts every entry's model at its slot as the slot windows now stand (a reload made before the
  // panel was first shown found them all at the origin).
  void PlaceEntries();
  void LayoutInventory(bool show);
  // Rebuilds the inventory, the hand, the flights, the hint icons and the map button from the
  // current profile, then delivers the profile's flying items at once.
  void ReloadInventory();
  void TakeItemInHand(const std::string& name, int32_t value);
  // Shows or hides every entry's model with the panel.
  void ShowEntries(bool show);
  void SyncHintIcons();
  // A pointing flight over the entry of that name; false when the inventory has none.
  bool HintInventoryItem(const std::string& name);
  // The mouse ray hits the model of the form's child "game_panel".
  bool IsMouseOverPanel() const;
  // -1 as the minimum accepts any count.
  bool HasInventoryItem(const std::string& name, int32_t minimum) const;

  // ---- the flying list ------------------------------------------------------------------------
  // Gives the item the fly effect at its start point and appends it to the list.
  FlyItem* Launch(std::unique_ptr<FlyItem> item);
  // One frame of every flight; those that have ended are deleted, in order.
  void UpdateFlights();
  void UpdateFlights(float dt);
  bool HasFlyingItems() const { return !m_flying.empty(); }
  const std::vector<std::unique_ptr<FlyItem>>& GetFlyingItems() const { return m_flying; }
  // The records of the items still flying (what a save keeps in the profile).
  std::vector<FlyingItemRecord> GetFlyingRecords() const;
  // Deletes every flight without delivering it (a new game, a reload, the panel's end).
  void ClearFlights();
  // Registers the inventory's landing handler (kind 0).
  void RegisterArrival();

  // ---- what the panel and its tests read ------------------------------------------------------
  const std::vector<std::unique_ptr<InventoryEntry>>& GetEntries() const { return m_entries; }
  const std::vector<std::string>& GetSlotOrder() const { return m_slot_order; }
  const std::string& GetItemInHand() const { return m_hand_name; }
  int32_t GetItemInHandValue() const { return m_hand_value; }
  RenderObject* GetHandClone() const { return m_hand_clone.get(); }
  GUIWindow* GetCursorWindow() const { return m_cursor_window; }
  GUIWindow* GetForm() const { return m_form; }
  GUIWindow* GetPanel() const { return m_panel; }
  cSceneResource* GetScene() const { return m_scene.Get(); }
  const cParticleResource* GetFlyEffect() const { return m_fly_effect.Get(); }
  RenderObject* FindSceneModel(const std::string& name) const;
  GUIWindow* FindInventoryWindow(int index) const;
  GUIWindow* FindInventoryCountWindow(int index) const;
  // The position of the model of "inventory_<slot>" (the origin when it is missing).
  Vector3 SlotPosition(int slot) const;

 private:
  InventoryEntry* FindEntry(const std::string& name) const;
  void RemoveFromSlotOrder(const std::string& name);

  struct SceneModel {
    RenderObject* object;  // the scene's
    Matrix4 loaded;        // its placement as loaded
  };

  GUIWindow* m_form;   // not owned
  GUIWindow* m_panel;  // not owned
  GUIWindow* m_cursor_window = nullptr;  // a child of m_panel: the tree owns it
  cResourcePtr<cSceneResource> m_scene;
  std::map<std::string, SceneModel> m_models;  // by item name, without the scene's folder
  cResourcePtr<cParticleResource> m_fly_effect;
  std::vector<std::unique_ptr<InventoryEntry>> m_entries;  // position = slot
  std::vector<std::string> m_slot_order;                   // entries' names, then those in flight
  std::vector<std::unique_ptr<FlyItem>> m_flying;
  std::string m_hand_name;
  int32_t m_hand_value = 0;
  std::unique_ptr<RenderObject> m_hand_clone;
  bool m_registered = false;
};
