// The seeding tool's options: what each gives the seeded player, and the calls it refuses whole.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "Sources/shell/userdata/PlayerProfile.h"
#include "tools/profileseed/SeedOptions.h"

namespace {

struct SeedCase {
  std::vector<std::string> options;
  void (*expect)(const ProfileProgress& progress);
};

std::vector<std::string> ItemNames(const ProfileProgress& progress) {
  std::vector<std::string> names;
  for (const ItemCount& item : progress.m_items) names.push_back(item.m_name + "x" + std::to_string(item.m_count));
  return names;
}

const SeedCase kCases[] = {
    {{"map", "lens", "hints=4"},
     [](const ProfileProgress& p) {
       EXPECT_EQ(p.m_has_map, 1);
       EXPECT_EQ(p.m_has_lens, 1);
       EXPECT_EQ(p.m_hints, 4);
     }},
    {{"items=chart,key,chart", "items=pearl"},
     [](const ProfileProgress& p) { EXPECT_EQ(ItemNames(p), (std::vector<std::string>{"chartx1", "keyx1", "pearlx1"})); }},
    {{"diary"},
     [](const ProfileProgress& p) {
       EXPECT_EQ(p.m_petition_state, 1);
       EXPECT_EQ(p.m_scheme_state, 1);
       ASSERT_FALSE(p.m_diary_piece_totals.empty());
       EXPECT_LT(p.m_diary_piece_counts.at(0), p.m_diary_piece_totals[0]);  // a picture in progress
     }},
    {{"pictures=1,4,1"},
     [](const ProfileProgress& p) { EXPECT_EQ(p.m_diary_pictures, (std::vector<int32_t>{1, 4})); }},
    {{"pieces=1:1/3"},
     [](const ProfileProgress& p) {
       ASSERT_GT(p.m_diary_piece_totals.size(), 1u);
       EXPECT_EQ(p.m_diary_piece_counts.at(1), 1);
       EXPECT_EQ(p.m_diary_piece_totals[1], 3);
       EXPECT_TRUE(p.m_diary_pictures.empty()) << "a picture begun is not whole";
     }},
    {{"pieces=3:2/5", "diary"},
     [](const ProfileProgress& p) {
       ASSERT_GT(p.m_diary_piece_totals.size(), 3u);
       EXPECT_EQ(p.m_diary_piece_counts.at(3), 2) << "the diary's own picture leaves the others begun";
       EXPECT_EQ(p.m_diary_piece_totals[3], 5);
       EXPECT_EQ(p.m_diary_piece_counts.at(0), 1);
     }},
};

// A wrong option anywhere leaves the player as it was, the good ones before it included.
const std::vector<std::string> kRefused[] = {
    {"map", "items="},  {"lens", "items=a,,b"}, {"map", "hints=-1"},   {"hints=3x"},      {"pictures=1,"},
    {"pictures=99"},    {"pieces=1:3/3"},       {"pieces=1:0/3"},      {"pieces=99:1/3"}, {"pieces=1:1/"},
    {"pieces=1:1/3x"},  {"tips-shown=6"},       {"tips-shown=4,"},     {"maps"},
};

TEST(SeedOptionsTest, GivesWhatEachOptionNamesOrNothing) {
  for (const SeedCase& c : kCases) {
    SCOPED_TRACE(testing::PrintToString(c.options));
    PlayerProfile player;
    EXPECT_TRUE(ApplySeedOptions(player, c.options));
    c.expect(player.m_progress);
  }
  for (const std::vector<std::string>& options : kRefused) {
    SCOPED_TRACE(testing::PrintToString(options));
    PlayerProfile player;
    EXPECT_FALSE(ApplySeedOptions(player, options));
    EXPECT_EQ(player.m_progress, ProfileProgress{});
  }
}

// A new game's tips are all still to be shown; those named are not shown again, the others stay.
TEST(SeedOptionsTest, TipsShownAreNotShownAgain) {
  PlayerProfile player;
  player.Reset();
  ASSERT_TRUE(ApplySeedOptions(player, {"tips-shown=4,5", "tips-shown=1"}));
  EXPECT_EQ(player.m_progress.m_tips, (std::array<uint8_t, 6>{1, 0, 1, 1, 0, 0}));
}

}  // namespace
