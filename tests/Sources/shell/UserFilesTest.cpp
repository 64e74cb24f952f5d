// The profile list ("profiles.pmf") and the records table ("topscores.hsf"): their bytes, the
// list's rules, damaged files, and one process at a time writing them.

#include <sys/stat.h>

#include "Sources/shell/userdata/ProfilesList.h"
#include "Sources/shell/userdata/RecordsTable.h"
#include "Sources/shell/userdata/UserDataHolder.h"
#include "Sources/shell/userdata/UserFolderGuard.h"
#include "Sources/shell/userdata/cUserDataFactory.h"
#include "platform/os/os.h"
#include "tests/Sources/shell/UserFilesSupport.h"

namespace {

const std::string kList = "usersdata/profiles.pmf";
const std::string kRecords = "usersdata/topscores.hsf";

std::string ListBytes(const std::vector<std::u16string>& names, const std::u16string& current) {
  Bytes bytes;
  bytes.Raw("FLPMF").U32(112).U32(static_cast<uint32_t>(names.size()));
  for (const auto& name : names) bytes.Wide(name);
  return bytes.Wide(current).Get();
}

class UserFilesTest : public UserFolderTest {
 protected:
  ProfilesList& Start() {
    UserDataHolder::GetInstance()->Install(std::make_unique<GameUserDataFactory>(folder.Path()));
    return *UserDataHolder::GetInstance()->GetProfiles();
  }
  std::vector<std::u16string> Names() {
    std::vector<std::u16string> names;
    for (const auto& entry : UserDataHolder::GetInstance()->GetProfiles()->GetProfiles()) names.push_back(entry.first);
    return names;
  }
  static ino_t Inode(const std::string& path) {
    struct stat info {};
    stat(path.c_str(), &info);
    return info.st_ino;
  }
};

TEST_F(UserFilesTest, FirstStartWritesAnEmptyListAndOneDefaultRecordThatLaterStartsKeep) {
  ProfilesList& list = Start();
  EXPECT_EQ(list.GetCurrent(), nullptr);
  EXPECT_EQ(Read(kList), ListBytes({}, u""));
  EXPECT_EQ(Read(kList).size(), 17u);
  EXPECT_EQ(Read(kRecords), Bytes().Raw("FLPMF").U32(112).U32(1).Zeros(8).U32(0).U32(0).Get());
  EXPECT_EQ(Read(kRecords).size(), 29u);

  const ino_t records = Inode(Path(kRecords));
  Start();  // the default records file loads: it is not written again
  EXPECT_EQ(Inode(Path(kRecords)), records);
  EXPECT_EQ(UserDataHolder::GetInstance()->GetRecords()->GetEntries().size(), 1u);
  EXPECT_FALSE(Exists(kRecords + ".bad"));
}

TEST_F(UserFilesTest, RecordsRoundTripAndAnEmptyTableGetsItsDefaultInMemoryOnly) {
  Write(kRecords, Bytes().Raw("FLPMF").U32(112).U32(0).Get());
  Start();
  EXPECT_EQ(UserDataHolder::GetInstance()->GetRecords()->GetEntries().size(), 1u);
  EXPECT_EQ(Read(kRecords).size(), 13u);

  const std::string two = Bytes()
                              .Raw("FLPMF").U32(112).U32(2)
                              .Raw("12345678").Wide(u"Ann").U32(0x42280000)
                              .Zeros(8).Wide(u"").U32(0)
                              .Get();
  Write(kRecords, two);
  Start();
  RecordsTable& records = *UserDataHolder::GetInstance()->GetRecords();
  ASSERT_EQ(records.GetEntries().size(), 2u);
  EXPECT_EQ(records.GetEntries()[0]->m_name, u"Ann");
  EXPECT_FLOAT_EQ(records.GetEntries()[0]->m_score, 42.0f);
  EXPECT_TRUE(records.GetEntries()[1]->CompareByScore(*records.GetEntries()[0]));
  ASSERT_TRUE(records.Save());
  EXPECT_EQ(Read(kRecords), two);
}

TEST_F(UserFilesTest, NamesKeepCodeUnitOrderAndTheFileFollowsEveryChange) {
  ProfilesList& list = Start();
  for (const char16_t* name : {u"bob", u"Ann", u"Zed", u"ann"}) ASSERT_NE(list.Add(name), nullptr);
  EXPECT_EQ(Names(), (std::vector<std::u16string>{u"Ann", u"Zed", u"ann", u"bob"}));
  EXPECT_EQ(list.GetCurrent(), nullptr);  // adding makes no profile current
  ASSERT_TRUE(list.Select(u"Zed"));
  EXPECT_EQ(Read(kList), ListBytes({u"Ann", u"Zed", u"ann", u"bob"}, u"Zed"));
  EXPECT_TRUE(Exists("usersdata/profiles/90101100.prf"));
  EXPECT_FALSE(list.Select(u"zed"));

  Start();  // the next start finds the same list and current profile
  EXPECT_EQ(Names().size(), 4u);
  ASSERT_NE(CurrentProfile, nullptr);
  EXPECT_EQ(CurrentProfile->m_name, u"Zed");
}

TEST_F(UserFilesTest, NamesThatCannotBeGivenAreRefused) {
  ProfilesList& list = Start();
  ASSERT_NE(list.Add(u"Ann"), nullptr);
  ASSERT_NE(list.Add(u"\u0001\u0002"), nullptr);  // file name "12"
  const std::u16string longest(24, u'x');
  const struct {
    std::u16string name;
    ProfilesList::NameCheck check;
  } cases[] = {
      {u"Ann", ProfilesList::NameCheck::kTaken},
      {longest + u"x", ProfilesList::NameCheck::kTooLong},
      {u"\u000c", ProfilesList::NameCheck::kFileTaken},  // also "12": the two would share a save
      {longest, ProfilesList::NameCheck::kFree},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(list.CheckName(c.name, nullptr), c.check);
    EXPECT_EQ(list.Rename(u"Ann", c.name), c.check == ProfilesList::NameCheck::kFree || c.name == u"Ann");
    list.Rename(c.name, u"Ann");
    EXPECT_EQ(list.Add(c.name) != nullptr, c.check == ProfilesList::NameCheck::kFree);
  }
}

TEST_F(UserFilesTest, DeletingTheCurrentProfileSelectsItsNeighbour) {
  const struct {
    std::vector<std::u16string> names;
    std::u16string current;
    std::u16string deleted;
    std::u16string then_current;  // empty: none
  } cases[] = {
      {{u"a", u"b", u"c"}, u"b", u"b", u"c"},  // the next in order
      {{u"a", u"b", u"c"}, u"c", u"c", u"b"},  // the last: the one before
      {{u"a"}, u"a", u"a", u""},               // the only one: none
      {{u"a", u"b"}, u"a", u"b", u"a"},        // another one: the current stays
  };
  for (const auto& c : cases) {
    std::filesystem::remove_all(Path("usersdata"));
    ProfilesList& list = Start();
    for (const auto& name : c.names) list.Add(name);
    list.Select(c.current);
    ASSERT_TRUE(list.Delete(c.deleted));
    EXPECT_FALSE(Exists("usersdata/profiles/" + cProfile::FileNameFor(c.deleted) + ".prf"));
    EXPECT_EQ(list.GetCurrent() != nullptr ? list.GetCurrent()->m_name : u"", c.then_current);
    EXPECT_EQ(CurrentProfile != nullptr ? CurrentProfile->m_name : u"", c.then_current);
    EXPECT_FALSE(list.Delete(c.deleted));
  }
}

TEST_F(UserFilesTest, RenameKeepsTheProgressOfAProfileNeverLoaded) {
  ProfilesList& list = Start();
  list.Add(u"Ann");
  PlayerProfile saved;
  saved.m_name = u"Ann";
  saved.m_directory = folder.Path();
  FillProfile(saved);
  ASSERT_TRUE(saved.Save());
  list.Add(u"Bob");
  list.Select(u"Bob");

  EXPECT_TRUE(list.Rename(u"Ann", u"Ann"));
  EXPECT_TRUE(list.Rename(u"nobody", u"Eve"));
  EXPECT_FALSE(list.Rename(u"Ann", u"Bob"));
  ASSERT_TRUE(list.Rename(u"Ann", u"Cid"));
  EXPECT_FALSE(Exists("usersdata/profiles/65110110.prf"));
  PlayerProfile renamed;
  renamed.m_name = u"Cid";
  renamed.m_directory = folder.Path();
  ASSERT_TRUE(renamed.Load());
  ExpectSameProgress(saved, renamed);
  EXPECT_EQ(CurrentProfile->m_name, u"Bob");
  EXPECT_EQ(Read(kList), ListBytes({u"Bob", u"Cid"}, u"Bob"));

  // Two names of one file name: the file written is the profile's own and stays.
  ASSERT_TRUE(list.Rename(u"Bob", u"\u0001"));
  ASSERT_TRUE(list.Rename(u"\u0001", u"\u0001"));
  list.Add(u"\u0042");  // file name "66", as "Bob" had
  EXPECT_TRUE(Exists("usersdata/profiles/1.prf"));
}

TEST_F(UserFilesTest, DamagedListIsKeptAsBadAndItsBackupIsRead) {
  ProfilesList& list = Start();
  list.Add(u"Ann");
  list.Add(u"Bob");  // the list with Ann alone is now the backup
  const std::string good = Read(kList);
  for (std::size_t size = 0; size < good.size(); ++size) {
    Write(kList, good.substr(0, size));
    Start();
    ASSERT_EQ(Names(), std::vector<std::u16string>{u"Ann"}) << size;
    std::filesystem::remove(Path(kList + ".bad"));
  }
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"count past the end", Bytes().Raw("FLPMF").U32(112).U32(0x40000000).Get()},
      {"name past the end", Bytes().Raw("FLPMF").U32(112).U32(1).U32(0xFFFFFFFF).Get()},
      {"version", ListBytes({u"Eve"}, u"").replace(5, 1, "\x71")},
      {"header", "flpmf" + good.substr(5)},
      {"byte after the end", good + std::string(1, '\0')},
  };
  for (const auto& c : cases) {
    Write(kList, c.bytes);
    Start();
    EXPECT_EQ(Names(), std::vector<std::u16string>{u"Ann"}) << c.what;
    EXPECT_EQ(Read(kList + ".bad"), c.bytes) << c.what;
    std::filesystem::remove(Path(kList + ".bad"));
  }
}

