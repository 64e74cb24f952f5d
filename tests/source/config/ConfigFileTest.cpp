#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "source/config/Config.h"
#include "source/properties/cBoundProperty.h"
#include "source/properties/cProperties.h"
#include "source/stream/cMemoryStream.h"
#include "tests/support/TempDir.h"

namespace {

const std::string kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

// Every test runs with its own application-data folder and a fresh store named as the game
// names it at start-up.
class ConfigFile : public testing::Test {
 protected:
  void SetUp() override {
    const char* old = std::getenv("XDG_DATA_HOME");
    m_old_data_home = old != nullptr ? old : "";
    setenv("XDG_DATA_HOME", m_dir.Path().c_str(), 1);
    FreshStore();
  }
  void TearDown() override {
    Unbind();
    DestroySingletons();
    setenv("XDG_DATA_HOME", m_old_data_home.c_str(), 1);
  }

  // A new run: the store is made again and the identity is set before loading.
  cProperties& FreshStore() {
    Unbind();
    DestroySingletons();
    m_store = cProperties::GetInstance();
    m_store->SetValue("short_name", "tarvel");
    m_store->SetValue("application_name", "Velmaris");
    return *m_store;
  }
  // The managers of a run bind and mark their settings.
  void BindManagers() {
    BindProperty(m_store->GetMap(), "video_width", &m_width);
    BindProperty(m_store->GetMap(), "video_fullscreen", &m_fullscreen);
    BindProperty(m_store->GetMap(), "music_volume", &m_music);
    m_store->MarkPersistent("video_width");
    m_store->MarkPersistent("video_fullscreen");
    m_store->MarkPersistent("music_volume");
  }
  void Unbind() {
    if (m_store == nullptr || !cProperties::IsAlive()) return;
    for (const char* key : {"video_width", "video_fullscreen", "music_volume"}) {
      SetPropertyBinding(m_store->GetMap(), key, PropertyPtr());
    }
  }

  // Loads the configuration; answers what was told on standard error (the log is not open yet),
  // the XML reader's report of a syntax error on standard output left unread.
  std::string LoadTold() {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    LoadConfig(*m_store);
    testing::internal::GetCapturedStdout();
    return testing::internal::GetCapturedStderr();
  }

  std::string UserFolder() const { return m_dir.Path() + "/Moskelt/tarvel"; }
  std::string FileBytes() const { return m_dir.ReadFile("Moskelt/tarvel/tarvel.xml"); }
  void WriteFileBytes(const std::string& bytes) const { m_dir.WriteFile("Moskelt/tarvel/tarvel.xml", bytes); }
  bool FileExists() const { return std::filesystem::exists(UserFolder() + "/tarvel.xml"); }

