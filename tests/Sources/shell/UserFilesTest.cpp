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

using Names = std::vector<std::u16string>;
const std::string kList = "usersdata/profiles.pmf";
const std::string kRecords = "usersdata/topscores.hsf";

std::string ListBytes(const Names& names, const std::u16string& current) {
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
  RecordsTable& Records() { return *UserDataHolder::GetInstance()->GetRecords(); }
  Names Listed() {
    Names names;
    for (const auto& entry : UserDataHolder::GetInstance()->GetProfiles()->GetProfiles()) names.push_back(entry.first);
    return names;
  }
  std::u16string CurrentName() { return CurrentProfile != nullptr ? CurrentProfile->m_name : u""; }
};

TEST_F(UserFilesTest, FirstStartFilesAndRecordsThatLaterStartsKeep) {
  EXPECT_EQ(Start().GetCurrent(), nullptr);
  EXPECT_EQ(Read(kList), ListBytes({}, u""));
  EXPECT_EQ(Read(kList).size(), 17u);
  EXPECT_EQ(Read(kRecords), Bytes().Raw("FLPMF").U32(112).U32(1).Zeros(16).Get());
  struct stat before {}, after {};
  stat(Path(kRecords).c_str(), &before);
  Start();  // the default records file loads: it is not written again
  stat(Path(kRecords).c_str(), &after);
  EXPECT_EQ(before.st_ino, after.st_ino);

  Write(kRecords, Bytes().Raw("FLPMF").U32(112).U32(0).Get());
  Start();  // no entries: the default one is added in memory only
  EXPECT_EQ(Records().GetEntries().size(), 1u);
  EXPECT_EQ(Read(kRecords).size(), 13u);
  const std::string two =
      Bytes().Raw("FLPMF").U32(112).U32(2).Raw("12345678").Wide(u"Ann").U32(0x42280000).Zeros(8).Wide(u"").U32(0).Get();
  Write(kRecords, two);
  Start();
  ASSERT_EQ(Records().GetEntries().size(), 2u);
  EXPECT_EQ(Records().GetEntries()[0]->m_name, u"Ann");
  EXPECT_TRUE(Records().GetEntries()[1]->CompareByScore(*Records().GetEntries()[0]));
  ASSERT_TRUE(Records().Save());
  EXPECT_EQ(Read(kRecords), two);
  for (std::size_t size = 13; size < two.size(); ++size) {  // cut entries are refused whole
    Write(kRecords, two.substr(0, size));
    Start();
    ASSERT_EQ(Records().GetEntries().size(), 1u) << size;  // no backup: the default record
    ASSERT_EQ(Read(kRecords + ".bad"), two.substr(0, size));
    std::filesystem::remove(Path(kRecords + ".bad"));
  }
}

TEST_F(UserFilesTest, NamesKeepCodeUnitOrderAndNamesThatCannotBeGivenAreRefused) {
  ProfilesList& list = Start();
  for (const char16_t* name : {u"bob", u"Ann", u"Zed", u"ann", u"\u0001\u0002"}) ASSERT_NE(list.Add(name), nullptr);
  EXPECT_EQ(Listed(), (Names{u"\u0001\u0002", u"Ann", u"Zed", u"ann", u"bob"}));
  EXPECT_EQ(list.GetCurrent(), nullptr);  // adding makes no profile current
  ASSERT_TRUE(list.Select(u"Zed"));
  EXPECT_FALSE(list.Select(u"zed"));
  EXPECT_EQ(Read(kList), ListBytes(Listed(), u"Zed"));
  EXPECT_TRUE(Exists("usersdata/profiles/90101100.prf"));
  Start();  // the next start finds the same list and current profile
  EXPECT_EQ(Listed().size(), 5u);
  EXPECT_EQ(CurrentName(), u"Zed");

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
  ProfilesList& again = *UserDataHolder::GetInstance()->GetProfiles();
  for (const auto& c : cases) {
    EXPECT_EQ(again.CheckName(c.name, nullptr), c.check);
    EXPECT_EQ(again.Rename(u"bob", c.name), c.check == ProfilesList::NameCheck::kFree);
    again.Rename(c.name, u"bob");
    EXPECT_EQ(again.Add(c.name) != nullptr, c.check == ProfilesList::NameCheck::kFree);
  }
}

