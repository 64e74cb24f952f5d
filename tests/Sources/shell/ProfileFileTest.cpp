// The player's ".prf" file: its name, its bytes, round trips, and damaged files refused whole.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>

#include "Sources/shell/userdata/PlayerProfile.h"
#include "platform/window/headless/HeadlessWindow.h"
#include "source/properties/cProperties.h"
#include "source/stream/cMemoryStream.h"
#include "tests/Sources/shell/UserFilesSupport.h"

namespace {

class ProfileFileTest : public UserFolderTest {
 protected:
  std::unique_ptr<PlayerProfile> Named(const std::u16string& name) {
    auto profile = std::make_unique<PlayerProfile>();
    profile->m_name = name;
    profile->m_directory = folder.Path();
    return profile;
  }
  std::string FileOf(const std::u16string& name) {
    return "usersdata/profiles/" + cProfile::FileNameFor(name) + ".prf";
  }
};

TEST(ProfileFileName, EachUnitGivesItsDecimalDigits) {
  const struct {
    std::u16string name;
    std::string file;
  } cases[] = {{u"Ann", "65110110"}, {u"\u0416", "1046"}, {u"", ""}, {u"\uffff\u0001", "655351"}};
  for (const auto& c : cases) EXPECT_EQ(cProfile::FileNameFor(c.name), c.file);
}

TEST_F(ProfileFileTest, NewProfileMadeCurrentWritesItsEmptyFile) {
  auto profile_file = Named(u"Ann");
  PlayerProfile& profile = *profile_file;
  profile.MakeCurrent();
  const std::string expected =
      Bytes().Raw("FLPRF").U32(102).EmptyProgress().EmptyProgress().U32(0).Text("").Get();
  EXPECT_EQ(expected.size(), 151u);
  EXPECT_EQ(Read("usersdata/profiles/65110110.prf"), expected);
  EXPECT_EQ(CurrentProfile, &profile);
}

TEST_F(ProfileFileTest, FieldsAreWrittenInFileOrder) {
  auto profile_file = Named(u"A");
  PlayerProfile& profile = *profile_file;
  profile.m_progress.m_has_lens = 1;
  profile.m_progress.m_items = {{"key", 2}};
  profile.m_progress.m_flying_items = {{"coin", 3, "slot", 4}};
  profile.m_progress.m_hints = 2;
  LocationRecord& hall = profile.m_locations.emplace_back();
  hall.m_name = "hall";
  hall.m_values["safe"] = "win";
  hall.m_sub_locations["box"].m_flag_1 = 1;
  hall.m_characters = {{"cat", 1, 0, 1.0f, 9}};
  hall.m_number = 6;
  profile.m_stage = "hall";
  ASSERT_TRUE(profile.Save());

  Bytes progress;
  progress.U8(0).U8(1).U32(0).U32(0).U32(0).U32(1).Text("key").U32(2).U32(0).U32(0).U32(0).U32(2).Zeros(3);
  progress.U32(0).Zeros(6).U32(1).U32(4).Text("coin").Text("slot").U32(3).Text("").U32(0).U32(0).U32(0);
  Bytes box;  // the nested record: every text empty, shown flag set
  box.Text("").Text("").U32(0).U32(0).U32(0).U32(0).Text("").Text("").Text("").Text("").U8(1).U8(0);
  Bytes expected;
  expected.Raw("FLPRF").U32(102).Raw(progress.Get()).EmptyProgress().U32(1);
  expected.Text("hall").Text("").U32(1).Text("safe").Text("win").U32(1).Text("box").Raw(box.Get());
  expected.U32(1).Text("cat").U8(1).U8(0).U32(0x3F800000).U32(9).U32(6).Zeros(16).U8(0).U8(0).Text("hall");
  EXPECT_EQ(Read(FileOf(u"A")), expected.Get());
}

TEST_F(ProfileFileTest, EveryFieldRoundTrips) {
  auto saved_file = Named(u"Ann");
  PlayerProfile& saved = *saved_file;
  FillProfile(saved);
  ASSERT_TRUE(saved.Save());
  auto loaded_file = Named(u"Ann");
  PlayerProfile& loaded = *loaded_file;
  ASSERT_TRUE(loaded.Load());
  ExpectSameProgress(saved, loaded);
  EXPECT_TRUE(loaded.m_locations[0].m_sub_locations.at("closeup").m_sub_locations.count("drawer"));
}

TEST_F(ProfileFileTest, BodyCutAtAnyByteIsRefusedAndLeavesTheProfileAsItWas) {
  auto full_file = Named(u"Ann");
  PlayerProfile& full = *full_file;
  FillProfile(full);
  cMemoryStream body;
  ASSERT_TRUE(full.Write(body));
  const std::string bytes(reinterpret_cast<const char*>(body.GetData()), body.GetSize());
  for (std::size_t size = 0; size < bytes.size(); ++size) {
    PlayerProfile profile;
    profile.m_progress.m_hints = 77;
    cMemoryStream cut;
    cut.Write(bytes.data(), static_cast<uint32_t>(size));
    cut.Seek(0, 0);
    ASSERT_FALSE(profile.Read(cut)) << size;
    ASSERT_EQ(profile.m_progress.m_hints, 77);
    ASSERT_TRUE(profile.m_locations.empty());
  }
}

TEST_F(ProfileFileTest, CountsAndLengthsPastTheEndAreRefusedBeforeAnyAllocation) {
  const uint32_t kHuge = 0xFFFFFFFFu;
  Bytes deep;  // sub-locations nested far deeper than any game makes them
  for (int i = 0; i < 40; ++i) deep.Text("").Text("").U32(0).U32(1).Text("s");
  const struct {
    const char* what;
    std::string body;
  } cases[] = {
      {"picture count", Bytes().Zeros(2).U32(kHuge).Get()},
      {"item count", Bytes().Zeros(2).U32(0).U32(0).U32(0).U32(0x20000000).Get()},
      {"name length", Bytes().Zeros(2).U32(0).U32(0).U32(0).U32(1).U32(kHuge).Get()},
      {"location count", Bytes().EmptyProgress().EmptyProgress().U32(kHuge).Get()},
      {"nesting", Bytes().EmptyProgress().EmptyProgress().U32(1).Raw(deep.Get()).Zeros(4000).Get()},
  };
  for (const auto& c : cases) {
    PlayerProfile profile;
    cMemoryStream stream;
    stream.Write(c.body.data(), static_cast<uint32_t>(c.body.size()));
    stream.Seek(0, 0);
    EXPECT_FALSE(profile.Read(stream)) << c.what;
  }
}

TEST_F(ProfileFileTest, RefusedFileIsKeptAsBadAndTheBackupTakesItsPlace) {
  auto first_file = Named(u"Ann");
  PlayerProfile& first = *first_file;
  first.m_progress.m_hints = 1;
  ASSERT_TRUE(first.Save());
  first.m_progress.m_hints = 2;
  ASSERT_TRUE(first.Save());  // the file of hints 1 is now the backup
  const std::string good = Read(FileOf(u"Ann"));
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"header", "FLPRX" + good.substr(5)},
      {"older version", good.substr(0, 5) + Bytes().U32(101).Get() + good.substr(9)},
      {"byte after the end", good + "x"},
      {"cut", good.substr(0, 40)},
  };
  int bad = 0;
  for (const auto& c : cases) {
    Write(FileOf(u"Ann"), c.bytes);
    auto profile_file = Named(u"Ann");
  PlayerProfile& profile = *profile_file;
    ASSERT_TRUE(profile.Load()) << c.what;
    EXPECT_EQ(profile.m_progress.m_hints, 1) << c.what;
    const std::string aside = FileOf(u"Ann") + ".bad" + (bad == 0 ? "" : "." + std::to_string(bad));
    EXPECT_EQ(Read(aside), c.bytes) << c.what;
    ++bad;
  }
  // Without a backup the profile in memory is kept and written over the refused file.
  std::filesystem::remove(Path(FileOf(u"Ann") + ".bak"));
  Write(FileOf(u"Ann"), "junk");
  auto kept_file = Named(u"Ann");
  PlayerProfile& kept = *kept_file;
  kept.m_progress.m_hints = 9;
  kept.MakeCurrent();
  EXPECT_EQ(kept.m_progress.m_hints, 9);
  auto reread_file = Named(u"Ann");
  PlayerProfile& reread = *reread_file;
  ASSERT_TRUE(reread.Load());
  EXPECT_EQ(reread.m_progress.m_hints, 9);
}

