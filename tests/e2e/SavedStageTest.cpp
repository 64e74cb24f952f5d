// A saved game at a stage the game does not know, with a backup at one it knows: Play goes on
// from the backup, the unknown file is kept aside, and no save makes it the backup.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/e2e/GameScreen.h"
#include "tests/support/fixtures/ResourceFixtures.h"

namespace e2e {
namespace {

std::string U32(uint32_t v) { return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }
std::string Text(const std::string& text) { return U32(static_cast<uint32_t>(text.size())) + text; }

// A player file with no visited places, `hints` charges and the stage in play.
std::string PlayerFile(uint32_t hints, const std::string& stage) {
  const std::string progress = std::string(2, '\0') + U32(0) + U32(0) + U32(0) + U32(0) + U32(0) + U32(0) + U32(0) +
                               U32(hints) + std::string(3, '\0') + U32(0) + std::string(6, '\1') + U32(0) + U32(0) +
                               U32(0) + U32(0) + U32(0);
  return "FLPRF" + U32(102) + progress + progress + U32(0) + Text(stage);
}

class SavedStageTest : public GameScreen {
 protected:
  SavedStageTest() : GameScreen("saved-stage") {}
};

TEST_F(SavedStageTest, PlayGoesOnFromTheBackupOfAnUnknownStageAndKeepsItAside) {
  const std::string users = program.UserFolder() + "/usersdata/";
  const std::string ann = users + "profiles/65110110.prf";
  std::filesystem::create_directories(users + "profiles");
  const std::string name = U32(3) + std::string("A\0n\0n\0", 6);  // "Ann", current
  const std::string list = "FLPMF" + U32(112) + U32(1) + name + name;
  WriteWholeFile(users + "profiles.pmf", list);
  const std::string unknown = PlayerFile(1, "location_99");
  WriteWholeFile(ann, unknown);
  WriteWholeFile(ann + ".bak", PlayerFile(3, "location_2"));
  const pid_t child = StartGame();
  PressPlay("play");
  EXPECT_TRUE(WaitForLog("the save before it, at location_2, is played")) << Log();
  EXPECT_TRUE(WaitForLog("the game goes on at location_2")) << Log();
  // The notice's parchment, between its title and its line, where the scene showed before.
  EXPECT_TRUE(WaitForParchment("notice", Area{200, 430, 380, 455}, true)) << Log();
  CloseGame(child);
  EXPECT_EQ(ReadWholeFile(ann + ".bad"), unknown);
  for (const std::string& file : {ann, ann + ".bak"}) {
    const std::string saved = ReadWholeFile(file);
    EXPECT_EQ(saved.find("location_99"), std::string::npos) << file;
    EXPECT_NE(saved.find("location_2"), std::string::npos) << file;
  }
}

}  // namespace
}  // namespace e2e
