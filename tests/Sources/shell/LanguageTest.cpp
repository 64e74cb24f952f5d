// Languages and the game initialisation file: which language becomes current, which font slots
// are filled, the text resource chosen, and the C library's locale after a switch.

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cwctype>
#include <string>
#include <utility>
#include <vector>

#include "Sources/shell/GuiShellSeam.h"
#include "app/sources/LanguageSwitch.h"
#include "Sources/shell/cGame.h"
#include "Sources/shell/cLanguageManager.h"
#include "source/core/Singleton.h"
#include "source/stream/cMemoryStream.h"
#include "source/xml/XmlDocument.h"
#include "tests/support/Found.h"
#include "tests/support/TempDir.h"
#include "tests/support/MemoryBytes.h"

namespace {

using Fonts = std::vector<std::pair<int, std::string>>;

class LanguageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DestroySingletons();
    fonts.clear();
    text.clear();
    view = {};
    GetGuiShellSeam().Install({[this](float w, float h) { view = {w, h}; },
                               [this](int slot, const std::string& name) {
                                 fonts.emplace_back(slot, name);
                                 return name != "missing";
                               },
                               [this](const std::string& name) { text = name; }});
  }
  void TearDown() override {
    GetGuiShellSeam().Install({});
    DestroySingletons();
    std::setlocale(LC_ALL, "C");
  }
  // The game's start-up over an initialisation file made of `xml`.
  void StartWith(std::string xml) {
    std::replace(xml.begin(), xml.end(), '\'', '"');  // the reader knows double quotes only
    cMemoryStream stream = StreamOf(xml);
    XmlDocument document;
    ASSERT_TRUE(document.Load(stream));
    cGame game;
    game.ApplyGameInit(document.GetRoot());
    game.Init();  // no resource of that name here: the file is skipped, the text table still set
  }
  std::string Current() { return Found(cLanguageManager::GetInstance()->GetCurrent()).code; }

  std::pair<float, float> view;
  Fonts fonts;
  std::string text;
};

