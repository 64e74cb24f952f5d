// The profile list ("profiles.pmf") and the records table ("topscores.hsf"): their bytes, the
// list's rules, damaged files, and one process at a time writing them.

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <random>

#include "Sources/shell/userdata/ProfilesList.h"
#include "Sources/shell/userdata/RecordsTable.h"
#include "Sources/shell/userdata/UserDataHolder.h"
#include "Sources/shell/userdata/UserFolderGuard.h"
#include "Sources/shell/userdata/cUserDataFactory.h"
#include "Sources/shell/userdata/FileHeader.h"
#include "Sources/shell/userdata/UserFile.h"
#include "platform/os/os.h"
#include "source/stream/cMemoryStream.h"
#include "source/text/TextConversion.h"
#include "tests/Sources/shell/UserFilesSupport.h"

namespace {

using Names = std::vector<std::u16string>;
const std::string kList = "usersdata/profiles.pmf";
const std::string kRecords = "usersdata/topscores.hsf";
const std::string kAnnFile = "usersdata/profiles/65110110.prf";
const std::string kBobFile = "usersdata/profiles/6611198.prf";

// A whole ".prf" whose progress holds `hints` charges.
std::string ProfileBytes(int32_t hints) {
  PlayerProfile profile;
  profile.m_progress.m_spare_1 = hints;
  cMemoryStream bytes;
  WriteFileHeader(bytes, profile.m_header, profile.m_version);
  profile.Write(bytes);
  return std::string(reinterpret_cast<const char*>(bytes.GetData()), bytes.GetSize());
}

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
    return Found(UserDataHolder::GetInstance()->GetProfiles());
  }
  RecordsTable& Records() { return Found(UserDataHolder::GetInstance()->GetRecords()); }
  Names Listed() {
    Names names;
    const auto& profiles = Found(UserDataHolder::GetInstance()->GetProfiles()).GetProfiles();
    for (const auto& entry : profiles) names.push_back(entry.first);
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
  for (const char16_t* name : {u"bob", u"Ann", u"Zed", u"ann", u"!\""}) ASSERT_NE(list.Add(name), nullptr);
  EXPECT_EQ(Listed(), (Names{u"!\"", u"Ann", u"Zed", u"ann", u"bob"}));
  EXPECT_EQ(list.GetCurrent(), nullptr);  // adding makes no profile current
  ASSERT_TRUE(list.Select(u"Zed"));
  EXPECT_FALSE(list.Select(u"zed"));
  EXPECT_EQ(Read(kList), ListBytes(Listed(), u"Zed"));
  EXPECT_TRUE(Exists("usersdata/profiles/90101100.prf"));
  ProfilesList& again = Start();  // the next start finds the same list and current profile
  EXPECT_EQ(Listed().size(), 5u);
  EXPECT_EQ(CurrentName(), u"Zed");

  const std::u16string longest(24, u'x');
  const struct {
    std::u16string name;
    ProfilesList::NameCheck check;
  } cases[] = {
      {u"Ann", ProfilesList::NameCheck::kTaken},
      {longest + u"x", ProfilesList::NameCheck::kTooLong},
      {u"\u0d06", ProfilesList::NameCheck::kFileTaken},  // also "3334": the two would share a save
      {u" \u0001", ProfilesList::NameCheck::kBlank},
      {longest, ProfilesList::NameCheck::kFree},
  };
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
  ASSERT_TRUE(list.Rename(u"!\"", u"!\""));
  list.Add(u"!\"");
  ASSERT_TRUE(list.Rename(u"!\"", u"\u0d06"));
  EXPECT_TRUE(list.Select(u"\u0d06") && Exists("usersdata/profiles/3334.prf"));
}

TEST_F(UserFilesTest, DamagedListIsKeptAsBadAndItsBackupIsRead) {
  ProfilesList& list = Start();
  list.Add(u"Ann");
  list.Add(u"Bob");  // the backup is the list as saved
  const std::string good = Read(kList);
  std::vector<std::string> damaged = {Bytes().Raw("FLPMF").U32(112).U32(0x40000000).Get(),
                                      Bytes().Raw("FLPMF").U32(112).U32(1).U32(0xFFFFFFFF).Get(),
                                      ListBytes({u"Eve"}, u"").replace(5, 1, "\x71"), "flpmf" + good.substr(5),
                                      good + std::string(1, '\0')};
  for (std::size_t size = 0; size < good.size(); ++size) damaged.push_back(good.substr(0, size));
  for (const std::string& bytes : damaged) {
    Write(kList, bytes);
    Start();
    ASSERT_EQ(Listed(), (Names{u"Ann", u"Bob"})) << bytes.size();
    EXPECT_EQ(Read(kList + ".bad"), bytes);  // an empty file has nothing to keep
    std::filesystem::remove(Path(kList + ".bad"));
  }
}

