#pragma once
// The parts of a player's saved progress: the panel's tools and inventory, the diary and map,
// the items still flying into the panel, and the saved state of each visited location.

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct ItemCount {
  std::string m_name;
  uint32_t m_count = 0;

  bool operator==(const ItemCount&) const = default;
};

// An item that was still flying into the panel when progress was stored.
struct FlyingItemRecord {
  std::string m_item;
  uint32_t m_count = 0;
  std::string m_target;
  uint32_t m_kind = 0;

  bool operator==(const FlyingItemRecord&) const = default;
};

// One object of a location: what the location applies back to it on restoring.
struct CharacterRecord {
  std::string m_name;
  uint8_t m_enabled = 0;
  uint8_t m_visible = 0;
  float m_alpha = 0.0f;
  uint32_t m_state = 0;

  bool operator==(const CharacterRecord&) const = default;
};

// The saved state of one location, with its sub-locations nested in the same form.
struct LocationRecord {
  std::string m_name;
  std::string m_key;                              // the location's folder
  std::map<std::string, std::string> m_values;    // mini-game results under their names, ...
  std::map<std::string, LocationRecord> m_sub_locations;
  std::vector<CharacterRecord> m_characters;
  uint8_t m_flag_1 = 0;                           // shown
  uint8_t m_flag_2 = 0;                           // modal
  uint32_t m_number = 0;                          // the script node the location stood at
  std::string m_text_1;                           // the sub-location to show again
  std::string m_sequence;                         // the phrase sequence a hint started last
  std::string m_game;                             // the mini-game started last
  std::string m_text_2;                           // the script's pending value

  bool operator==(const LocationRecord&) const = default;
};

struct ProfileProgress {
  // The most the game shows and keeps: hint charges in the panel, pieces of one item in an
  // inventory slot (its counter shows three digits), the diary's page states. A file read with
  // more (or less than 0) holds these instead.
  static constexpr int32_t kMostHints = 5;
  static constexpr uint32_t kMostOfAnItem = 999;
  static constexpr int32_t kMostPetitionState = 7;
  static constexpr int32_t kMostSchemeState = 2;

  uint8_t m_has_map = 0;
  uint8_t m_has_lens = 0;
  uint8_t m_has_lion_amulet = 0;
  uint8_t m_has_locket_half = 0;
  uint8_t m_has_locket = 0;
  std::array<uint8_t, 6> m_tips{};              // 1 while the tip is still to be shown
  std::vector<int32_t> m_diary_pictures;
  std::vector<int32_t> m_diary_piece_counts;
  std::vector<int32_t> m_diary_piece_totals;
  std::vector<int32_t> m_comics;
  std::vector<int32_t> m_map_points;
  std::vector<FlyingItemRecord> m_flying_items;
  std::vector<ItemCount> m_items;               // in order of first arrival
  std::vector<std::string> m_diary_names;
  int32_t m_spare_1 = 0;
  int32_t m_spare_2 = 0;
  int32_t m_hints = 0;
  std::string m_pending_message;
  int32_t m_petition_state = 0;
  int32_t m_scheme_state = 0;

  bool operator==(const ProfileProgress&) const = default;
};