// The initialisation file chooses the language and its fonts, unless the command line asks for one
// the game has.
TEST_F(LanguageTest, TheInitialisationFileOrTheCommandLineChoosesTheLanguageAndItsFonts) {
  const std::string both =
      "<game_init><active_language lang='en'/><lang name='en'><select type='font' name='e'/></lang>"
      "<lang name='ru'><select type='font' name='r'/></lang></game_init>";
  const struct {
    const char* what;
    std::vector<const char*> arguments;
    std::string xml;
    std::string language;
    Fonts fonts;
  } cases[] = {
      {"no active language: Russian from the start", {"velmaris"},
       "<game_init><lang name='en'><select type='font' name='e'/></lang>"
       "<lang name='ru'><select type='font' id='3' name='a'/><select type='font' name='b'/></lang></game_init>",
       "ru", {{3, "a"}, {1, "b"}}},
      {"a section is compared with the language current when it is read", {"velmaris"},
       "<game_init><lang name='ru'><select type='font' name='r'/></lang><active_language lang='en'/>"
       "<lang name='en'><select type='font' name='e'/></lang></game_init>",
       "ru", {{0, "r"}}},
      {"the code is found whatever its case, the section name must match exactly", {"velmaris"},
       "<game_init><active_language lang='EN'/><lang name='EN'><select type='font' name='x'/></lang>"
       "<lang name='en'><select type='font' name='e'/></lang></game_init>",
       "en", {{0, "e"}}},
      {"no lang attribute means English", {"velmaris"},
       "<game_init><active_language/><lang name='en'><select type='font' name='e'/></lang></game_init>", "en",
       {{0, "e"}}},
      {"reading ends after the language's section", {"velmaris"},
       "<game_init><lang name='ru'/><active_language lang='fr'/><lang name='fr'/></game_init>", "ru", {}},
      {"other selects and elements are skipped", {"velmaris"},
       "<game_init><x/><lang name='ru'><select name='no type'/><select type='FONT' name='n'/><font name='f'/>"
       "<select type='font' name='missing'/></lang></game_init>",
       "ru", {{0, "missing"}}},
      {"an unknown code keeps its own code, so its texts are still found", {"velmaris"},
       "<game_init><active_language lang='pl'/><lang name='pl'><select type='font' name='p'/></lang></game_init>", "pl",
       {{0, "p"}}},
      {"slots outside 0..255 or not plain numbers are refused but counted", {"velmaris"},
       "<game_init><lang name='ru'><select type='font' id='256' name='a'/><select type='font' id='-1' name='b'/>"
       "<select type='font' id='3x' name='c'/><select type='font' id='99999999999' name='d'/>"
       "<select type='font' id='255' name='e'/><select type='font' name='f'/></lang></game_init>",
       "ru", {{255, "e"}, {5, "f"}}},
      {"none asked for: the file's", {"velmaris"}, both, "en", {{0, "e"}}},
      {"-lang ru: Russian with its fonts", {"velmaris", "-lang", "ru"}, both, "ru", {{0, "r"}}},
      {"-lang=ru", {"velmaris", "-lang=ru"}, both, "ru", {{0, "r"}}},
      {"the code in any case", {"velmaris", "-lang", "RU"}, both, "ru", {{0, "r"}}},
      {"the last one given", {"velmaris", "-lang", "ru", "-lang", "en"}, both, "en", {{0, "e"}}},
      {"a code the game lacks is refused: the file's stays", {"velmaris", "-lang", "xx"}, both, "en", {{0, "e"}}},
      {"-lang without a code", {"velmaris", "-lang"}, both, "en", {{0, "e"}}},
      {"-language is not -lang", {"velmaris", "-language", "ru"}, both, "en", {{0, "e"}}},
      {"with -pack beside it", {"velmaris", "-lang", "ru", "-pack"}, both, "ru", {{0, "r"}}},
      {"a file without an active language: the one asked for, not the first",
       {"velmaris", "-lang", "en"},
       "<game_init><lang name='en'><select type='font' name='e'/></lang></game_init>", "en", {{0, "e"}}},
  };
  for (const auto& c : cases) {
    SetUp();
    std::vector<char*> argv;
    for (const char* argument : c.arguments) argv.push_back(const_cast<char*>(argument));
    ChooseLanguageFromCommandLine(static_cast<int>(argv.size()), argv.data());
    StartWith(c.xml);
    EXPECT_EQ(Current(), c.language) << c.what;
    EXPECT_EQ(fonts, c.fonts) << c.what;
    EXPECT_EQ(text, c.language) << c.what;
    EXPECT_EQ(view, (std::pair<float, float>{1024.0f, 768.0f}));
    TearDown();
  }
}

// A German locale made for the test, so that a comma-writing locale is really there.
bool MakeGermanLocale(const std::string& folder) {
  const std::string command = "localedef -i de_DE -f UTF-8 " + folder + "/de_DE.UTF-8 > /dev/null 2>&1";
  if (std::system(command.c_str()) != 0) return false;
  setenv("LOCPATH", folder.c_str(), 1);
  return true;
}

TEST_F(LanguageTest, NumbersStayCWhileLettersAndCollationFollowTheLanguage) {
  TempDir locales("velmaris-locale");
  const bool german = MakeGermanLocale(locales.Path());
  cLanguageManager* languages = cLanguageManager::GetInstance();
  languages->Activate("PL");
  languages->Activate("pl");  // an unknown code is added once, as an English-like language
  EXPECT_EQ(languages->GetCount(), 7u);
  EXPECT_EQ(Found(languages->GetCurrent()).identifier, 0x409u);
  languages->Activate("ge");
  char number[32];
  std::snprintf(number, sizeof number, "%f", 0.5);
  EXPECT_STREQ(number, "0.500000");
  EXPECT_EQ(std::strtod("0.25", nullptr), 0.25);
  EXPECT_EQ(std::towlower(0x416), 0x436u);
  EXPECT_EQ(std::towupper(0xE4), 0xC4u);
  if (german) {
    EXPECT_STREQ(std::setlocale(LC_COLLATE, nullptr), "de_DE.UTF-8");
  }
  EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
  unsetenv("LOCPATH");
  if (!german) GTEST_SKIP() << "localedef could not make de_DE.UTF-8; only C.UTF-8 was checked";
}

}  // namespace