TEST_F(UserFilesTest, AnotherRunningCopyMakesTheFilesReadOnlyForThisOne) {
  Start().Add(u"Ann");
  DestroySingletons();
  const std::string before = Read(kList);
  bool held = false;
  auto other = os::InstanceLock::Acquire(UserFolderGuard::kLockName, Path("usersdata"), &held);
  ASSERT_TRUE(other);
  Write(kRecords, "damaged");
  ProfilesList& list = Start();
  EXPECT_EQ(Names(), std::vector<std::u16string>{u"Ann"});  // still read
  list.Add(u"Bob");
  list.Select(u"Ann");
  EXPECT_EQ(Read(kList), before);
  EXPECT_EQ(Read(kRecords), "damaged");
  EXPECT_FALSE(Exists(kRecords + ".bad"));
  EXPECT_FALSE(Exists("usersdata/profiles/65110110.prf"));
}

TEST_F(UserFilesTest, TheCurrentProfileIsForgottenWithItsList) {
  Start().Add(u"Ann");
  UserDataHolder::GetInstance()->GetProfiles()->Select(u"Ann");
  ASSERT_NE(CurrentProfile, nullptr);
  Start();  // a new list replaces the old one
  EXPECT_EQ(CurrentProfile->m_name, u"Ann");
  DestroySingletons();
  EXPECT_EQ(CurrentProfile, nullptr);
}

}  // namespace
