// The shell's screens with their forms damaged in the game data, through the real program: the
// player is told in a message box instead of a black or dead screen. Without the main menu the
// box's OK ends the program with one line on the terminal and status 1; without the box itself it
// ends so on its own; a sub-screen or the credits that cannot be built leave the menu working.
// Frames are kept as PNG files in the build folder ("damaged-screens-frames").

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/e2e/GameScreen.h"
#include "tests/e2e/PlayerHands.h"
#include "tests/support/fixtures/ResourceFixtures.h"

namespace {

using namespace e2e;

constexpr Point kBoxOk{512, 303};

class DamagedScreensTest : public GameScreen {
 protected:
  DamagedScreensTest() : GameScreen("damaged-screens") {}

  std::string Resource(const std::string& name) const { return program.BinFolder() + "/data/gui/" + name; }
  // A fresh run: its own log, and what it says on the terminal from now on.
  pid_t Start() {
    std::filesystem::remove(program.UserFolder() + "/tarvel.html");
    told_before = program.ErrorOutput().size();
    return StartGame();
  }
  std::string Told() const { return program.ErrorOutput().substr(told_before); }
  int ExitStatus(pid_t child) { return ProgramUnderTest::ExitStatus(child, 4 * kTimeout); }
  void ExpectOneLine(const std::string& start) const {
    const std::string told = Told();
    EXPECT_EQ(told.rfind(start, 0), 0u) << told;
    EXPECT_EQ(told.find('\n'), told.size() - 1) << told;
  }

  std::size_t told_before = 0;
};

TEST_F(DamagedScreensTest, ADamagedMainMenuIsToldInABoxWhoseOkEndsTheGameWithOneLine) {
  const std::string whole = ReadWholeFile(Resource("screens.resource"));
  ASSERT_GT(whole.size(), 1000u);
  std::string scrambled = whole;
  for (std::size_t i = 0; i < scrambled.size(); i += 3) scrambled[i] = static_cast<char>(scrambled[i] ^ 0x5A);
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {{"cut", whole.substr(0, whole.size() / 2)}, {"emptied", ""}, {"scrambled", scrambled}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteWholeFile(Resource("screens.resource"), c.bytes);
    const pid_t child = Start();
    ASSERT_TRUE(WaitForFrontScreen(program, "message_box", kTimeout)) << Log();
    EXPECT_TRUE(WaitForParchment(std::string(c.name) + "-box", kSmallDialog, true)) << Log();
    EXPECT_EQ(Log().find("screen in front: MainMenu"), std::string::npos) << "never built, never in front";
    Click(kBoxOk);
    EXPECT_EQ(ExitStatus(child), 1) << Log();
    ExpectOneLine("Velmaris: the game's screen MainMenu cannot be built: its form is missing or damaged");
  }
}

TEST_F(DamagedScreensTest, WithoutTheMessageBoxTheGameEndsOnItsOwnWithOneLine) {
  // The name prompt and both boxes lie in this file: a first start can neither ask for a name
  // nor say why not.
  WriteWholeFile(Resource("dialogs.resource"), "");
  const pid_t child = program.StartProgram("velmaris", {}, {"SDL_AUDIODRIVER=dummy"});
  ASSERT_GT(child, 0);
  EXPECT_EQ(ExitStatus(child), 1) << Log();  // the logos pass by themselves
  ExpectOneLine("Velmaris: the game's screen GameEnterName cannot be built");
  EXPECT_NE(Log().find("not even the message box can be built"), std::string::npos) << Log();
}

TEST_F(DamagedScreensTest, EachSubScreenThatCannotBeBuiltIsToldAndTheMenuGoesOn) {
  std::string screens = ReadWholeFile(Resource("screens.resource"));
  for (const char* form : {"windows\\options", "windows\\users_menu", "windows\\records", "windows\\help",
                           "credits\\credits"}) {
    const std::string name = std::string("name=\"gui\\") + form + "\"";
    const std::size_t at = screens.find(name);
    ASSERT_NE(at, std::string::npos) << form;
    screens.insert(at + name.size() - 1, "_lost");  // its form is gone from the game data
  }
  WriteWholeFile(Resource("screens.resource"), screens);
  ASSERT_EQ(program.SeedPlayer("Ada location_1"), "");
  const pid_t child = Start();
  ASSERT_TRUE(WaitForFrontScreen(program, "MainMenu", kTimeout)) << Log();
  struct Case {
    const char* button;
    Point at;
    const char* screen;
  };
  const Case cases[] = {{"players", {512, 453}, "GameProfile"},
                        {"options", {512, 383}, "GameOptions"},
                        {"records", {512, 313}, "GameRecords"},
                        {"help", {512, 243}, "GameHelp"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    ASSERT_TRUE(WaitForParchment(std::string(c.button) + "-menu", kMenuBoard, true)) << Log();
    const std::size_t boxes = LogCount("screen in front: message_box");
    Click(c.at);
    ASSERT_TRUE(WaitForLog("screen in front: message_box", kTimeout, boxes)) << Log();
    EXPECT_TRUE(WaitForParchment(std::string(c.button) + "-box", kSmallDialog, true)) << Log();
    EXPECT_NE(Log().find(std::string(c.screen) + " cannot be built: its form is missing or damaged"), std::string::npos);
    EXPECT_EQ(Log().find("screen in front: " + std::string(c.screen)), std::string::npos);
    Click(kBoxOk);
    EXPECT_TRUE(WaitForFrontScreen(program, "MainMenu", kTimeout)) << Log();
    EXPECT_TRUE(WaitForParchment(std::string(c.button) + "-box-gone", kSmallDialog, false)) << Log();
  }
  // The credits, behind three laps of the pointer over Play, Options and Exit. A frame slow
  // enough to miss a target starts the laps over: they are run again until the game answers.
  const std::size_t boxes = LogCount("screen in front: message_box");
  bool answered = false;
  for (int attempt = 0; attempt < 6 && !answered; ++attempt) {
    for (int lap = 0; lap < 3; ++lap) {
      for (const Point at : {Point{512, 523}, Point{512, 383}, Point{512, 173}}) Xdotool(Move(at) + " sleep 1");
    }
    answered = WaitForLog("screen in front: message_box", 5000, boxes);
  }
  ASSERT_TRUE(answered) << Log();
  EXPECT_TRUE(WaitForParchment("credits-box", kSmallDialog, true)) << Log();
  EXPECT_NE(Log().find("credits cannot be built: its form is missing or damaged"), std::string::npos);
  EXPECT_EQ(Log().find("screen in front: credits"), std::string::npos);
  Click(kBoxOk);
  EXPECT_TRUE(WaitForFrontScreen(program, "MainMenu", kTimeout)) << Log();
  CloseGame(child);
  EXPECT_EQ(Told(), "");
}

}  // namespace