  TempDir m_dir{"velmaris-config"};
  std::string m_old_data_home;
  cProperties* m_store = nullptr;
  int m_width = 800;
  bool m_fullscreen = false;
  float m_music = 1.0f;
};

TEST_F(ConfigFile, LoadingSetsTheUserFolderAndMakesIt) {
  LoadConfig(*m_store);
  const std::string folder = m_dir.Path() + "\\Moskelt\\tarvel";
  EXPECT_EQ(m_store->GetUserFolder(), folder);
  EXPECT_EQ(m_store->GetValue("engine_directory"), folder);
  EXPECT_EQ(m_store->GetValue("log_directory"), folder);
  EXPECT_TRUE(std::filesystem::is_directory(UserFolder()));
  EXPECT_EQ(ConfigFilePath(*m_store), folder + "\\tarvel.xml");
}

TEST_F(ConfigFile, TheUserFolderFollowsTheCompanyName) {
  m_store->SetValue("company name", "Other Studio");
  LoadConfig(*m_store);
  EXPECT_TRUE(std::filesystem::is_directory(m_dir.Path() + "/Other Studio/tarvel"));
}

TEST_F(ConfigFile, IsWrittenByteForByteWithPersistentKeysInMarkingOrder) {
  LoadConfig(*m_store);
  BindManagers();
  m_width = 1024;
  m_music = 0.5f;
  ASSERT_TRUE(SaveConfig(*m_store));
  const std::string expected = kDeclaration +
                               "<config>\n"
                               "\t<item id=\"video_width\" value=\"1024\"/>\n"
                               "\t<item id=\"video_fullscreen\" value=\"false\"/>\n"
                               "\t<item id=\"music_volume\" value=\"0.500000\"/>\n"
                               "</config>";
  EXPECT_EQ(FileBytes(), expected);
}

// An empty text is a value too: the player's cleared setting must not come back as the default.
TEST_F(ConfigFile, ValuesComeBackInTheNextRun) {
  LoadConfig(*m_store);
  BindManagers();
  m_width = 1280;
  m_fullscreen = true;
  m_music = 0.25f;
  m_store->SetValue("player_title", "");
  m_store->MarkPersistent("player_title");
  ASSERT_TRUE(SaveConfig(*m_store));

  FreshStore();
  m_width = 800;
  m_fullscreen = false;
  m_music = 1.0f;
  m_store->SetValue("player_title", "the default");
  LoadConfig(*m_store);
  // Until the managers exist the values wait as text.
  EXPECT_EQ(m_store->GetValue("video_width"), "1280");
  EXPECT_EQ(m_store->GetValue("player_title"), "");
  BindManagers();
  EXPECT_EQ(m_width, 1280);
  EXPECT_TRUE(m_fullscreen);
  EXPECT_EQ(m_music, 0.25f);
}

TEST_F(ConfigFile, AKeyNobodyMarkedIsLoadedButNotWrittenBack) {
  WriteFileBytes(kDeclaration + "<config>\n\t<item id=\"old_setting\" value=\"7\"/>\n</config>");
  LoadConfig(*m_store);
  EXPECT_EQ(m_store->GetValue("old_setting"), "7");
  BindManagers();
  ASSERT_TRUE(SaveConfig(*m_store));
  EXPECT_EQ(FileBytes().find("old_setting"), std::string::npos);
}

TEST_F(ConfigFile, APersistentKeyMissingFromTheFileIsWrittenWithTheBindersDefault) {
  WriteFileBytes(kDeclaration + "<config>\n\t<item id=\"video_width\" value=\"640\"/>\n</config>");
  LoadConfig(*m_store);
  BindManagers();
  EXPECT_EQ(m_width, 640);
  EXPECT_EQ(m_music, 1.0f);
  ASSERT_TRUE(SaveConfig(*m_store));
  EXPECT_NE(FileBytes().find("<item id=\"music_volume\" value=\"1.000000\"/>"), std::string::npos);
}

TEST_F(ConfigFile, ItemsNamedOtherwiseStillLoad) {
  WriteFileBytes("<config><entry value=\"1024\" id=\"video_width\"/><setting id=\"video_fullscreen\" "
                 "value=\"true\"></setting></config>");
  LoadConfig(*m_store);
  BindManagers();
  EXPECT_EQ(m_width, 1024);
  EXPECT_TRUE(m_fullscreen);
}

TEST_F(ConfigFile, AnItemWithoutAnIdIsSkippedAndOneWithoutAValueGivesEmptyText) {
  WriteFileBytes("<config><item value=\"5\"/><item id=\"video_width\"/></config>");
  LoadConfig(*m_store);
  EXPECT_EQ(m_store->GetMap().count(""), 0u);
  EXPECT_EQ(m_store->GetValue("video_width"), "");
  BindManagers();
  EXPECT_EQ(m_width, 0);  // atoi of nothing
}

TEST_F(ConfigFile, AFileThatDoesNotParseIsSetAsideAndANewOneStartsWithTheDefaults) {
  const std::vector<std::string> files = {
      "",
      "\x01\x02\x03 binary junk",
      "<config><item id=\"video_width\" value=\"1024\"></wrong></config>",
      "<config><item id=\"video_width\" value='1024'/><item id=\"music_volume\" value=\"0.5\"/></config>",
      "<settings><item id=\"video_width\" value=\"1024\"/></settings>",
      "just words",
  };
  for (const std::string& bytes : files) {
    SCOPED_TRACE(bytes);
    std::filesystem::remove(UserFolder() + "/tarvel.xml.bad");
    FreshStore();
    WriteFileBytes(bytes);
    EXPECT_NE(LoadTold().find("cannot be parsed ("), std::string::npos);
    EXPECT_EQ(m_store->GetValue("video_width"), "");
    EXPECT_EQ(m_dir.ReadFile("Moskelt/tarvel/tarvel.xml.bad"), bytes);
    BindManagers();
    EXPECT_EQ(m_music, 1.0f);
    EXPECT_TRUE(SaveConfig(*m_store));
    EXPECT_EQ(m_dir.ReadFile("Moskelt/tarvel/tarvel.xml.bad"), bytes);
  }
  std::filesystem::remove(UserFolder() + "/tarvel.xml");
  FreshStore();
  EXPECT_EQ(LoadTold(), "") << "a first run: nothing to read and nothing to report";
}

// Damaged again and again: the newest is ".bad", the two before it ".bad.1" and ".bad.2", the
// oldest goes, and every run saves the player's settings again.
TEST_F(ConfigFile, EachDamagedFileIsSetAsideTheLastThreeKeptAndSettingsSavedAgain) {
  const std::string aside = "Moskelt/tarvel/tarvel.xml.bad";
  for (int run = 1; run <= 5; ++run) {
    SCOPED_TRACE(run);
    FreshStore();
    WriteFileBytes("<config><item id='" + std::to_string(run) + "'/></config>");
    EXPECT_NE(LoadTold().find("it is kept as"), std::string::npos);
    BindManagers();
    m_music = 0.25f;
    ASSERT_TRUE(SaveConfig(*m_store));
    EXPECT_NE(FileBytes().find("<item id=\"music_volume\" value=\"0.250000\"/>"), std::string::npos);
    for (int age = 0; age < 3; ++age) {
      const std::string name = aside + (age == 0 ? "" : "." + std::to_string(age));
      const int from = run - age;
      if (from >= 1) {
        EXPECT_EQ(m_dir.ReadFile(name), "<config><item id='" + std::to_string(from) + "'/></config>") << name;
      } else {
        EXPECT_FALSE(std::filesystem::exists(m_dir.Path() + "/" + name)) << name;
      }
    }
    EXPECT_FALSE(std::filesystem::exists(m_dir.Path() + "/" + aside + ".3"));
  }
}

// Where a set-aside name cannot be freed, the damaged file stays where it is and nothing is
// written over it or over the older ones.
TEST_F(ConfigFile, AnUnparsableFileIsLeftInPlaceWhenNoSetAsideNameCanBeFreed) {
  const std::string damaged = "<config><item id='1'/></config>";
  WriteFileBytes(damaged);
  m_dir.WriteFile("Moskelt/tarvel/tarvel.xml.bad", "an older file set aside");
  std::filesystem::create_directories(UserFolder() + "/tarvel.xml.bad.2/in");
  const std::string said = LoadTold();
  EXPECT_NE(said.find("cannot be removed: it is left as it is"), std::string::npos) << said;
  BindManagers();
  EXPECT_FALSE(SaveConfig(*m_store));
  EXPECT_EQ(FileBytes(), damaged);
  EXPECT_EQ(m_dir.ReadFile("Moskelt/tarvel/tarvel.xml.bad"), "an older file set aside");
  EXPECT_TRUE(std::filesystem::is_directory(UserFolder() + "/tarvel.xml.bad.2/in"));
}

TEST_F(ConfigFile, TemporariesOfASaveCutShortAreRemovedAtTheNextStart) {
  m_dir.WriteFile("Moskelt/tarvel/tarvel.xml.tmp-4242-0", "<config><item id=");
  m_dir.WriteFile("Moskelt/tarvel/profiles.pmf.tmp-4242-1", "another file's");
  LoadConfig(*m_store);
  EXPECT_FALSE(std::filesystem::exists(UserFolder() + "/tarvel.xml.tmp-4242-0"));
  EXPECT_TRUE(std::filesystem::exists(UserFolder() + "/profiles.pmf.tmp-4242-1"));
}

// A file cut short would lose every setting after the cut, and be saved back so: it is set aside
// whole, with the reader's reason and the file's name in the log.
TEST_F(ConfigFile, ATruncatedFileIsSetAsideWithItsReason) {
  const std::string whole = kDeclaration +
                            "<config>\n\t<item id=\"video_width\" value=\"1024\"/>\n"
                            "\t<item id=\"music_volume\" value=\"0.500000\"/>\n</config>";
  for (std::size_t length = 1; length < whole.size(); ++length) {
    std::filesystem::remove(UserFolder() + "/tarvel.xml.bad");
    FreshStore();
    WriteFileBytes(whole.substr(0, length));
    const std::string said = LoadTold();
    ASSERT_EQ(m_store->GetValue("video_width"), "") << length;
    ASSERT_EQ(m_dir.ReadFile("Moskelt/tarvel/tarvel.xml.bad"), whole.substr(0, length)) << length;
    EXPECT_NE(said.find("tarvel.xml cannot be parsed (Xml::"), std::string::npos) << said;
  }
  FreshStore();
  WriteFileBytes(whole);
  LoadConfig(*m_store);
  EXPECT_EQ(m_store->GetValue("music_volume"), "0.500000");
}

TEST_F(ConfigFile, AFileThePlayerMadeReadOnlyIsReadButNeverWrittenOver) {
  const std::string kept = kDeclaration + "<config>\n\t<item id=\"video_width\" value=\"1600\"/>\n</config>";
  WriteFileBytes(kept);
  std::filesystem::permissions(UserFolder() + "/tarvel.xml", std::filesystem::perms::owner_read);
  LoadConfig(*m_store);
  BindManagers();
  EXPECT_EQ(m_width, 1600);
  m_width = 800;
  testing::internal::CaptureStderr();
  EXPECT_FALSE(SaveConfig(*m_store));
  EXPECT_NE(testing::internal::GetCapturedStderr().find("is read-only"), std::string::npos);
  EXPECT_EQ(FileBytes(), kept);
}

TEST_F(ConfigFile, NothingIsWrittenWhenNoKeyIsPersistent) {
  LoadConfig(*m_store);
  EXPECT_FALSE(SaveConfig(*m_store));
  EXPECT_FALSE(FileExists());
  const std::string kept = kDeclaration + "<config>\n\t<item id=\"video_width\" value=\"1600\"/>\n</config>";
  WriteFileBytes(kept);
  EXPECT_FALSE(SaveConfig(*m_store));
  EXPECT_EQ(FileBytes(), kept);
}

TEST_F(ConfigFile, ReplacingALongerFileLeavesNoStaleTailAndNoTemporaryFile) {
  WriteFileBytes(kDeclaration + "<config>\n" + std::string(5000, ' ') + "</config>");
  LoadConfig(*m_store);
  BindManagers();
  ASSERT_TRUE(SaveConfig(*m_store));
  const std::string bytes = FileBytes();
  EXPECT_EQ(bytes.substr(bytes.size() - 9), "</config>");
  EXPECT_LT(bytes.size(), 300u);
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(UserFolder())) {
    names.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(names, (std::vector<std::string>{"tarvel.xml"}));
}

TEST_F(ConfigFile, SavingMakesTheFolderWhenItIsMissing) {
  LoadConfig(*m_store);
  std::filesystem::remove_all(UserFolder());
  BindManagers();
  EXPECT_TRUE(SaveConfig(*m_store));
  EXPECT_TRUE(FileExists());
}

TEST_F(ConfigFile, ASaveThatFailsIsLogged) {
  m_dir.WriteFile("Moskelt", "a file where the folder should be");
  LoadConfig(*m_store);
  BindManagers();
  testing::internal::CaptureStderr();
  EXPECT_FALSE(SaveConfig(*m_store));
  EXPECT_NE(testing::internal::GetCapturedStderr().find("the configuration could not be saved to"), std::string::npos);
}

TEST_F(ConfigFile, AValueWithADoubleQuoteIsLeftOutSoTheRestStaysReadable) {
  LoadConfig(*m_store);
  BindManagers();
  m_store->SetValue("player_title", "the \"great\"");
  m_store->MarkPersistent("player_title");
  m_width = 1152;
  testing::internal::CaptureStderr();  // the log is not open: the warning goes to stderr
  ASSERT_TRUE(SaveConfig(*m_store));
  const std::string warning = testing::internal::GetCapturedStderr();
  EXPECT_NE(warning.find("Warning: setting player_title not saved"), std::string::npos) << warning;
  EXPECT_EQ(FileBytes().find("player_title"), std::string::npos);

  FreshStore();
  LoadConfig(*m_store);
  EXPECT_EQ(m_store->GetValue("video_width"), "1152");
}

TEST_F(ConfigFile, ReadsFromAnyStream) {
  cMemoryStream stream;
  const std::string bytes = "<config><item id=\"a\" value=\"b\"/></config>";
  stream.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
  stream.Seek(0, 0);
  EXPECT_TRUE(ReadConfig(stream, *m_store));
  EXPECT_EQ(m_store->GetValue("a"), "b");
}

}  // namespace
