// The real program when things go wrong around it: its window destroyed by another program, the
// display killed or missing, settings it cannot use, data it cannot read whole. A watchdog kills a
// program that does not end and fails the test.

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "source/Resources/cResource.h"
#include "source/Resources/cResourceLocation.h"
#include "source/core/Singleton.h"
#include "tests/e2e/ProgramUnderTest.h"
#include "tests/support/fixtures/ResourceFixtures.h"

namespace {

constexpr int kStartTimeout = 30000;
constexpr int kWatchdog = 20000;  // far beyond any honest ending, even under the sanitizers
constexpr int kRepeats = 20;

int ExitStatus(pid_t child) { return ProgramUnderTest::ExitStatus(child, kWatchdog); }

class UnluckyPlayerTest : public ProgramTest {
 protected:
  void TearDown() override { DestroySingletons(); }

  std::string File(const std::string& name) const { return program.UserFile(name); }
  std::string Log() const { return program.Log(); }
  // A fresh run: the log that tells when it has started is that run's own.
  pid_t Start(const std::vector<std::string>& arguments = {}) {
    std::filesystem::remove(program.UserFolder() + "/tarvel.html");
    return program.Start(arguments);
  }
  // Starts the game until it has started with its window shown (the virtual display now and then
  // refuses a program: up to three tries); `window` is 0 when it never did.
  pid_t StartPlaying(unsigned long& window, const std::vector<std::string>& arguments = {}) {
    for (int attempt = 0; attempt < 3; ++attempt) {
      const pid_t child = Start(arguments);
      window = ProgramUnderTest::FindWindow(child, kStartTimeout);
      if (window != 0 && program.WaitUntilStarted(kStartTimeout) &&
          ProgramUnderTest::WaitUntilViewable(window, kStartTimeout)) {
        return child;
      }
      kill(child, SIGKILL);
      waitpid(child, nullptr, 0);
    }
    window = 0;
    return -1;
  }
  // Plays and closes the game as the close button does.
  int PlayAndClose(const std::vector<std::string>& arguments = {}) {
    unsigned long window = 0;
    const pid_t child = StartPlaying(window, arguments);
    EXPECT_TRUE(window != 0 && ProgramUnderTest::SendCloseRequest(window)) << Log();
    return child > 0 ? ExitStatus(child) : -1;
  }
};

TEST_F(UnluckyPlayerTest, AWindowDestroyedByAnotherProgramEndsTheGameAsACloseDoes) {
  for (int run = 0; run < kRepeats; ++run) {
    std::filesystem::remove(program.UserFolder() + "/tarvel.xml");
    unsigned long window = 0;
    const pid_t child = StartPlaying(window);
    ASSERT_NE(window, 0u) << Log();
    std::this_thread::sleep_for(std::chrono::milliseconds(17 * (run % 6)));  // drawing meets it at any moment
    Display* display = XOpenDisplay(nullptr);  // as xdotool windowclose does
    ASSERT_NE(display, nullptr);
    XDestroyWindow(display, window);
    XCloseDisplay(display);
    ASSERT_EQ(ExitStatus(child), 0) << "run " << run << "\n" << Log() << program.ErrorOutput();
    EXPECT_NE(File("tarvel.xml").find("<item id=\"x_size\""), std::string::npos);
  }
}

TEST_F(UnluckyPlayerTest, AKilledDisplayEndsTheGameWithOneAndTheSettingsSaved) {
  for (int run = 0; run < kRepeats; ++run) {
    program.WriteConfiguration({{"video_fullscreen", "false"}, {"x_size", "800"}, {"m_video_mode.y_size", "600"}});
    std::string display;
    const pid_t server = ProgramUnderTest::StartDisplay(display);  // one the test may kill
    ASSERT_GT(server, 0);
    const std::shared_ptr<void> kill_at_the_end(nullptr, [server](void*) {
      kill(server, SIGKILL);
      waitpid(server, nullptr, 0);
    });
    program.SetDisplay(display);
    const pid_t child = Start();
    ASSERT_TRUE(program.WaitUntilStarted(kStartTimeout)) << Log();
    std::this_thread::sleep_for(std::chrono::milliseconds(17 * (run % 6)));
    kill(server, SIGKILL);
    ASSERT_EQ(ExitStatus(child), 1) << "run " << run << "\n" << Log();
    EXPECT_NE(Log().find("the display was lost"), std::string::npos);
    // Saved: every kept setting is there, not only the three written above.
    EXPECT_NE(File("tarvel.xml").find("<item id=\"x_size\" value=\"800\"/>\n\t<item id=\"m_video_mode.y_size\""),
              std::string::npos);
  }
  EXPECT_NE(program.ErrorOutput().find("Velmaris: the display was lost"), std::string::npos);
}

TEST_F(UnluckyPlayerTest, NoDisplayIsToldOnTheTerminalInOneLine) {
  program.SetDisplay(":4095");
  EXPECT_EQ(ExitStatus(Start()), 1);
  const std::string told = program.ErrorOutput();
  EXPECT_EQ(told.rfind("Velmaris: the window could not be created (", 0), 0u) << told;
  EXPECT_EQ(told.find('\n'), told.size() - 1) << told;
}

TEST_F(UnluckyPlayerTest, GameDataMissingOrDamagedEndsTheGameAtOnceWithOneLine) {
  const std::string bin = program.BinFolder();
  program.WithoutStandInData();
  struct Case {
    const char* name;
    std::function<void()> make;
    const char* told;
  };
  const Case cases[] = {
      {"missing", [] {}, "Velmaris: the game data is missing"},
      {"a damaged pack", [&] { WriteWholeFile(bin + "/data", "RDFZ damaged beyond reading"); },
       "Velmaris: the game data pack \"data\" is damaged"},
      {"an empty folder", [&] { std::filesystem::create_directories(bin + "/data/empty"); },
       "Velmaris: the game data \"data\" holds no resources"},
      {"another game's folder", [&] { WriteWholeFile(bin + "/data/gui/menu.bin", "menu"); },
       "Velmaris: the game data \"data\" lacks the game's start files"},
  };
  for (const Case& c : cases) {
    std::filesystem::remove_all(bin + "/data");
    c.make();
    const std::string before = program.ErrorOutput();
    // A window that stayed black would never end by itself: the program must end on its own.
    EXPECT_EQ(ExitStatus(Start()), 1) << c.name;
    const std::string told = program.ErrorOutput().substr(before.size());
    EXPECT_EQ(told.rfind(c.told, 0), 0u) << c.name << ": " << told;
    EXPECT_EQ(told.find('\n'), told.size() - 1) << c.name << ": " << told;
    EXPECT_NE(Log().find("PROGRAM ABORTING! " + std::string(c.told).substr(10)), std::string::npos) << c.name;
  }
}

TEST_F(UnluckyPlayerTest, SettingsTheGameCannotUseAreNeitherUsedNorLost) {
  // A window wider than any mode: refused when read, never written back.
  program.WriteConfiguration({{"video_fullscreen", "false"}, {"x_size", "40000"}});
  ASSERT_EQ(PlayAndClose(), 0) << Log();
  EXPECT_NE(File("tarvel.xml").find("<item id=\"x_size\" value=\"1024\"/>"), std::string::npos);
  EXPECT_NE(Log().find("x_size 40000 is beyond what the display can show"), std::string::npos);

  // Single quotes are not this dialect: the file is kept aside whole and the defaults are used.
  const std::string quoted = "<config>\n\t<item id=\"video_gamma\" value='1.7'/>\n\t<item id=\"x_size\" value=\"800\"/>\n</config>";
  WriteWholeFile(program.UserFolder() + "/tarvel.xml", quoted);
  ASSERT_EQ(PlayAndClose(), 0) << Log();
  EXPECT_EQ(File("tarvel.xml.bad"), quoted);
  EXPECT_NE(File("tarvel.xml").find("<item id=\"video_gamma\" value=\"1.000000\"/>"), std::string::npos);
  EXPECT_NE(Log().find("tarvel.xml cannot be parsed (Xml::Expected a double quote"), std::string::npos) << Log();

  // A file the player cannot read is left as it is, and nothing is written over it.
  WriteWholeFile(program.UserFolder() + "/tarvel.xml", quoted);
  std::filesystem::remove(program.UserFolder() + "/tarvel.xml.bad");
  chmod((program.UserFolder() + "/tarvel.xml").c_str(), 0);
  program.RunUnprivileged();
  ASSERT_EQ(PlayAndClose(), 0) << Log();
  chmod((program.UserFolder() + "/tarvel.xml").c_str(), 0644);
  EXPECT_EQ(File("tarvel.xml"), quoted);
  EXPECT_NE(Log().find("cannot be read (Permission denied)"), std::string::npos) << Log();
}

TEST_F(UnluckyPlayerTest, APackRunWritesOnlyWholeGroupsAndOnlyWhenAskedExactly) {
  const std::string bin = program.BinFolder();
  FixtureTree(bin, "localization").AddFile("texts/en.txt", "hello");
  FixtureTree(bin, "data").AddFile("dup.txt", "1").AddFile("dup.bin", "2").AddFile(".hidden", "3").AddFile("gui/f.bin", "4");
  // Colliding names and a file without a name are left out of the pack, and logged.
  EXPECT_EQ(ExitStatus(Start({"-pack"})), 0) << Log();
  std::vector<std::string> names;
  cResourceLocation pack("my_data", bin);
  ASSERT_TRUE(pack.Mount());
  for (cResource* resource : pack.GetResources()) names.push_back(resource->GetName());
  EXPECT_EQ(names, (std::vector<std::string>{"gui\\f", "dup"}));
  EXPECT_NE(Log().find("has the name of another resource of its type"), std::string::npos);
  EXPECT_NE(Log().find(".hidden has no name before its extension"), std::string::npos);
  const std::string packed = ReadWholeFile(bin + "/my_data");

  // An argument that merely holds the switch runs the game and leaves the packs alone.
  FixtureTree(bin, "data").AddStartFiles().AddStartScreens();
  EXPECT_EQ(PlayAndClose({"--savedir=/home/me/game-packs"}), 0);
  EXPECT_EQ(ReadWholeFile(bin + "/my_data"), packed);

  // A damaged pack of the group writes nothing, and the run ends with 1.
  std::filesystem::rename(bin + "/data", bin + "/data.folder");
  WriteWholeFile(bin + "/data", "RDFZ damaged beyond reading");
  EXPECT_EQ(ExitStatus(Start({"-pack"})), 1);
  EXPECT_EQ(ReadWholeFile(bin + "/my_data"), packed);
  EXPECT_NE(Log().find("resource group data could not be read whole"), std::string::npos);
  // The developer who asked for the packs is told on the terminal too.
  EXPECT_NE(program.ErrorOutput().find("Velmaris: -pack: resource group data could not be read whole: my_data is not "
                                       "written"),
            std::string::npos)
      << program.ErrorOutput();

  // So does a folder the packer cannot read.
  std::filesystem::remove(bin + "/data");
  std::filesystem::rename(bin + "/data.folder", bin + "/data");
  WriteWholeFile(bin + "/data/locked/secret.bin", "x");
  chmod((bin + "/data/locked").c_str(), 0);
  program.RunUnprivileged();
  EXPECT_EQ(ExitStatus(Start({"-pack"})), 1);
  chmod((bin + "/data/locked").c_str(), 0755);
  EXPECT_EQ(ReadWholeFile(bin + "/my_data"), packed);
  EXPECT_NE(Log().find("locked cannot be read"), std::string::npos) << Log();
}

}  // namespace
