// The game's "data" group judged before play: each way it can be missing or damaged has its own
// one-line reason, and a group with resources in it passes.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "app/sources/GameData.h"
#include "source/Resources/cResourceLocation.h"
#include "source/core/Singleton.h"
#include "tests/support/TempDir.h"
#include "tests/support/fixtures/ResourceFixtures.h"

namespace {

TEST(GameDataTest, EachFaultOfTheDataGroupHasItsReason) {
  struct Case {
    const char* name;
    std::function<void(const TempDir&)> make;
    const char* reason;  // the start of the reason; empty: playable
  };
  const Case cases[] = {
      {"missing", [](const TempDir&) {}, "the game data is missing"},
      {"a damaged pack", [](const TempDir& dir) { dir.WriteFile("data", "RDFZ damaged beyond reading"); },
       "the game data pack \"data\" is damaged"},
      {"an empty pack file", [](const TempDir& dir) { dir.WriteFile("data", ""); },
       "the game data pack \"data\" is damaged"},
      {"an empty folder", [](const TempDir& dir) { std::filesystem::create_directories(dir / "data/empty"); },
       "the game data \"data\" holds no resources"},
      {"another game's folder", [](const TempDir& dir) { dir.WriteFile("data/gui/menu.bin", "menu"); },
       "the game data \"data\" lacks the game's start files: \"levels\\stage\" and \"game_init\\game_init\""},
      {"a folder without its stage list",
       [](const TempDir& dir) { FixtureTree(dir.Path(), "data").AddStartFiles(); std::filesystem::remove(dir / "data/levels/stage.xml"); },
       "the game data \"data\" lacks the game's start files: \"levels\\stage\" not found"},
      {"a folder with the start files", [](const TempDir& dir) { FixtureTree(dir.Path(), "data").AddStartFiles(); }, ""},
  };
  for (const Case& c : cases) {
    TempDir dir("velmaris-data");
    c.make(dir);
    auto data = std::make_unique<cResourceLocation>("data", dir.Path());
    data->Mount();
    const std::string reason = DescribeGameDataFault(data.get());
    if (c.reason[0] == '\0') {
      EXPECT_EQ(reason, "") << c.name;
    } else {
      EXPECT_EQ(reason.rfind(c.reason, 0), 0u) << c.name << ": " << reason;
    }
    data.reset();
    DestroySingletons();
  }
  EXPECT_EQ(DescribeGameDataFault(nullptr).rfind("the game data is missing", 0), 0u);
}

TEST(GameDataTest, AFolderThatCannotBeReadWholeIsDamaged) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads every folder";
  TempDir dir("velmaris-data");
  dir.WriteFile("data/a.bin", "a");
  dir.WriteFile("data/locked/b.bin", "b");
  chmod((dir / "data/locked").c_str(), 0);
  auto data = std::make_unique<cResourceLocation>("data", dir.Path());
  data->Mount();
  EXPECT_EQ(DescribeGameDataFault(data.get()), "the game data folder \"data\" could not be read whole");
  chmod((dir / "data/locked").c_str(), 0755);
  data.reset();
  DestroySingletons();
}

}  // namespace
