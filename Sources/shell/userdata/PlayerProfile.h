#pragma once
// One player's saved progress: the panel's tools, inventory and hints, the diary and map, the
// saved state of each visited location, the stage in play and the items still flying into the
// panel. Exactly one profile at a time is current (CurrentProfile); the profile list owns them.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Sources/shell/userdata/ProfileRecords.h"
#include "Sources/shell/userdata/cProfile.h"

class PlayerProfile : public cProfile {
 public:
  PlayerProfile();

  // Takes the place of Activate.
  void Activate() override { MakeCurrent(); }
  bool Write(cStream& stream) override;
  bool Read(cStream& stream) override;

  // Loads the file (or writes it when it cannot be loaded), sets the cheat mode and the window
  // caption, and becomes CurrentProfile.
  void MakeCurrent();
  // Starts a new game: progress back to its first state, no locations, no stage.
  void Reset();
  // For a file that was read but cannot be played: its backup takes its place when it reads
  // whole and `playable` accepts its stage. False, the profile unchanged, otherwise.
  bool ReadBackupInstead(const std::function<bool(const std::string& stage)>& playable);

  // The record of the stage in play; null when there is none (or no stage).
  LocationRecord* FindCurrentLocationRecord();
  // The value under `key` in the current location record, or `fallback`.
  std::string GetLocationValue(const std::string& key, const std::string& fallback);
  // Stores the value in the current location record; nothing without one.
  void SetLocationValue(const std::string& key, const std::string& value);
  // Adds `n` of an item (a new record at the end for a new item).
  void AddItemCount(const std::string& name, uint32_t n);
  // Takes `n` of an item; the record goes when none is left. A missing item changes nothing.
  void RemoveItemCount(const std::string& name, uint32_t n);

  // The name that turns cheat mode on.
  static constexpr const char16_t* kCheatCode = u"47029315";
  static constexpr const char* kCheatCaption = "Cheat mode enabled";
  static constexpr int32_t kStartHints = 2;

  ProfileProgress m_progress;
  ProfileProgress m_start_progress;  // the progress at the last Reset; saved, never read by the game
  uint8_t m_cheat_mode = 0;
  std::vector<LocationRecord> m_locations;  // in the order of their first saving
  std::string m_stage;
};

// The profile in use; null until one is made current and after the last one is deleted.
extern PlayerProfile* CurrentProfile;
