#pragma once
// Shared pieces of the player-file tests: a byte builder for hand-made files, a user folder of
// the test's own, and a profile that fills every field.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "Sources/shell/userdata/PlayerProfile.h"
#include "source/core/Singleton.h"
#include "tests/support/Found.h"
#include "tests/support/TempDir.h"

// Little-endian fields appended in file order.
class Bytes {
 public:
  Bytes& Raw(const std::string& bytes) { return m_bytes += bytes, *this; }
  Bytes& U8(uint8_t v) { return m_bytes += static_cast<char>(v), *this; }
  Bytes& Zeros(int n) { return m_bytes.append(static_cast<std::size_t>(n), '\0'), *this; }
  Bytes& U32(uint32_t v) { return U8(v).U8(v >> 8).U8(v >> 16).U8(v >> 24); }
  Bytes& Text(const std::string& s) { return U32(static_cast<uint32_t>(s.size())).Raw(s); }
  Bytes& Wide(const std::u16string& s) {
    U32(static_cast<uint32_t>(s.size()));
    for (char16_t u : s) U8(static_cast<uint8_t>(u)).U8(static_cast<uint8_t>(u >> 8));
    return *this;
  }
  // A progress block with every list empty and every number and flag 0.
  Bytes& EmptyProgress() { return Zeros(2).U32(0).U32(0).U32(0).U32(0).U32(0).Zeros(12 + 3 + 4 + 6 + 4 + 4 + 8 + 4); }
  const std::string& Get() const { return m_bytes; }

 private:
  std::string m_bytes;
};

// A user folder of its own; the singletons are swept before and after each test.
class UserFolderTest : public ::testing::Test {
 protected:
  void SetUp() override { DestroySingletons(); }
  void TearDown() override { DestroySingletons(); }

  std::string Path(const std::string& relative) const { return folder / relative; }
  std::string Read(const std::string& relative) const { return folder.ReadFile(relative); }
  void Write(const std::string& relative, const std::string& bytes) const { folder.WriteFile(relative, bytes); }
  bool Exists(const std::string& relative) const { return std::filesystem::exists(Path(relative)); }
  std::unique_ptr<PlayerProfile> Named(const std::u16string& name) const {
    auto profile = std::make_unique<PlayerProfile>();
    profile->m_name = name;
    profile->m_directory = folder.Path();
    return profile;
  }

  TempDir folder{"velmaris-user"};
};

inline LocationRecord Record(std::string name, std::map<std::string, std::string> values = {}) {
  LocationRecord record;
  record.m_name = std::move(name);
  record.m_values = std::move(values);
  return record;
}

// Every field filled, with nested sub-locations, extreme numbers and empty texts.
inline void FillProfile(PlayerProfile& profile) {
  ProfileProgress& p = profile.m_progress;
  p.m_has_map = p.m_has_locket = 1;
  p.m_tips = {1, 0, 1, 0, 1, 1};
  p.m_diary_pictures = {3, -1};
  p.m_diary_piece_counts = {0, 7, 2};
  p.m_diary_piece_totals = {9};
  p.m_comics = {4, 1};
  p.m_map_points = {INT32_MIN, INT32_MAX};
  p.m_flying_items = {{"key", 2, "door", 5}, {}};
  p.m_items = {{"lamp", 1}, {"", ProfileProgress::kMostOfAnItem}};
  p.m_diary_names = {"find the key", ""};
  p.m_spare_1 = 11, p.m_spare_2 = -12, p.m_hints = 5, p.m_petition_state = 7, p.m_scheme_state = 2;
  p.m_pending_message = "MSG_MAP";
  profile.m_start_progress.m_hints = 2;
  LocationRecord hall = Record("hall", {{"safe", "win"}, {"", ""}});
  hall.m_key = "stage1";
  hall.m_characters = {{"cat", 1, 0, 0.25f, 3}, {}};
  hall.m_flag_1 = 1, hall.m_number = 42, hall.m_text_1 = "closeup", hall.m_sequence = "seq", hall.m_game = "safe";
  hall.m_sub_locations["closeup"].m_sub_locations["drawer"].m_name = "drawer";
  profile.m_locations = {hall, LocationRecord{}};
  profile.m_stage = "hall";
}

inline void ExpectSameProgress(const PlayerProfile& a, const PlayerProfile& b) {
  EXPECT_TRUE(a.m_progress == b.m_progress && a.m_start_progress == b.m_start_progress);
  EXPECT_TRUE(a.m_locations == b.m_locations);
  EXPECT_EQ(a.m_stage, b.m_stage);
}
