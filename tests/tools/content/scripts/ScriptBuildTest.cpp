// The content tool on a content folder of scripts: good scripts become "cnf" files that print back
// as their source; a bad one fails the build, names its file and line, and leaves the data built
// before.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/os/os.h"
#include "tests/support/TempDir.h"
#include "tests/support/fixtures/ResourceFixtures.h"

namespace {

namespace fs = std::filesystem;

const std::string kHall = "hall {\n  onload {\n    enable key\n  }\n  click {\n    key: addinventory key*2 {\n"
                          "      flashhide key\n    }\n  }\n}\n";

struct ToolRun {
  int status = -1;
  std::string output;  // both streams
};

// A path quoted for the shell.
std::string Quoted(const std::string& path) {
  std::string quoted(1, '\'');
  quoted += path;
  quoted += '\'';
  return quoted;
}

ToolRun RunTool(const std::string& arguments) {
  std::string command = Quoted((fs::path(os::ExecutablePath()).parent_path() / "velmaris-content").string());
  command += ' ';
  command += arguments;
  command += " 2>&1";
  ToolRun run;
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.output.append(buffer, read);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

TEST(ScriptBuild, TheContentToolBuildsPrintsAndRefusesScripts) {
  TempDir root;
  FixtureTree content(root.Path(), "content");
  content.AddFile("scripts/levels/hall/hall.script", kHall).AddFile("scripts/levels/notes.txt", "no script");
  const std::string build = Quoted(content.GetFolder()) + " " + Quoted(root / "out");
  const std::string cnf = root / "out/data/levels/hall/hall.cnf";

  const ToolRun built = RunTool(build);
  ASSERT_EQ(built.status, 0) << built.output;
  EXPECT_EQ(RunTool("--print-script " + Quoted(cnf)).output, kHall);
  EXPECT_FALSE(fs::exists(root / "out/data/levels/notes.cnf"));

  content.AddFile("scripts/levels/hall/cellar.script", "cellar {\n  click {\n    crate: shwo crate\n  }\n}\n")
      .AddFile("scripts/levels/Attic.script", "attic\n");
  const ToolRun refused = RunTool(build);
  EXPECT_NE(refused.status, 0);
  EXPECT_NE(refused.output.find("levels/hall/cellar.script:3: unknown command word \"shwo\""), std::string::npos)
      << refused.output;
  EXPECT_NE(refused.output.find("Attic.script: names in the game's data are lower case"), std::string::npos);
  EXPECT_EQ(RunTool("--print-script " + Quoted(cnf)).output, kHall);  // the data built before stays

  WriteWholeFile(root / "damaged.cnf", ReadWholeFile(cnf).substr(0, 30));
  const ToolRun damaged = RunTool("--print-script " + Quoted(root / "damaged.cnf"));
  EXPECT_EQ(damaged.status, 1);
  EXPECT_NE(damaged.output.find("damaged script: node"), std::string::npos) << damaged.output;
  EXPECT_EQ(RunTool("--print-script").status, 2);
  EXPECT_EQ(RunTool("--no-such-command").status, 2);
}

}  // namespace
