// The program entry run in-process over the headless services: a normal run, a second instance,
// a window that cannot be made, the exit files and the "-pack" run.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/sources/VelmarisMain.h"
#include "gui/include/DialogWindow.h"
#include "gui/include/GUIStateWindow.h"
#include "platform/os/os.h"
#include "platform/window/headless/HeadlessWindow.h"
#include "source/Resources/cResourceLocation.h"
#include "source/Resources/cResourceManager.h"
#include "source/Resources/cResource.h"
#include "source/core/Singleton.h"
#include "source/properties/cProperties.h"
#include "source/stream/cMemoryStream.h"
#include "tests/support/TempDir.h"
#include "tests/support/fixtures/ResourceFixtures.h"

namespace {

using window::MessageType;
namespace headless = window::headless;

class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const std::string& value) : m_name(name) {
    if (const char* old = std::getenv(name)) m_old = old;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnvironment() {
    if (m_old) {
      setenv(m_name, m_old->c_str(), 1);
    } else {
      unsetenv(m_name);
    }
  }

 private:
  const char* m_name;
  std::optional<std::string> m_old;
};

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DestroySingletons();
    os::ClearRecordedDesktopRequests();
    std::filesystem::create_directories(root / "exe");
    std::filesystem::create_directories(root / "data");
    std::filesystem::create_directories(root / "run");
  }
  void TearDown() override {
    DestroySingletons();
    os::ClearRecordedDesktopRequests();
  }

  // The store made before the entry runs, so that the program's folder is the test's and a key
  // can be persistent (no manager of this build marks one).
  cProperties* PrepareStore(bool with_persistent_key) {
    cProperties* properties = cProperties::GetInstance();
    properties->SetValue("exe_directory", root / "exe");
    FixtureTree(root / "exe", "data").AddStartFiles();  // the game refuses to start without its data
    if (with_persistent_key) {
      properties->SetValue("x_size", "800");
      properties->MarkPersistent("x_size");
    }
    return properties;
  }

  int RunProgram(std::vector<std::string> arguments = {}) {
    arguments.insert(arguments.begin(), "velmaris");
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    return RunVelmaris(static_cast<int>(arguments.size()), argv.data());
  }

  // The first frame asks the window to close, as the window's close button would. A program
  // that does not listen is ended after kRunaway frames (and the test sees the count).
  static constexpr int kRunaway = 10000;
  void CloseAtFirstFrame() {
    frames = 0;
    headless::SetFrameHook([this] {
      ++frames;
      if (frames == 1) headless::PushMessage({MessageType::kCloseCommand, 0});
      if (frames == kRunaway) window::PostQuitMessage(0);
    });
  }

  std::string UserFolder() const { return root / "data/Moskelt/tarvel"; }

  TempDir root{"velmaris-program"};
  ScopedEnvironment data_home{"XDG_DATA_HOME", root / "data"};
  ScopedEnvironment runtime{"XDG_RUNTIME_DIR", root / "run"};
  ScopedCurrentDirectory keep_directory{root.Path()};
  int frames = 0;
};

TEST_F(ProgramTest, NormalRunWritesConfigurationAndLogAndEndsWithZero) {
  PrepareStore(true);
  CloseAtFirstFrame();
  EXPECT_EQ(RunProgram(), 0);
  EXPECT_GE(frames, 1);
  EXPECT_LT(frames, kRunaway);  // the close request ended it
  const std::string config = ReadWholeFile(UserFolder() + "/tarvel.xml");
  EXPECT_NE(config.find("<config"), std::string::npos) << config;
  EXPECT_NE(config.find("id=\"x_size\""), std::string::npos) << config;
  const std::string log = ReadWholeFile(UserFolder() + "/tarvel.html");
  EXPECT_NE(log.find("tarvel Log"), std::string::npos);
  // With no data beside the program it still ran, and said what was missing.
  EXPECT_NE(log.find("resource group fsdata"), std::string::npos) << log;
  EXPECT_EQ(LiveSingletonCount(), 0u);
}

