#pragma once
// Shared pieces of the player-file tests: a byte builder for hand-made files, a user folder of
// the test's own, and a rich profile that fills every field.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>

#include "Sources/shell/userdata/PlayerProfile.h"
#include "source/core/Singleton.h"
#include "tests/support/TempDir.h"

// Little-endian fields appended in file order.
class Bytes {
 public:
  Bytes& Raw(const std::string& bytes) { m_bytes += bytes; return *this; }
  Bytes& U8(uint8_t v) { m_bytes += static_cast<char>(v); return *this; }
  Bytes& U32(uint32_t v) {
    for (int i = 0; i < 4; ++i) m_bytes += static_cast<char>(v >> (8 * i));
    return *this;
  }
  Bytes& Text(const std::string& s) { return U32(static_cast<uint32_t>(s.size())).Raw(s); }
  Bytes& Wide(const std::u16string& s) {
    U32(static_cast<uint32_t>(s.size()));
    for (char16_t u : s) U8(static_cast<uint8_t>(u)).U8(static_cast<uint8_t>(u >> 8));
    return *this;
  }
  Bytes& Zeros(int n) { m_bytes.append(static_cast<std::size_t>(n), '\0'); return *this; }
  // A progress block with every list empty and every number 0 but the hints.
  Bytes& EmptyProgress(uint32_t hints = 0, uint8_t tip = 0) {
    Zeros(2).U32(0).U32(0).U32(0).U32(0).U32(0).U32(0).U32(0).U32(hints).Zeros(3).U32(0);
    for (int i = 0; i < 6; ++i) U8(tip);
    return U32(0).U32(0).U32(0).U32(0).U32(0);
  }
  const std::string& Get() const { return m_bytes; }

 private:
  std::string m_bytes;
};

// A user folder of its own; the singletons are swept before and after each test.
class UserFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DestroySingletons();
    CurrentProfile = nullptr;
  }
  void TearDown() override { DestroySingletons(); }

  std::string Path(const std::string& relative) const { return folder / relative; }
  std::string Read(const std::string& relative) const { return folder.ReadFile(relative); }
  void Write(const std::string& relative, const std::string& bytes) const { folder.WriteFile(relative, bytes); }
  bool Exists(const std::string& relative) const { return std::filesystem::exists(Path(relative)); }

  TempDir folder{"velmaris-user"};
};

// Every field filled, with nested sub-locations and empty texts.
inline void FillProfile(PlayerProfile& profile) {
  ProfileProgress& p = profile.m_progress;
  p.m_has_map = 1;
  p.m_has_locket = 1;
  p.m_tips = {1, 0, 1, 0, 1, 1};
  p.m_diary_pictures = {3, -1};
  p.m_diary_piece_counts = {0, 7, 2};
  p.m_diary_piece_totals = {9};
  p.m_comics = {4, 1};
  p.m_map_points = {-2147483647 - 1, 2147483647};
  p.m_flying_items = {{"key", 2, "door", 5}, {"", 0, "", 0}};
  p.m_items = {{"lamp", 1}, {"", 4000000000u}};
  p.m_diary_names = {"find the key", ""};
  p.m_spare_1 = 11;
  p.m_spare_2 = -12;
  p.m_hints = 5;
  p.m_pending_message = "MSG_MAP";
  p.m_petition_state = 7;
  p.m_scheme_state = 2;
  profile.m_start_progress.m_hints = 2;
  profile.m_start_progress.m_tips.fill(1);
  LocationRecord hall;
  hall.m_name = "hall";
  hall.m_key = "stage1";
  hall.m_values = {{"safe", "win"}, {"", ""}};
  hall.m_characters = {{"cat", 1, 0, 0.25f, 3}, {"", 0, 1, -0.0f, 0}};
  hall.m_flag_1 = 1;
  hall.m_number = 42;
  hall.m_text_1 = "closeup";
  hall.m_sequence = "seq";
  hall.m_game = "safe";
  LocationRecord closeup;
  closeup.m_name = "closeup";
  closeup.m_flag_2 = 1;
  closeup.m_sub_locations["drawer"].m_name = "drawer";
  hall.m_sub_locations["closeup"] = closeup;
  profile.m_locations = {hall, LocationRecord{}};
  profile.m_stage = "hall";
}

inline void ExpectSameProgress(const PlayerProfile& a, const PlayerProfile& b) {
  EXPECT_TRUE(a.m_progress == b.m_progress);
  EXPECT_TRUE(a.m_start_progress == b.m_start_progress);
  EXPECT_TRUE(a.m_locations == b.m_locations);
  EXPECT_EQ(a.m_stage, b.m_stage);
}
