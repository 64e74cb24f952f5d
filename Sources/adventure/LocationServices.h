#pragma once
// What a location asks of the game around it: the game panel's inventory, hand, help window and
// commands, and the in-game state's progress save. The panel and the in-game state install the
// real ones (InstallLocationServices); until then, and in tests, a location talks to these
// defaults: no panel on screen, an empty hand and inventory, nothing flying, no save.

#include <cstdint>
#include <string>

#include "source/math/Vector.h"

class LocationServices {
 public:
  virtual ~LocationServices() = default;

  // ---- the game panel -------------------------------------------------------------------------
  // The diary, the big map or the small map is on screen (the location then rests).
  virtual bool IsAnyBookOpen() { return false; }
  // The mouse ray hits the panel's body: a click there is not a click on the scene.
  virtual bool IsMouseOverPanel() { return false; }
  // The item the player holds on the cursor (empty name: none) and the value it was taken with.
  virtual std::string GetItemInHand() { return std::string(); }
  virtual int32_t GetItemInHandValue() { return 0; }
  // Puts an item on the cursor; an empty name empties the hand.
  virtual void TakeItemInHand(const std::string& name, int32_t value) {}
  // An inventory entry of that name holds at least `minimum` (0: the entry alone is asked for).
  virtual bool HasInventoryItem(const std::string& name, uint32_t minimum) { return false; }
  // Starts an item flying from `start` to its slot; `start_at_slot` starts it at the slot itself.
  virtual void FlyToInventory(const std::string& name, const Vector3& start, uint32_t count, bool start_at_slot) {}
  virtual void DropInventoryItem(const std::string& name, uint32_t count) {}
  // A panel command word ("add_map", "play_...", a diary page...) from the object `source`.
  virtual void ExecuteCommand(const std::string& word, uint32_t count, const std::string& source,
                              const Vector3& start) {}
  // The small map, the diary or the help window is busy or on screen.
  virtual bool IsBusy() { return false; }
  virtual bool IsHelpShown() { return false; }
  // Shows the help pointer of a request ("text_part_object"), or hides it (show false).
  virtual void ShowHelp(bool show, const std::string& request) {}
  // Some item is still flying into the panel.
  virtual bool IsItemFlying() { return false; }

  // ---- the in-game state ----------------------------------------------------------------------
  // Stores the location's state, the flying items and the profile's file.
  virtual void SaveProgress() {}
};

// The installed services, or the defaults.
LocationServices& GetLocationServices();
// Installs `services` (not owned; null: the defaults again). Its owner removes it before it goes.
void InstallLocationServices(LocationServices* services);