TEST_F(ProgramTest, SecondInstanceLeavesTheFirstOnesFilesAlone) {
  PrepareStore(true);
  std::filesystem::create_directories(UserFolder());
  const std::string config = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<config><item id=\"x_size\" value=\"1280\"/></config>\n";
  const std::string log = "<HTML>the first instance's log</HTML>";
  WriteWholeFile(UserFolder() + "/tarvel.xml", config);
  WriteWholeFile(UserFolder() + "/tarvel.html", log);
  root.WriteFile("exe/play.url", "[InternetShortcut]\nURL=https://example.org/play\n");
  // The first instance was started with another runtime folder (at the desktop, this one over
  // ssh): the lock beside the user files still finds it.
  bool held = false;
  auto first = os::InstanceLock::Acquire("my_projectVelmaris", UserFolder(), &held);
  ASSERT_NE(first, nullptr);
  ScopedEnvironment other_runtime{"XDG_RUNTIME_DIR", root / "elsewhere"};
  CloseAtFirstFrame();

  EXPECT_EQ(RunProgram(), 0);
  EXPECT_EQ(frames, 0);
  EXPECT_EQ(ReadWholeFile(UserFolder() + "/tarvel.xml"), config);
  EXPECT_EQ(ReadWholeFile(UserFolder() + "/tarvel.html"), log);
  EXPECT_TRUE(os::RecordedDesktopRequests().empty());
}

TEST_F(ProgramTest, WindowThatCannotBeMadeEndsWithOneAfterSavingAndTheExitFiles) {
  PrepareStore(true);
  root.WriteFile("exe/play.url", "[InternetShortcut]\nURL=https://example.org/play\n");
  headless::FailNextCreate("no display");
  CloseAtFirstFrame();
  EXPECT_EQ(RunProgram(), 1);
  EXPECT_EQ(frames, 0);
  EXPECT_TRUE(os::FileExists(UserFolder() + "/tarvel.xml"));
  EXPECT_NE(ReadWholeFile(UserFolder() + "/tarvel.html").find("Creation window failed"), std::string::npos);
  const std::vector<std::string> requests = os::RecordedDesktopRequests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0], "open https://example.org/play");
}

TEST_F(ProgramTest, ExitFilesOpenOnlyWebAddressesAndAProgramThatMayRun) {
  PrepareStore(false);
  root.WriteFile("exe/play.url", "[InternetShortcut]\r\nURL=https://example.org/play\r\n");
  root.WriteFile("exe/Homepage.url", "[InternetShortcut]\nURL=file:///etc/passwd\n");
  root.WriteFile("exe/fscommand/wgame.exe", "#!/bin/sh\n");
  chmod((root / "exe/fscommand/wgame.exe").c_str(), 0755);
  CloseAtFirstFrame();
  EXPECT_EQ(RunProgram(), 0);
  const std::vector<std::string> requests = os::RecordedDesktopRequests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0], "open https://example.org/play");
  EXPECT_EQ(requests[1].rfind("start ", 0), 0u);
  EXPECT_NE(requests[1].find("wgame.exe"), std::string::npos);
  // A program that may not run is not started.
  DestroySingletons();
  os::ClearRecordedDesktopRequests();
  PrepareStore(false);
  chmod((root / "exe/fscommand/wgame.exe").c_str(), 0644);
  CloseAtFirstFrame();
  EXPECT_EQ(RunProgram(), 0);
  EXPECT_EQ(os::RecordedDesktopRequests(), std::vector<std::string>{"open https://example.org/play"});
}

// The resources of a group as name -> bytes.
std::map<std::string, std::string> GroupContent(cResourceLocation& location) {
  std::map<std::string, std::string> content;
  for (cResource* resource : location.GetResources()) {
    cMemoryStream bytes;
    resource->GetSource().LoadData(bytes);
    content[resource->GetName()] = std::string(reinterpret_cast<const char*>(bytes.GetData()), bytes.GetSize());
  }
  return content;
}