TEST_F(UserFilesTest, AnotherRunningCopyMakesTheFilesReadOnlyForThisOne) {
  Start().Add(u"Ann");
  Found(UserDataHolder::GetInstance()->GetProfiles()).Select(u"Ann");
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

TEST(ProfileNameFromFileName, TheLikeliestNameGivesBackTheSameFileName) {
  const struct {
    std::string digits;
    std::u16string name;
  } cases[] = {
      {"65110110", u"Ann"},
      {"6611198", u"Bob"},
      {"1048107410721085", u"\u0418\u0432\u0430\u043d"},  // Cyrillic
      {"14971512", u"\u05d9\u05e8"},                      // Hebrew
      {"12", u"\u000c"},                                  // one unit fits: never two control ones
      {"0", std::u16string(1, u'\0')},
      {"", u""},                                          // no file name of a profile
      {"65a", u""},
      {"-65", u""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ProfilesList::NameFromFileName(c.digits), c.name) << c.digits;
  }
  std::mt19937 random(5);
  for (int round = 0; round < 500; ++round) {
    std::string digits(1 + random() % 30, '0');
    for (char& d : digits) d = static_cast<char>('0' + random() % 10);
    EXPECT_EQ(cProfile::FileNameFor(ProfilesList::NameFromFileName(digits)), digits);
  }
}

// Names the prompt takes, in each script it takes, come back from their file names as typed.
TEST(ProfileNameFromFileName, NamesThePromptTakesComeBackAsTyped) {
  const std::u16string names[] = {
      u"Mary Lou", u"a1b", u"Ann", u"Bob", u"Zo\u00eb", u"J\u00fcrgen", u"Anna-Maria 2", u"2024", u"7",
      u"\u0418\u0432\u0430\u043d \u041f\u0435\u0442\u0440\u043e\u0432",  // Cyrillic
      u"\u0401\u043b\u043a\u0430", u"\u0410\u043b\u0451\u043d\u0430",
      u"\u05e9\u05dc\u05d5\u05dd \u05e2\u05d5\u05dc\u05dd",  // Hebrew, with a space
      u"\u05d3\u05e0\u05d4 3", u"Alexandra Konstantinopoulou"};
  for (const std::u16string& name : names) {
    bool sure = false;
    EXPECT_EQ(ProfilesList::NameFromFileName(cProfile::FileNameFor(name), &sure), name) << WideToUtf8(name);
    EXPECT_TRUE(sure) << WideToUtf8(name);
  }
  // Digits that two names written as names are give: the likelier, and not sure.
  bool sure = true;
  EXPECT_EQ(ProfilesList::NameFromFileName(cProfile::FileNameFor(u"\u041c\u0439"), &sure), u"\u041c\u0439");  // or "i\u00d2Q"
  EXPECT_FALSE(sure);
  // Digits no name of the prompt gives: still a name of those digits, not sure.
  EXPECT_EQ(ProfilesList::NameFromFileName("12", &sure), u"\u000c");
  EXPECT_FALSE(sure);
}

// A listed name is kept whatever its length while its files can be named here; one that cannot
// is left out with the list kept aside, and nothing is deleted.
TEST_F(UserFilesTest, ListedNamesOfAnyLengthStayWhileTheirFilesCanBeNamed) {
  const std::u16string alexandra = u"Alexandra Konstantinopoulou";  // 27 units
  const std::u16string sixty = std::u16string(58, u'e') + u" Z";
  const std::u16string hebrew_sixty(60, u'\u05d0');  // 240 digits: no room for ".prf.bak.tmp-..."
  const Names hostile = {u"", std::u16string(24, u'a'), std::u16string(25, u'b'), alexandra, sixty,
                         std::u16string(300, u'c'), hebrew_sixty};
  const std::string list = ListBytes(hostile, alexandra);
  Write(kList, list);
  Write("usersdata/profiles/.prf", ProfileBytes(4));  // the blank name's file
  testing::internal::CaptureStderr();
  ProfilesList& profiles = Start();
  const std::string said = testing::internal::GetCapturedStderr();
  const Names kept = {alexandra, std::u16string(24, u'a'), std::u16string(25, u'b'), sixty};
  EXPECT_EQ(Listed(), kept);
  EXPECT_EQ(CurrentName(), alexandra);
  EXPECT_EQ(Read(kList + ".bad"), list) << "the names left out stay readable";
  EXPECT_EQ(Read("usersdata/profiles/.prf"), ProfileBytes(4)) << "no file is deleted";
  EXPECT_NE(said.find("(its file name is too long for this system)"), std::string::npos) << said;
  EXPECT_NE(said.find("(blank)"), std::string::npos) << said;
  // Chosen, played and saved, another player renamed, and a second start.
  for (const std::u16string& name : {sixty, alexandra}) {
    ASSERT_TRUE(profiles.Select(name));
    CurrentProfile->m_progress.m_spare_1 = static_cast<int32_t>(name.size());
    ASSERT_TRUE(CurrentProfile->Save());
  }
  ASSERT_TRUE(profiles.Rename(std::u16string(25, u'b'), u"Bea"));
  DestroySingletons();
  ProfilesList& again = Start();
  EXPECT_EQ(Listed(), (Names{alexandra, u"Bea", std::u16string(24, u'a'), sixty}));
  EXPECT_EQ(CurrentName(), alexandra);
  for (const std::u16string& name : {sixty, alexandra}) {
    ASSERT_TRUE(again.Select(name));
    EXPECT_EQ(CurrentProfile->m_progress.m_spare_1, static_cast<int32_t>(name.size())) << WideToUtf8(name);
  }
  // The prompt's own cap still holds for a typed name.
  EXPECT_EQ(again.CheckName(std::u16string(25, u'x'), nullptr), ProfilesList::NameCheck::kTooLong);
  EXPECT_TRUE(again.Rename(alexandra, u"Alex"));
  EXPECT_FALSE(again.Rename(u"Alex", alexandra)) << "a typed name longer than the prompt takes";
}

// Eight players whose list is damaged, cut, replaced by a folder or whole but missing three: all
// eight are listed again under their own names, and the current player stays current.
TEST_F(UserFilesTest, EightPlayersOutliveADamagedOrShortList) {
  const Names eight = {u"Mary Lou", u"a1b", u"\u0418\u0432\u0430\u043d", u"\u05d3\u05e0\u05d4", u"2024",
                       u"Zo\u00eb", u"Konstantinopoulou", u"Bob"};
  const std::u16string current = u"a1b";
  Names sorted = eight;
  std::sort(sorted.begin(), sorted.end());
  const struct {
    const char* what;
    std::function<void()> damage;
    std::u16string current;  // after the start
    const char* said;
  } cases[] = {
      {"damaged", [&] { Write(kList, "FLPMF junk"); }, current, "restored from its backup"},
      {"cut", [&] { Write(kList, Read(kList).substr(0, 40)); }, current, "restored from its backup"},
      {"a folder", [&] {
         std::filesystem::remove(Path(kList));
         std::filesystem::create_directory(Path(kList));
       }, current, "restored from its backup"},
      {"whole but missing three", [&] {
         Write(kList, ListBytes({sorted[0], sorted[2], sorted[4], sorted[6], current}, current));
         std::filesystem::remove(Path(kList + ".bak"));
       }, current, "was not listed: listed as"},
      {"and its backup gone", [&] {
         Write(kList, "junk");
         std::filesystem::remove(Path(kList + ".bak"));
       }, sorted[0], "rebuilt from the 8 player files"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    DestroySingletons();
    std::filesystem::remove_all(Path("usersdata"));
    ProfilesList& list = Start();
    for (const std::u16string& name : eight) {
      ASSERT_NE(list.AddCurrent(name), nullptr);
      CurrentProfile->m_progress.m_spare_1 = static_cast<int32_t>(name.size());
      ASSERT_TRUE(CurrentProfile->Save());
    }
    ASSERT_TRUE(list.Select(current));
    DestroySingletons();
    c.damage();
    testing::internal::CaptureStderr();
    ProfilesList& after = Start();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(Listed(), sorted);
    EXPECT_EQ(CurrentName(), c.current);
    EXPECT_NE(said.find(c.said), std::string::npos) << said;
    for (const std::u16string& name : eight) {
      ASSERT_TRUE(after.Select(name));
      EXPECT_EQ(CurrentProfile->m_progress.m_spare_1, static_cast<int32_t>(name.size())) << WideToUtf8(name);
    }
    DestroySingletons();
    Start();
    EXPECT_EQ(Listed(), sorted) << "the list saved names them all";
  }
}

// Damaged player files and lists: what is kept aside, what the player keeps, what is said.
TEST_F(UserFilesTest, DamagedPlayerFilesAndListsLoseNoPlayer) {
  const std::string ann = ProfileBytes(7);
  const std::string bob = ProfileBytes(4);
  const std::string two_none_current = ListBytes({u"Ann", u"Bob"}, u"");
  // Listed twice, blank, longer than the prompt takes, and two names of one file name ("6598").
  const std::string refused_names =
      ListBytes({u"Ann", u"", u" \u0001", std::u16string(30, u'x'), u"Ab", u"\u19c6", u"Ann"}, u"Ann");
  using Files = std::map<std::string, std::string>;
  const struct {
    const char* what;
    Files files;                 // written before the start
    Names listed;                // after the start
    std::u16string current;
    int32_t hints;               // the current player's
    Files aside;                 // files that must hold these bytes afterwards
    std::vector<std::string> gone;
    const char* said;
  } cases[] = {
      {"a damaged list without a backup is rebuilt from the players' files",
       {{kList, "junk"}, {kAnnFile, ann}, {kBobFile, bob}},
       {u"Ann", u"Bob"}, u"Ann", 7, {{kList + ".bad", "junk"}}, {}, "rebuilt from the 2 player files"},
      {"a missing list is rebuilt too",
       {{kBobFile + ".bak", bob}},
       {u"Bob"}, u"Bob", 4, {{kBobFile, bob}}, {}, "was not listed"},
      {"players listed and none current: the first one",
       {{kList, two_none_current}, {kAnnFile, ann}},
       {u"Ann", u"Bob"}, u"Ann", 7, {}, {}, "the first one is chosen"},
      {"a list read from its backup gains the players added since",
       {{kList, "FLPMF"}, {kList + ".bak", ListBytes({u"Ann"}, u"")}, {kAnnFile, ann}, {kBobFile, bob}},
       {u"Ann", u"Bob"}, u"Ann", 7, {{kList + ".bad", "FLPMF"}}, {}, "restored from its backup"},
      {"names that would lose a player's saves are left out and the list kept aside; a long one stays",
       {{kList, refused_names}, {kAnnFile, ann}},
       {u"Ab", u"Ann", std::u16string(30, u'x')}, u"Ann", 7, {{kList + ".bad", refused_names}},
       {}, "is left out of the list (its file is another player's file)"},
      {"a damaged player file without a backup is kept aside and a new game begins",
       {{kList, ListBytes({u"Ann"}, u"Ann")}, {kAnnFile, "FLPRF junk"}},
       {u"Ann"}, u"Ann", 0, {{kAnnFile + ".bad", "FLPRF junk"}}, {}, "is damaged or unreadable; kept as"},
      {"a player file read from its backup is written back under its own name",
       {{kList, ListBytes({u"Ann"}, u"Ann")}, {kAnnFile + ".bak", ann}},
       {u"Ann"}, u"Ann", 7, {{kAnnFile, ann}}, {}, "written back from its backup"},
      {"temporaries of saves cut short are removed",
       {{kList, ListBytes({u"Ann"}, u"Ann")}, {kAnnFile, ann}, {kAnnFile + ".tmp-99-0", "cut"},
        {kList + ".tmp-99-1", "cut"}, {kAnnFile + ".bak.tmp-98-0", "cut"},
        {"usersdata/profiles/1046.prf.tmp-97-3", "an unlisted player's"}},
       {u"Ann"}, u"Ann", 7, {},
       {kAnnFile + ".tmp-99-0", kList + ".tmp-99-1", kAnnFile + ".bak.tmp-98-0", "usersdata/profiles/1046.prf.tmp-97-3"},
       ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    DestroySingletons();
    std::filesystem::remove_all(Path("usersdata"));
    std::filesystem::create_directories(Path("usersdata/profiles"));
    for (const auto& [file, bytes] : c.files) Write(file, bytes);
    testing::internal::CaptureStderr();
    Start();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(Listed(), c.listed);
    EXPECT_EQ(CurrentName(), c.current);
    if (CurrentProfile != nullptr) {
      EXPECT_EQ(CurrentProfile->m_progress.m_spare_1, c.hints);
    }
    for (const auto& [file, bytes] : c.aside) EXPECT_EQ(Read(file), bytes) << file;
    for (const std::string& file : c.gone) EXPECT_FALSE(Exists(file)) << file;
    EXPECT_NE(said.find(c.said), std::string::npos) << said;
    // The list saved names them all, with the current one.
    DestroySingletons();
    Start();
    EXPECT_EQ(Listed(), c.listed);
    EXPECT_EQ(CurrentName(), c.current);
  }
}

TEST_F(UserFilesTest, APlayerFileThatIsNoPlainFileIsRefusedAsDamaged) {
  Start().AddCurrent(u"Ann");
  DestroySingletons();
  std::filesystem::remove(Path(kAnnFile + ".bak"));
  std::filesystem::remove(Path(kAnnFile));
  std::filesystem::create_symlink("/dev/zero", Path(kAnnFile));
  ProfilesList& list = Start();
  ASSERT_EQ(CurrentName(), u"Ann");
  EXPECT_TRUE(std::filesystem::is_symlink(Path(kAnnFile + ".bad")));
  EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(Path(kAnnFile))));
  EXPECT_TRUE(Found(list.GetCurrent()).TakeLostNotice()) << "the player is told that a new game begins";
  EXPECT_FALSE(Found(list.GetCurrent()).TakeLostNotice()) << "once";
}

// A rename killed between any two of its steps leaves a list that names a player file holding
// the whole progress.
TEST_F(UserFilesTest, ARenameKilledAtAnyStepLosesNoProgress) {
  ProfilesList& list = Start();
  list.AddCurrent(u"Ann");
  CurrentProfile->m_progress.m_spare_1 = 9;
  ASSERT_TRUE(CurrentProfile->Save());
  DestroySingletons();
  std::mt19937 random(30);
  for (int round = 0; round < 40; ++round) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ProfilesList& renaming = Start();
      for (;;) {  // until killed
        const std::u16string now = Found(renaming.GetCurrent()).m_name;
        renaming.Rename(now, now == u"Ann" ? u"Bob" : u"Ann");
      }
    }
    usleep(5000 + random() % 300000);  // a save syncs to the disk: a few of them fit
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    ProfilesList& after = Start();
    // A kill after the list named the new name and before the old file went leaves that file,
    // which is listed again: a second player with the same progress, never one without it.
    const Names listed = Listed();
    ASSERT_TRUE(listed.size() == 1 || listed.size() == 2) << "round " << round;
    ASSERT_NE(CurrentProfile, nullptr) << "round " << round;
    for (const std::u16string& name : listed) {
      ASSERT_TRUE(after.Select(name));
      ASSERT_EQ(CurrentProfile->m_progress.m_spare_1, 9) << "round " << round << ": the progress of " << WideToUtf8(name);
    }
    if (listed.size() == 2) after.Delete(listed[1]);
    DestroySingletons();
  }
}