TEST_F(ProfileFileTest, ReadOnlyFileIsNeverWrittenOver) {
  auto profile_file = Named(u"Ann");
  PlayerProfile& profile = *profile_file;
  ASSERT_TRUE(profile.Save());
  const std::string before = Read(FileOf(u"Ann"));
  std::filesystem::permissions(Path(FileOf(u"Ann")), std::filesystem::perms::owner_read);
  profile.m_progress.m_hints = 3;
  EXPECT_FALSE(profile.Save());
  EXPECT_EQ(Read(FileOf(u"Ann")), before);
}

TEST_F(ProfileFileTest, CheatModeNeedsTheExactCode) {
  ASSERT_TRUE(window::CreateMainWindow("Velmaris"));
  const struct {
    std::u16string name;
    uint8_t cheat;
    const char* caption;
  } cases[] = {{u"47029315", 1, "Cheat mode enabled"}, {u"047029315", 0, "Velmaris"}, {u"4702931", 0, "Velmaris"}};
  cProperties::GetInstance()->SetValue("application_name", "Velmaris");
  for (const auto& c : cases) {
    auto profile_file = Named(c.name);
  PlayerProfile& profile = *profile_file;
    profile.MakeCurrent();
    EXPECT_EQ(profile.m_cheat_mode, c.cheat);
    EXPECT_EQ(window::headless::GetPlacement().title, c.caption);
  }
  window::DestroyMainWindow();
}