TEST_F(ProgramTest, PackRunWritesBothPacksWithTheFoldersContentAndNothingElse) {
  PrepareStore(true);
  FixtureTree(root / "exe", "data")
      .AddFile("levels\\stage.xml", "<stage/>")
      .AddFile("audio/click.wav", RandomBytes(3000, 7))
      .AddFile("scripts/a.cnf", CompressibleText(5000));
  FixtureTree(root / "exe", "localization").AddFile("texts/en.txt", "hello");
  CloseAtFirstFrame();
  EXPECT_EQ(RunProgram({"-pack"}), 0);
  EXPECT_EQ(frames, 0);
  EXPECT_FALSE(os::FileExists(UserFolder() + "/tarvel.xml"));  // no configuration save
  ASSERT_TRUE(os::FileExists(root / "exe/my_data"));
  ASSERT_TRUE(os::FileExists(root / "exe/my_localization"));

  for (const char* group : {"data", "localization"}) {
    cResourceLocation folder(group, root / "exe");
    ASSERT_TRUE(folder.Mount());
    cResourceLocation pack(std::string("my_") + group, root / "exe");
    ASSERT_TRUE(pack.Mount());
    EXPECT_TRUE(pack.IsPack());
    EXPECT_EQ(GroupContent(pack), GroupContent(folder)) << group;
  }
}

// A pack run that cannot write both packs ends with one: a group is missing, or a folder stands
// where a pack should go (it cannot be replaced by a file).
TEST_F(ProgramTest, PackRunThatCannotWriteBothPacksEndsWithOne) {
  PrepareStore(false);
  FixtureTree(root / "exe", "data").AddFile("a.txt", "a");
  CloseAtFirstFrame();
  EXPECT_EQ(RunProgram({"-pack"}), 1);
  EXPECT_TRUE(os::FileExists(root / "exe/my_data"));
  EXPECT_FALSE(os::FileExists(root / "exe/my_localization"));
  EXPECT_NE(ReadWholeFile(UserFolder() + "/tarvel.html").find("no resource group localization"), std::string::npos);
  DestroySingletons();
  PrepareStore(false);
  FixtureTree(root / "exe", "localization").AddFile("b.txt", "b");
  std::filesystem::remove(root / "exe/my_data");
  std::filesystem::create_directories(root / "exe/my_data");
  CloseAtFirstFrame();
  EXPECT_EQ(RunProgram({"-pack"}), 1);
  EXPECT_TRUE(os::FileExists(root / "exe/my_localization"));
}

}  // namespace

TEST_F(ProgramTest, FormsAndDialogsStillOpenAtTheEndAreTornDownWithTheGuiBeforeTheRenderer) {
  PrepareStore(false);
  FixtureTree(root / "exe", "data")
      .AddResourceList("gui/forms.resource",
                       {{"gui\\test\\panel", "form",
                         "<form><window name=\"face\" shader=\"gui\\face\" size=\"100 50 1\">"
                         "<window name=\"knob\" shader=\"gui\\knob\" size=\"10 10 1\"/></window></form>"}});
  frames = 0;
  GUIStateWindow* panel = nullptr;
  headless::SetFrameHook([&] {
    ++frames;
    if (frames == 1) {
      panel = new GUIStateWindow("panel");
      panel->SetFormByName("gui\\test\\panel");
      panel->Show();
      auto* dialog = new DialogWindow("question");
      dialog->SetFormByName("gui\\test\\panel");
      dialog->Show();
    }
    if (frames == 4) headless::PushMessage({MessageType::kCloseCommand, 0});
    if (frames == kRunaway) window::PostQuitMessage(0);
  });
  EXPECT_EQ(RunProgram(), 0);
  ASSERT_NE(panel, nullptr);
  EXPECT_LT(frames, kRunaway);
  EXPECT_EQ(LiveSingletonCount(), 0u);
  const std::string log = ReadWholeFile(UserFolder() + "/tarvel.html");
  EXPECT_NE(log.find("loading form gui\\test\\panel"), std::string::npos) << log;
}
