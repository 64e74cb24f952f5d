// The game object as the program makes it: its start-up installs the player files and enters the
// main menu; the progress is saved at exit only while a game is in progress.

#include "Sources/adventure/GameFlowController.h"
#include "Sources/shell/AdventureGame.h"
#include "Sources/shell/cScreenState.h"
#include "Sources/shell/userdata/ProfilesList.h"
#include "Sources/shell/userdata/UserDataHolder.h"
#include "source/properties/cProperties.h"
#include "tests/Sources/shell/UserFilesSupport.h"

namespace {

using AdventureGameTest = UserFolderTest;

TEST_F(AdventureGameTest, WithoutAUserFolderNoPlayerFileIsWrittenAnywhere) {
  ASSERT_NE(GameInstance(), nullptr);  // no configuration was loaded: the store has no user folder
  ProfilesList& list = Found(UserDataHolder::GetInstance()->GetProfiles());
  ASSERT_NE(list.Add(u"Ann"), nullptr);  // kept in memory
  EXPECT_FALSE(list.Save());
  EXPECT_FALSE(std::filesystem::exists("/usersdata"));
}

TEST_F(AdventureGameTest, ProgressIsSavedOnlyWhileAGameIsInProgress) {
  cProperties::GetInstance()->SetUserFolder(folder.Path());
  AdventureGame& game = *GameInstance();
  EXPECT_EQ(GameInstance(), &game);  // made and initialised once
  EXPECT_EQ(game.GetCurrentState(), game.GetMainMenuState());
  EXPECT_EQ(Read("usersdata/topscores.hsf").size(), 29u);
  game.SaveProgress();  // no profile, no game: nothing
  ProfilesList& list = Found(UserDataHolder::GetInstance()->GetProfiles());
  list.Add(u"Ann");
  list.Select(u"Ann");
  const std::string fresh = Read("usersdata/profiles/65110110.prf");
  CurrentProfile->m_progress.m_hints = 4;
  game.SaveProgress();  // a profile, but no game started in this run
  EXPECT_EQ(Read("usersdata/profiles/65110110.prf"), fresh);

  game.StartGameFlow();
  GameFlowController* flow = &Found(game.GetGameFlow());
  // This data holds no stage list: the player is told so and stays in the menu.
  EXPECT_EQ(game.GetCurrentState(), game.GetMainMenuState());
  EXPECT_EQ(flow->GetReturnState(), game.GetMainMenuState());
  game.ChangeState(game.GetMainMenuState());
  game.StartGameFlow();  // a second game keeps the in-game state
  EXPECT_EQ(game.GetGameFlow(), flow);
  game.ChangeState(game.GetMainMenuState());  // back in the menu, the game is still kept
  game.SaveProgress();
  auto saved = Named(u"Ann");
  ASSERT_TRUE(saved->Load());
  EXPECT_EQ(saved->m_progress.m_hints, 4);
}

TEST_F(AdventureGameTest, TheExitSaveGoesIntoTheProfileThatWasPlayedNeverIntoOneChosenLater) {
  cProperties::GetInstance()->SetUserFolder(folder.Path());
  AdventureGame& game = *GameInstance();
  ProfilesList& list = Found(UserDataHolder::GetInstance()->GetProfiles());
  list.Add(u"Ann");
  list.Add(u"Bob");
  list.Select(u"Ann");
  game.StartGameFlow();
  CurrentProfile->m_progress.m_hints = 4;  // Ann's game
  game.ChangeState(game.GetMainMenuState());
  list.Select(u"Bob");
  const std::string bob = Read("usersdata/profiles/6611198.prf");
  CurrentProfile->m_progress.m_hints = 1;  // in memory only: Bob never played in this run
  game.SaveProgress();
  EXPECT_EQ(Read("usersdata/profiles/6611198.prf"), bob);
  auto ann = Named(u"Ann");
  ASSERT_TRUE(ann->Load());
  EXPECT_EQ(ann->m_progress.m_hints, 4);
  // The played profile deleted since: nothing is written for anybody.
  list.Delete(u"Ann");
  game.SaveProgress();
  EXPECT_EQ(Read("usersdata/profiles/6611198.prf"), bob);
  EXPECT_FALSE(Exists("usersdata/profiles/65110110.prf"));
}

}  // namespace
