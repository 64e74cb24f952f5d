// The content tool's checks of what the player would see, each fed a small content folder with
// one bad recipe (and its sound twin, which builds); and the fonts the build baked for the game,
// each of which must draw Latin, Cyrillic and Hebrew.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "gui/include/FontFile.h"
#include "platform/os/os.h"
#include "tests/support/ContentTool.h"
#include "tests/support/TempDir.h"
#include "tests/support/fixtures/ResourceFixtures.h"

namespace {

namespace fs = std::filesystem;

using Files = std::map<std::string, std::string>;  // relative path -> text

fs::path BuiltFolder() { return fs::path(os::ExecutablePath()).parent_path(); }

std::string Xml(const std::string& body) { return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + body + "\n"; }

// A place with a door, its highlight and a wall, and its script.
Files Hall(int door_y, const std::string& russian_tooltips, const std::string& english = "Door") {
  return {{"levels/hall.xml",
           Xml("<location folder=\"hall\" name=\"hall\">\n"
               "  <object name=\"wall\" kind=\"b\" x=\"0\" y=\"0\" width=\"64\" height=\"64\"><rect x=\"0\" y=\"0\" width=\"64\" height=\"64\" color=\"#202020\"/></object>\n"
               "  <object name=\"door\" kind=\"i\" x=\"100\" y=\"" + std::to_string(door_y) +
               "\" width=\"60\" height=\"60\"><rect x=\"0\" y=\"0\" width=\"60\" height=\"60\" color=\"#804020\"/></object>\n"
               "  <object name=\"door_a\" kind=\"i\" x=\"100\" y=\"" + std::to_string(door_y) +
               "\" width=\"60\" height=\"60\"><rect x=\"0\" y=\"0\" width=\"60\" height=\"4\" color=\"#ffd080\"/></object>\n"
               "</location>")},
          {"phrases/en/locations.xml",
           Xml("<locations><location name=\"hall\"><tooltip name=\"door\" text=\"" + english + "\"/></location></locations>")},
          {"phrases/ru/locations.xml", Xml("<locations><location name=\"hall\">" + russian_tooltips + "</location></locations>")},
          {"scripts/levels/hall/hall.script", "hall {\n  enable door\n}\n"}};
}

// The panel's form: its body is 80 units high along the foot of the screen.
const Files kPanel = {{"gui/panel.xml", Xml("<resources><resource name=\"gui\\game_panel\\game_panel\" type=\"form\"><form>"
                                             "<window name=\"game_panel\" size=\"1024 80 1\"/></form></resource></resources>")}};

std::string Font(const std::string& face, const std::string& fallback) {
  return Xml("<fonts><font name=\"main\" face=\"" + face + "\"" +
             (fallback.empty() ? std::string() : " fallback=\"" + fallback + "\"") + " pixels=\"24\"/></fonts>");
}

// The rules of the games the tool makes itself when a game has mini-games, and of the Puzzle.
const std::string kRules =
    "<text id=\"rule_clock\" text=\"Set the clock.\"/><text id=\"rule_circles\" text=\"Turn the rings.\"/>"
    "<text id=\"rule_gridlock\" text=\"Free the block.\"/><text id=\"rule_collect_details\" text=\"Lay the pieces.\"/>"
    "<text id=\"RULE\" text=\"Press the keys in turn.\"/>";

// What the forms of Labels show.
struct Shown {
  std::string ok = "OK";
  std::string page = "We ask that the light be kept burning.";
  std::string letter = "We ask that the light be kept burning.";
  std::string item = "New";
  int name_length = 8;  // the characters the name prompt takes
};

// One language, one font, and a form of: a button 120 x 40 labelled with the text OK; a page of
// two linked lines 300 wide that the text PAGE flows over; a block of text in a model's box of
// two lines 300 wide that shows LETTER; a menu item 120 x 40 that reads the item; the name
// prompt and a players list of one line 300 wide.
Files Labels(const Shown& shown) {
  return {{"fonts/fonts.xml", Font("DejaVuSans.ttf", "")},
          {"game_init/game_init.xml",
           Xml("<game_init><lang name=\"en\"><select type=\"font\" id=\"0\" name=\"fonts\\main\"/></lang></game_init>")},
          {"texts/en.xml", Xml("<texts><section name=\"s\"><text id=\"OK\" text=\"" + shown.ok + "\"/><text id=\"PAGE\" text=\"" +
                               shown.page + "\"/><text id=\"LETTER\" text=\"" + shown.letter + "\"/>" + kRules +
                               "</section></texts>")},
          {"models/letter_text.xml", Xml("<model name=\"gui\\dialog\\letter_text\" kind=\"quad\" x=\"100\" y=\"100\" width=\"300\" height=\"48\"/>")},
          {"gui/dialog.xml",
           Xml("<resources><resource name=\"gui\\dialog\\dialog\" type=\"form\">"
               "<models><model name=\"letter_text\"/></models><shaders><shader name=\"letter_text\"/></shaders>"
               "<helpers><box name=\"line_0\" x=\"100\" y=\"300\" width=\"300\" height=\"24\"/>"
               "<box name=\"line_1\" x=\"100\" y=\"274\" width=\"300\" height=\"24\"/></helpers><form>"
               "<button name=\"ok\" size=\"120 40 1\" matrix=\"1 0 0 0 1 0 0 0 1 400 200 0\">"
               "<static name=\"label\" font_id=\"0\" text_id=\"OK\" alignment=\"cc\" matrix=\"1 0 0 0 1 0 0 0 1 60 20 0\"/>"
               "</button>"
               "<static name=\"text_0\" font_id=\"0\" helper=\"line_0\" link=\"true\" alignment=\"lb\" shows=\"PAGE\"/>"
               "<static name=\"text_1\" font_id=\"0\" helper=\"line_1\" link=\"true\" alignment=\"lb\"/>"
               "<text name=\"letter\" model=\"letter_text\" font_id=\"0\" shows=\"LETTER\"/>"
               "<menuitem name=\"item\" size=\"120 40 1\" matrix=\"1 0 0 0 1 0 0 0 1 600 600 0\" text=\"" + shown.item +
               "\" font_id=\"0\" select_font_id=\"0\"/>"
               "</form></resource>"
               "<resource name=\"gui\\windows\\profile_small_window\" type=\"form\"><form>"
               "<editbox name=\"edit_box_name\" size=\"400 44 1\" font_id=\"0\" text_width=\"380\" text_length=\"" +
               std::to_string(shown.name_length) + "\"/></form></resource>"
               "<resource name=\"gui\\windows\\users_menu\" type=\"form\"><form>"
               "<menuitem name=\"frame_0\" size=\"300 40 1\" font_id=\"0\" select_font_id=\"0\"/></form></resource>"
               "</resources>")}};
}

// A mini-game's form whose rule shows the text `rule` in a box of two lines 300 wide.
Files Puzzle(const std::string& rule) {
  return {{"models/puzzle_rule.xml",
           Xml("<model name=\"minigames\\hall\\puzzle_rule\" kind=\"outline\" x=\"100\" y=\"600\" width=\"300\" height=\"48\"/>")},
          {"minigames/puzzle.xml",
           Xml("<resources><resource name=\"minigames\\hall\\puzzle\" type=\"form\">"
               "<models><model name=\"puzzle_rule\"/></models><shaders><shader name=\"puzzle_rule\"/></shaders><form>"
               "<text name=\"rule\" model=\"puzzle_rule\" font_id=\"0\" text_id=\"" + rule + "\"/></form></resource></resources>")}};
}

// The map with its gate, named in the map's font by the text "gate".
Files Map(const std::string& name) {
  return {{"fonts/fonts.xml", Font("DejaVuSans.ttf", "")},
          {"game_init/game_init.xml",
           Xml("<game_init><lang name=\"en\"><select type=\"font\" id=\"13\" name=\"fonts\\main\"/></lang></game_init>")},
          {"texts/en.xml", Xml("<texts><section name=\"map\"><text id=\"gate\" text=\"" + name + "\"/></section></texts>")},
          {"gui/map.xml", Xml("<resources><resource name=\"gui\\map\\map_small\" type=\"form\"><form>"
                              "<window name=\"gate\" size=\"56 56 1\" matrix=\"1 0 0 0 1 0 0 0 1 900 200 0\"/>"
                              "</form></resource></resources>")}};
}

// A box 300 wide whose line shows the texts HEAD and TAIL joined, and a list's cell 100 wide whose
// line shows every text of the section "names" (its one text is `item`).
Files Notices(const std::string& head, const std::string& tail, const std::string& item) {
  return {{"fonts/fonts.xml", Font("DejaVuSans.ttf", "")},
          {"game_init/game_init.xml",
           Xml("<game_init><lang name=\"en\"><select type=\"font\" id=\"0\" name=\"fonts\\main\"/></lang></game_init>")},
          {"texts/en.xml", Xml("<texts><section name=\"s\"><text id=\"HEAD\" text=\"" + head + "\"/><text id=\"TAIL\" text=\"" +
                               tail + "\"/></section><section name=\"names\"><text id=\"lamp\" text=\"" + item +
                               "\"/></section></texts>")},
          {"gui/box.xml",
           Xml("<resources><resource name=\"gui\\windows\\box\" type=\"form\"><form>"
               "<window name=\"parchment\" size=\"300 100 1\" matrix=\"1 0 0 0 1 0 0 0 1 362 300 0\"/>"
               "<static name=\"main_text_0\" font_id=\"0\" shows=\"HEAD+TAIL\" alignment=\"cc\" matrix=\"1 0 0 0 1 0 0 0 1 512 350 0\"/>"
               "<window name=\"list\" size=\"500 40 1\" matrix=\"1 0 0 0 1 0 0 0 1 262 600 0\"/>"
               "<window name=\"cell\" size=\"100 30 1\" visible=\"false\" matrix=\"1 0 0 0 1 0 0 0 1 300 605 0\"/>"
               "<static name=\"item\" font_id=\"0\" fits_in=\"cell\" shows_section=\"names\" alignment=\"cc\""
               " matrix=\"1 0 0 0 1 0 0 0 1 350 620 0\"/>"
               "</form></resource></resources>")}};
}

Files Joined(Files a, const Files& b) {
  a.insert(b.begin(), b.end());
  return a;
}

TEST(ContentChecks, EachCheckRefusesItsBadRecipeAndBuildsItsGoodOne) {
  const std::string kLong = "Leave the puzzle, please?";
  const std::string kShort = Shown().page;
  struct Case {
    std::string name;
    Files files;
    std::string fault;  // empty: the build succeeds
  };
  const std::vector<Case> cases = {
      {"every object has its tooltips", Hall(100, "<tooltip name=\"door\" text=\"Дверь\"/>"), ""},
      {"a tooltip missing in one language", Hall(100, ""),
       "object \"door\" can be pointed at but has no tooltip in \"ru\""},
      {"an object above the panel", Joined(Hall(628, "<tooltip name=\"door\" text=\"Дверь\"/>"), kPanel), ""},
      {"an object under the panel", Joined(Hall(640, "<tooltip name=\"door\" text=\"Дверь\"/>"), kPanel),
       "panel: hall\\hall: object \"door\" reaches down to y = 700, under the panel, which covers the screen from y = 688"},
      {"a face that lacks Hebrew, with a fallback", {{"fonts/fonts.xml", Font("DejaVuSerif.ttf", "DejaVuSans.ttf")}}, ""},
      {"a face that lacks Hebrew", {{"fonts/fonts.xml", Font("DejaVuSerif.ttf", "")}},
       "wanted characters are in none of its faces: U+05D0 U+05D1"},
      {"texts that fit", Joined(Labels({}), Hall(100, "<tooltip name=\"door\" text=\"Дверь\"/>")), ""},
      {"a label wider than its button", Labels({.ok = kLong}), "gui\\dialog\\dialog: label: \"OK\" (en) is "},
      {"a letter the font lacks", Labels({.ok = "Ω"}), "\"OK\" (en) has U+03A9, which the font \"main\" lacks"},
      {"a written line break in a one-line static", Labels({.ok = "Yes\\nNo"}), "shows \"\\n\" as it stands"},
      {"a text longer than its linked lines", Labels({.page = kShort + " " + kShort}),
       "\"PAGE\" (en) does not fit its 2 linked lines"},
      {"a document longer than its box", Labels({.letter = kShort + "\\n" + kShort}),
       "gui\\dialog\\dialog: letter: \"LETTER\" (en) takes 4 lines, 96 high, and its box is 48 high"},
      {"a menu item wider than its box", Labels({.item = kLong}), "dialog: item: \"" + kLong + "\" (en) is "},
      {"a tooltip wider than the screen",
       Joined(Labels({}), Hall(100, "<tooltip name=\"door\" text=\"Дверь\"/>", kShort + " " + kShort + " " + kShort)),
       "tooltip of \"hall\\door\" (en) is "},
      {"mini-games that tell their rules", Joined(Labels({}), Puzzle("RULE")), ""},
      {"a mini-game whose rule is missing in a language", Joined(Labels({}), Puzzle("RULE_LOST")),
       "minigames\\hall\\puzzle: rule: \"RULE_LOST\" (en) is missing"},
      {"a map place's name", Map("The old gate"), ""},
      {"a map place's name wider than the screen", Map(kShort + " " + kShort + " " + kShort),
       "gui\\map\\map_small: place \"gate\" (en) is "},
      {"a name prompt that takes more than the players list shows", Labels({.name_length = 20}),
       "users_menu: frame_0 (en): a name of 20 "},
      {"a notice and a list's name that fit", Notices("Saved.", "Go on.", "Lamp"), ""},
      {"a notice whose joined texts are wider than its box", Notices("Saved.", kShort, "Lamp"),
       "gui\\windows\\box: main_text_0: \"HEAD+TAIL\" (en) is "},
      {"a list's name wider than its cell", Notices("Saved.", "Go on.", "Oil lamp of brass"),
       "gui\\windows\\box: item: \"lamp\" (en) is "},
  };
  for (const Case& c : cases) {
    TempDir root;
    FixtureTree content(root.Path(), "content");
    for (const auto& [path, text] : c.files) content.AddFile(path, text);
    const ContentToolRun run = RunContentTool(ShellQuoted(content.GetFolder()) + " " + ShellQuoted(root / "out"));
    if (c.fault.empty()) {
      EXPECT_EQ(run.status, 0) << c.name << ":\n" << run.output;
    } else {
      EXPECT_NE(run.status, 0) << c.name;
      EXPECT_NE(run.output.find(c.fault), std::string::npos) << c.name << ":\n" << run.output;
    }
  }
}

// Player names are drawn with every font, so each must draw every letter of the three scripts a
// name may be typed in.
TEST(ContentChecks, EveryBakedFontDrawsLatinCyrillicAndHebrew) {
  const fs::path folder = BuiltFolder() / "data" / "fonts";
  ASSERT_TRUE(fs::is_directory(folder)) << folder;
  std::vector<std::pair<char16_t, char16_t>> scripts = {{u'A', u'Z'}, {u'0', u'9'}, {0x0410, 0x042F}, {0x05D0, 0x05EA}};
  int fonts = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() != ".fnt") continue;
    ++fonts;
    const std::string bytes = ReadWholeFile(entry.path().string());
    GUIGlyphTable glyphs;
    ASSERT_EQ(ReadFontFile(reinterpret_cast<const uint8_t*>(bytes.data()), static_cast<uint32_t>(bytes.size()), glyphs),
              FontFileStatus::kRead)
        << entry.path();
    for (const auto& [first, last] : scripts) {
      for (char16_t c = first; c <= last; ++c) {
        EXPECT_EQ(glyphs.count(c), 1u) << entry.path().filename() << " lacks U+" << std::hex << int{c};
      }
    }
  }
  EXPECT_GE(fonts, 7);
}

}  // namespace
