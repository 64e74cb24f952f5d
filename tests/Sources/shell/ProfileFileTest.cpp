// The player's ".prf" file: its name, its bytes, round trips, and damaged files refused whole.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>

#include "platform/window/headless/HeadlessWindow.h"
#include "source/properties/cProperties.h"
#include "source/stream/cMemoryStream.h"
#include "tests/Sources/shell/UserFilesSupport.h"
#include "tests/support/MemoryBytes.h"

namespace {

const std::string kAnn = "usersdata/profiles/65110110.prf";

using ProfileFileTest = UserFolderTest;

bool ReadBody(PlayerProfile& profile, const std::string& bytes) {
  cMemoryStream stream = StreamOf(bytes);
  return profile.Read(stream);
}

TEST(ProfileFileName, EachUnitGivesItsDecimalDigits) {
  EXPECT_EQ(cProfile::FileNameFor(u"Ann"), "65110110");
  EXPECT_EQ(cProfile::FileNameFor(u"\u0416"), "1046");
  EXPECT_EQ(cProfile::FileNameFor(u"\uffff\u0001"), "655351");
  EXPECT_EQ(cProfile::FileNameFor(u""), "");
}

TEST_F(ProfileFileTest, NewProfileMadeCurrentWritesItsEmptyFile) {
  auto ann = Named(u"Ann");
  ann->MakeCurrent();
  EXPECT_EQ(Read(kAnn), Bytes().Raw("FLPRF").U32(102).EmptyProgress().EmptyProgress().U32(0).Text("").Get());
  EXPECT_EQ(Read(kAnn).size(), 151u);
  EXPECT_EQ(CurrentProfile, ann.get());
}

TEST_F(ProfileFileTest, FieldsAreWrittenInFileOrder) {
  auto profile = Named(u"Ann");
  ProfileProgress& p = profile->m_progress;
  p.m_has_lens = 1, p.m_hints = 2, p.m_items = {{"key", 2}}, p.m_flying_items = {{"coin", 3, "slot", 4}};
  LocationRecord& hall = profile->m_locations.emplace_back(Record("hall", {{"safe", "win"}}));
  hall.m_sub_locations["box"].m_flag_1 = 1;
  hall.m_characters = {{"cat", 1, 0, 1.0f, 9}};
  hall.m_number = 6;
  profile->m_stage = "hall";
  ASSERT_TRUE(profile->Save());

  Bytes expected;
  expected.Raw("FLPRF").U32(102).U8(0).U8(1).U32(0).U32(0).U32(0).U32(1).Text("key").U32(2).U32(0).Zeros(8).U32(2);
  expected.Zeros(3).U32(0).Zeros(6).U32(1).U32(4).Text("coin").Text("slot").U32(3).Text("").Zeros(12);
  expected.EmptyProgress().U32(1).Text("hall").Text("").U32(1).Text("safe").Text("win").U32(1).Text("box");
  expected.Zeros(4 * 10).U8(1).U8(0);  // the nested record: empty texts and lists, shown
  expected.U32(1).Text("cat").U8(1).U8(0).U32(0x3F800000).U32(9).U32(6).Zeros(16 + 2).Text("hall");
  EXPECT_EQ(Read(kAnn), expected.Get());
}

TEST_F(ProfileFileTest, EveryFieldRoundTripsAndAnyCutOrOverlongCountIsRefusedWhole) {
  auto saved = Named(u"Ann");
  FillProfile(*saved);
  ASSERT_TRUE(saved->Save());
  auto loaded = Named(u"Ann");
  ASSERT_TRUE(loaded->Load());
  ExpectSameProgress(*saved, *loaded);

  const std::string body = Read(kAnn).substr(9);
  for (std::size_t size = 0; size < body.size(); ++size) {
    PlayerProfile profile;
    profile.m_progress.m_hints = 77;
    ASSERT_FALSE(ReadBody(profile, body.substr(0, size))) << size;
    ASSERT_EQ(profile.m_progress.m_hints, 77);  // left as it was
  }
  Bytes deep;  // sub-locations nested far deeper than any game makes them
  for (int i = 0; i < 40; ++i) deep.Text("").Text("").U32(0).U32(1).Text("s");
  for (const std::string& damaged : {
           Bytes().Zeros(2).U32(0xFFFFFFFF).Get(),                      // picture count
           Bytes().Zeros(2).U32(0).U32(0).U32(0).U32(0x20000000).Get(),  // item count
           Bytes().Zeros(2).U32(0).U32(0).U32(0).U32(1).U32(0xFFFFFFFF).Get(),  // name length
           Bytes().EmptyProgress().EmptyProgress().U32(0xFFFFFFFF).Get(),        // location count
           Bytes().EmptyProgress().EmptyProgress().U32(1).Raw(deep.Get()).Zeros(4000).Get(),
       }) {
    PlayerProfile profile;
    EXPECT_FALSE(ReadBody(profile, damaged));
  }
}

// Numbers the game never writes are read as the nearest it can show; the rest stays as saved.
TEST_F(ProfileFileTest, HostileNumbersAreReadAsTheNearestTheGameShows) {
  const struct {
    int32_t hints;
    uint32_t count;
    int32_t petition, scheme;
    int32_t read_hints;
    uint32_t read_count;
    int32_t read_petition, read_scheme;
  } cases[] = {
      {-5, 4294967295u, -1, 9, 0, ProfileProgress::kMostOfAnItem, 0, 2},
      {INT32_MAX, 1000, 8, -7, 5, ProfileProgress::kMostOfAnItem, 7, 0},
      {INT32_MIN, 0, INT32_MIN, INT32_MAX, 0, 0, 0, 2},
      {3, 999, 7, 2, 3, 999, 7, 2},  // as saved
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.hints);
    PlayerProfile written;
    written.m_progress.m_hints = c.hints;
    written.m_progress.m_items = {{"coin", c.count}, {"key", 1}};
    written.m_progress.m_petition_state = c.petition;
    written.m_progress.m_scheme_state = c.scheme;
    cMemoryStream body;
    ASSERT_TRUE(written.Write(body));
    PlayerProfile read;
    ASSERT_TRUE(ReadBody(read, std::string(reinterpret_cast<const char*>(body.GetData()), body.GetSize())));
    EXPECT_EQ(read.m_progress.m_hints, c.read_hints);
    ASSERT_EQ(read.m_progress.m_items.size(), 2u);
    EXPECT_EQ(read.m_progress.m_items[0].m_count, c.read_count);
    EXPECT_EQ(read.m_progress.m_items[1].m_count, 1u);
    EXPECT_EQ(read.m_progress.m_petition_state, c.read_petition);
    EXPECT_EQ(read.m_progress.m_scheme_state, c.read_scheme);
  }
}

