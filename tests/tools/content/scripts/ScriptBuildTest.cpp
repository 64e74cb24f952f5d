// The content tool on a content folder of scripts: good scripts become "cnf" files that print back
// as their source; a bad one fails the build, names its file and line, and leaves the data built
// before.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/ContentTool.h"
#include "tests/support/TempDir.h"
#include "tests/support/fixtures/ResourceFixtures.h"

namespace {

namespace fs = std::filesystem;

const std::string kHall = "hall {\n  onload {\n    enable key\n  }\n  click {\n    key: addinventory key*2 {\n"
                          "      flashhide key\n    }\n  }\n}\n";

TEST(ScriptBuild, TheContentToolBuildsPrintsAndRefusesScripts) {
  TempDir root;
  FixtureTree content(root.Path(), "content");
  content.AddFile("scripts/levels/hall/hall.script", kHall).AddFile("scripts/levels/notes.txt", "no script");
  const std::string build = ShellQuoted(content.GetFolder()) + " " + ShellQuoted(root / "out");
  const std::string cnf = root / "out/data/levels/hall/hall.cnf";

  const ContentToolRun built = RunContentTool(build);
  ASSERT_EQ(built.status, 0) << built.output;
  EXPECT_EQ(RunContentTool("--print-script " + ShellQuoted(cnf)).output, kHall);
  EXPECT_FALSE(fs::exists(root / "out/data/levels/notes.cnf"));

  content.AddFile("scripts/levels/hall/cellar.script", "cellar {\n  click {\n    crate: shwo crate\n  }\n}\n")
      .AddFile("scripts/levels/Attic.script", "attic\n");
  const ContentToolRun refused = RunContentTool(build);
  EXPECT_NE(refused.status, 0);
  EXPECT_NE(refused.output.find("levels/hall/cellar.script:3: unknown command word \"shwo\""), std::string::npos)
      << refused.output;
  EXPECT_NE(refused.output.find("Attic.script: names in the game's data are lower case"), std::string::npos);
  EXPECT_EQ(RunContentTool("--print-script " + ShellQuoted(cnf)).output, kHall);  // the data built before stays

  WriteWholeFile(root / "damaged.cnf", ReadWholeFile(cnf).substr(0, 30));
  const ContentToolRun damaged = RunContentTool("--print-script " + ShellQuoted(root / "damaged.cnf"));
  EXPECT_EQ(damaged.status, 1);
  EXPECT_NE(damaged.output.find("damaged script: node"), std::string::npos) << damaged.output;
  EXPECT_EQ(RunContentTool("--print-script").status, 2);
  EXPECT_EQ(RunContentTool("--no-such-command").status, 2);
}

// The story's rules across the scripts: a game that can be won says what its win gives, and each
// diary picture gets every one of its pieces, as many as its box in the diary draws cells. One bad
// script a case; the good ones are built.
TEST(ScriptBuild, TheContentToolRefusesAWinNoScriptTakesAndAPictureThatCannotBeFinished) {
  struct Case {
    std::string name;
    std::string clicked;  // the branch of a click on "box" (line 4 on) in "levels/hall/hall.script"
    std::string fault;    // empty: built
  };
  const std::vector<Case> cases = {
      {"a win that gives something", "    box: game clock {\n      win: addcard picture_2_2*2\n    }\n", ""},
      {"a document is read, not won", "    box: game letter\n", ""},
      {"a win no branch takes", "    box: game clock {\n      close: sound click\n    }\n",
       "hall.script:4: mini-game \"clock\" can be won, but no \"win:\" branch says what its win gives"},
      {"a picture short of a piece", "    box: addcard picture_1_3 {\n      addcard picture_1_3\n    }\n",
       "hall.script:4: picture 1 has 3 pieces, but the scripts give 2"},
      {"a picture given too many pieces", "    box: addcard picture_1_1 picture_1_1\n",
       "hall.script:4: picture 1 has 1 pieces, but the scripts give 2"},
      {"a picture whose box draws its cells", "    box: addcard picture_1_3*3\n", ""},
      {"a picture whose box draws other cells", "    box: addcard picture_1_2*2\n",
       "hall.script:4: picture 1 has 2 pieces, but its box in the diary draws 3 cells"},
      {"a picture with two totals", "    box: addcard picture_4_2 picture_4_1\n",
       "hall.script:4: picture 4 is given with the totals 1 and 2"},
  };
  // The diary's box of picture 1 draws three cells.
  const std::string diary = "<resources>\n  <resource name=\"gui\\diary\\diary_picture\" type=\"form\">\n    <form>\n"
                            "      <window name=\"picture_stroke_11\" shader=\"gui\\diary_stroke_3\"/>\n"
                            "    </form>\n  </resource>\n</resources>\n";
  for (const Case& c : cases) {
    TempDir root;
    FixtureTree content(root.Path(), "content");
    const std::string source = "hall {\n  enable box\n  click {\n" + c.clicked + "  }\n}\n";
    content.AddFile("scripts/levels/hall/hall.script", source);
    if (c.name.find("box") != std::string::npos) content.AddFile("gui/diary.xml", diary);
    const ContentToolRun run = RunContentTool(ShellQuoted(content.GetFolder()) + " " + ShellQuoted(root / "out"));
    if (c.fault.empty()) {
      EXPECT_EQ(run.status, 0) << c.name << ": " << run.output;
      continue;
    }
    EXPECT_NE(run.status, 0) << c.name;
    EXPECT_NE(run.output.find(c.fault), std::string::npos) << c.name << ": " << run.output;
  }
}

}  // namespace
