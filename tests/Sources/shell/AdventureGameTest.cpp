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

class AdventureGameTest : public UserFolderTest {
 protected:
  AdventureGame& Start() {
    cProperties::GetInstance()->SetUserFolder(folder.Path());
    AdventureGame* game = GameInstance();
    EXPECT_NE(game, nullptr);
    return *game;
  }
  std::string ProfileFile() { return "usersdata/profiles/65110110.prf"; }
};

TEST_F(AdventureGameTest, StartUpInstallsThePlayerFilesAndEntersTheMainMenu) {
  AdventureGame& game = Start();
  EXPECT_EQ(GameInstance(), &game);  // made and initialised once
  ASSERT_NE(game.GetMainMenuState(), nullptr);
  EXPECT_EQ(game.GetCurrentState(), game.GetMainMenuState());
  EXPECT_EQ(Read("usersdata/profiles.pmf").size(), 17u);
  EXPECT_EQ(Read("usersdata/topscores.hsf").size(), 29u);
  EXPECT_FALSE(game.IsGameInProgress());
}

TEST_F(AdventureGameTest, WithoutAUserFolderNoPlayerFileIsWrittenAnywhere) {
  AdventureGame* game = GameInstance();  // no configuration was loaded: the store has no user folder
  ASSERT_NE(game, nullptr);
  ProfilesList& list = *UserDataHolder::GetInstance()->GetProfiles();
  ASSERT_NE(list.Add(u"Ann"), nullptr);  // kept in memory
  EXPECT_FALSE(list.Save());
  EXPECT_FALSE(std::filesystem::exists("/usersdata"));
}

TEST_F(AdventureGameTest, ProgressIsSavedOnlyWhileAGameIsInProgress) {
  AdventureGame& game = Start();
  game.SaveProgress();  // no profile, no game: nothing
  ProfilesList& list = *UserDataHolder::GetInstance()->GetProfiles();
  list.Add(u"Ann");
  list.Select(u"Ann");
  const std::string fresh = Read(ProfileFile());
  CurrentProfile->m_progress.m_hints = 4;
  game.SaveProgress();  // a profile but no game started in this run
  EXPECT_EQ(Read(ProfileFile()), fresh);

  game.StartGameFlow();
  GameFlowController* flow = game.GetGameFlow();
  EXPECT_EQ(game.GetCurrentState(), flow);
  EXPECT_EQ(flow->GetReturnState(), game.GetMainMenuState());
  game.ChangeState(game.GetMainMenuState());
  game.StartGameFlow();  // a second game keeps the in-game state
  EXPECT_EQ(game.GetGameFlow(), flow);

  game.ChangeState(game.GetMainMenuState());  // back in the menu, the game is still kept
  game.SaveProgress();
  PlayerProfile saved;
  saved.m_name = u"Ann";
  saved.m_directory = folder.Path();
  ASSERT_TRUE(saved.Load());
  EXPECT_EQ(saved.m_progress.m_hints, 4);
}

TEST_F(AdventureGameTest, SingletonsMadeByTheStartUpGoBeforeTheGame) {
  Start();
  UserDataHolder::GetInstance()->GetProfiles()->Add(u"Ann");
  UserDataHolder::GetInstance()->GetProfiles()->Select(u"Ann");
  DestroySingletons();
  EXPECT_FALSE(UserDataHolder::IsAlive());
  EXPECT_FALSE(AdventureGame::IsAlive());
  EXPECT_EQ(CurrentProfile, nullptr);
}

}  // namespace