TEST_F(UserFilesTest, ASaveTheDiskRefusesIsToldOnceAndTheSavedCopyKept) {
  Start().AddCurrent(u"Ann");
  CurrentProfile->m_progress.m_spare_1 = 6;
  ASSERT_TRUE(CurrentProfile->Save());
  const std::string saved = Read(kAnnFile);
  // A folder where the temporary file would go: the disk refuses the write as a full one would.
  std::filesystem::create_directories(Path("usersdata/profiles/blocked"));
  std::filesystem::remove(Path(kAnnFile + ".bak"));
  std::filesystem::rename(Path(kAnnFile), Path("usersdata/profiles/blocked/kept"));
  std::filesystem::create_directory(Path(kAnnFile));
  CurrentProfile->m_progress.m_spare_1 = 1;
  testing::internal::CaptureStderr();
  EXPECT_FALSE(CurrentProfile->Save());
  EXPECT_FALSE(CurrentProfile->Save());
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("could not be saved"), std::string::npos) << said;
  EXPECT_TRUE(UserFile::TakeSaveFailureNotice()) << "the player is told";
  EXPECT_FALSE(UserFile::TakeSaveFailureNotice()) << "once";
  EXPECT_EQ(Read("usersdata/profiles/blocked/kept"), saved);
}

}  // namespace