TEST_F(ProfileFileTest, ItemCountsAndLocationValues) {
  PlayerProfile profile;
  profile.AddItemCount("key", 2);
  profile.AddItemCount("lamp", 1);
  profile.AddItemCount("key", 1);
  profile.RemoveItemCount("none", 1);  // nothing
  profile.RemoveItemCount("key", 1);
  EXPECT_EQ(profile.m_progress.m_items, (std::vector<ItemCount>{{"key", 2}, {"lamp", 1}}));
  profile.RemoveItemCount("key", 2);   // down to 0: the record goes, the others keep their order
  profile.RemoveItemCount("lamp", 5);  // more than held: gone, not wrapped round
  EXPECT_TRUE(profile.m_progress.m_items.empty());

  profile.m_locations.resize(1);  // a record with an empty name
  EXPECT_EQ(profile.GetLocationValue("safe", "wait"), "wait");  // no stage
  profile.SetLocationValue("safe", "win");
  EXPECT_TRUE(profile.m_locations[0].m_values.empty());
  profile.m_locations[0].m_name = profile.m_stage = "hall";
  profile.SetLocationValue("safe", "win");
  EXPECT_EQ(profile.GetLocationValue("safe", "wait"), "win");
  EXPECT_EQ(profile.GetLocationValue("clock", "wait"), "wait");
}

TEST_F(ProfileFileTest, KilledWhileSavingLeavesTheOldOrTheNewFileNeverAShortOne) {
  auto small_file = Named(u"Ann");
  PlayerProfile& small = *small_file;
  auto large_file = Named(u"Ann");
  PlayerProfile& large = *large_file;
  FillProfile(large);
  for (int i = 0; i < 200; ++i) large.m_locations.push_back(large.m_locations[0]);
  ASSERT_TRUE(small.Save());
  const std::string small_bytes = Read(FileOf(u"Ann"));
  ASSERT_TRUE(large.Save());
  const std::string large_bytes = Read(FileOf(u"Ann"));
  std::mt19937 random(14);
  for (int round = 0; round < 40; ++round) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (;;) {
        small.Save();
        large.Save();
      }
    }
    usleep(1000 + random() % 20000);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    const std::string now = Read(FileOf(u"Ann"));
    ASSERT_TRUE(now == small_bytes || now == large_bytes) << "round " << round << ": " << now.size() << " bytes";
  }
}

}  // namespace
