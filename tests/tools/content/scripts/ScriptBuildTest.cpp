// The content tool on a content folder of scripts: good scripts become "cnf" files that print back
// as their source; a bad one fails the build, names its file and line, and leaves the data built
// before.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

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

}  // namespace