TEST_F(ProfileFileTest, RefusedFileIsKeptAsBadAndTheBackupTakesItsPlace) {
  auto first = Named(u"Ann");
  first->m_progress.m_hints = 1;
  ASSERT_TRUE(first->Save());
  first->m_progress.m_hints = 2;
  ASSERT_TRUE(first->Save());  // the file of hints 1 is now the backup
  const std::string good = Read(kAnn);
  const std::string cases[] = {"FLPRX" + good.substr(5), good.substr(0, 5) + Bytes().U32(101).Get() + good.substr(9),
                               good + "x", good.substr(0, 40)};
  for (int n = 0; n < 4; ++n) {
    Write(kAnn, cases[n]);
    auto profile = Named(u"Ann");
    ASSERT_TRUE(profile->Load()) << n;
    EXPECT_EQ(profile->m_progress.m_hints, 1) << n;
    EXPECT_EQ(Read(kAnn + ".bad" + (n == 0 ? "" : "." + std::to_string(n))), cases[n]);
  }
  // Without a backup the profile in memory is kept and written over the refused file.
  std::filesystem::remove(Path(kAnn + ".bak"));
  Write(kAnn, "junk");
  auto kept = Named(u"Ann");
  kept->m_progress.m_hints = 4;
  kept->MakeCurrent();
  EXPECT_EQ(kept->m_progress.m_hints, 4);
  auto reread = Named(u"Ann");
  ASSERT_TRUE(reread->Load());
  EXPECT_EQ(reread->m_progress.m_hints, 4);
  // A file the player made read-only is never written over.
  std::filesystem::permissions(Path(kAnn), std::filesystem::perms::owner_read);
  kept->m_progress.m_hints = 3;
  EXPECT_FALSE(kept->Save());
  EXPECT_TRUE(reread->Load() && reread->m_progress.m_hints == 4);
}

TEST_F(ProfileFileTest, CheatModeItemCountsAndLocationValues) {
  ASSERT_TRUE(window::CreateMainWindow("Velmaris"));
  cProperties::GetInstance()->SetValue("application_name", "Velmaris");
  for (const std::u16string name : {u"47029315", u"047029315", u"4702931"}) {
    auto profile = Named(name);
    profile->MakeCurrent();
    EXPECT_EQ(profile->m_cheat_mode, name == u"47029315" ? 1 : 0);
    EXPECT_EQ(window::headless::GetPlacement().title, name == u"47029315" ? "Cheat mode enabled" : "Velmaris");
  }
  window::DestroyMainWindow();

  PlayerProfile profile;
  profile.AddItemCount("key", 2), profile.AddItemCount("lamp", 1), profile.AddItemCount("key", 1);
  profile.RemoveItemCount("none", 1), profile.RemoveItemCount("key", 1);
  EXPECT_EQ(profile.m_progress.m_items, (std::vector<ItemCount>{{"key", 2}, {"lamp", 1}}));
  profile.RemoveItemCount("key", 2);   // down to 0: the record goes
  profile.RemoveItemCount("lamp", 5);  // more than held: gone, not wrapped round
  EXPECT_TRUE(profile.m_progress.m_items.empty());

  profile.m_locations.resize(1);  // a record with an empty name, and no stage
  profile.SetLocationValue("safe", "win");
  EXPECT_EQ(profile.GetLocationValue("safe", "wait"), "wait");
  profile.m_locations[0].m_name = profile.m_stage = "hall";
  profile.SetLocationValue("safe", "win");
  EXPECT_EQ(profile.GetLocationValue("safe", "wait"), "win");
  EXPECT_EQ(profile.GetLocationValue("clock", "wait"), "wait");
}

TEST_F(ProfileFileTest, KilledWhileSavingLeavesTheOldOrTheNewFileNeverAShortOne) {
  auto small = Named(u"Ann");
  auto large = Named(u"Ann");
  FillProfile(*large);
  large->m_locations.resize(200, large->m_locations[0]);
  ASSERT_TRUE(small->Save());
  const std::string small_bytes = Read(kAnn);
  ASSERT_TRUE(large->Save());
  const std::string large_bytes = Read(kAnn);
  std::mt19937 random(14);
  for (int round = 0; round < 40; ++round) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    while (child == 0) small->Save(), large->Save();  // until killed
    usleep(1000 + random() % 20000);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    const std::string now = Read(kAnn);
    ASSERT_TRUE(now == small_bytes || now == large_bytes) << "round " << round << ": " << now.size() << " bytes";
  }
}

}  // namespace