TEST_F(UserFilesTest, DeletingTheCurrentProfileSelectsItsNeighbour) {
  const struct {
    Names names;
    std::u16string current, deleted, then_current;  // empty: none
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
    EXPECT_EQ(CurrentName(), c.then_current);
    EXPECT_FALSE(list.Delete(c.deleted));
  }
}

TEST_F(UserFilesTest, RenameKeepsTheProgressOfAProfileNeverLoaded) {
  ProfilesList& list = Start();
  list.Add(u"Ann");
  auto saved = Named(u"Ann");
  FillProfile(*saved);
  ASSERT_TRUE(saved->Save());
  list.Add(u"Bob");
  list.Select(u"Bob");
  EXPECT_TRUE(list.Rename(u"Ann", u"Ann"));
  EXPECT_TRUE(list.Rename(u"nobody", u"Eve"));
  EXPECT_FALSE(list.Rename(u"Ann", u"Bob"));
  ASSERT_TRUE(list.Rename(u"Ann", u"Cid"));
  EXPECT_FALSE(Exists("usersdata/profiles/65110110.prf"));
  auto renamed = Named(u"Cid");
  ASSERT_TRUE(renamed->Load());
  ExpectSameProgress(*saved, *renamed);
  EXPECT_EQ(Read(kList), ListBytes({u"Bob", u"Cid"}, u"Bob"));
  // Two names of one file name: the file just written is the profile's own and stays.
  ASSERT_TRUE(list.Rename(u"\u0001\u0002", u"\u0001\u0002"));
  list.Add(u"\u0001\u0002");
  ASSERT_TRUE(list.Rename(u"\u0001\u0002", u"\u000c"));
  EXPECT_TRUE(list.Select(u"\u000c") && Exists("usersdata/profiles/12.prf"));
}

TEST_F(UserFilesTest, DamagedListIsKeptAsBadAndItsBackupIsRead) {
  ProfilesList& list = Start();
  list.Add(u"Ann");
  list.Add(u"Bob");  // the list with Ann alone is now the backup
  const std::string good = Read(kList);
  std::vector<std::string> damaged = {Bytes().Raw("FLPMF").U32(112).U32(0x40000000).Get(),
                                      Bytes().Raw("FLPMF").U32(112).U32(1).U32(0xFFFFFFFF).Get(),
                                      ListBytes({u"Eve"}, u"").replace(5, 1, "\x71"), "flpmf" + good.substr(5),
                                      good + std::string(1, '\0')};
  for (std::size_t size = 0; size < good.size(); ++size) damaged.push_back(good.substr(0, size));
  for (const std::string& bytes : damaged) {
    Write(kList, bytes);
    Start();
    ASSERT_EQ(Listed(), Names{u"Ann"}) << bytes.size();
    EXPECT_EQ(Read(kList + ".bad"), bytes);  // an empty file has nothing to keep
    std::filesystem::remove(Path(kList + ".bad"));
  }
}

TEST_F(UserFilesTest, AnotherRunningCopyMakesTheFilesReadOnlyForThisOne) {
  Start().Add(u"Ann");
  UserDataHolder::GetInstance()->GetProfiles()->Select(u"Ann");
  ASSERT_NE(CurrentProfile, nullptr);
  DestroySingletons();  // the current profile is forgotten with its list
  EXPECT_EQ(CurrentProfile, nullptr);
  std::filesystem::remove(Path("usersdata/profiles/65110110.prf"));
  const std::string before = Read(kList);
  auto other = os::InstanceLock::Acquire(UserFolderGuard::kLockName, Path("usersdata"), nullptr);
  ASSERT_TRUE(other);
  Write(kRecords, "damaged");
  ProfilesList& list = Start();
  EXPECT_EQ(Listed(), Names{u"Ann"});  // still read
  list.Add(u"Bob");
  list.Select(u"Ann");
  EXPECT_EQ(Read(kList), before);
  EXPECT_EQ(Read(kRecords), "damaged");
  EXPECT_FALSE(Exists(kRecords + ".bad") || Exists("usersdata/profiles/65110110.prf"));
}

}  // namespace
