// The adventure core's services the engine relies on: the game panel's delegates and the
// singletons of the adventure.

#include <gtest/gtest.h>

#include "Sources/adventure/CharacterDatabase.h"
#include "Sources/adventure/GamePanel.h"
#include "Sources/adventure/HintWindow.h"
#include "app/sources/cApplication.h"
#include "platform/window/headless/HeadlessWindow.h"
#include "source/core/Singleton.h"
#include "tests/support/Found.h"
#include "tests/support/TempDir.h"

namespace {

class AdventureServicesTest : public ::testing::Test {
 protected:
  void SetUp() override { DestroySingletons(); }
  void TearDown() override { DestroySingletons(); }
};

TEST_F(AdventureServicesTest, GamePanelInstallsItsDelegatesAndTakesThemAway) {
  cApplication* application = cApplication::GetInstance();  // the program makes it first
  GamePanel* panel = GamePanel::GetInstance();
  ASSERT_TRUE(GlobalDelegateMap()[GamePanel::kDelegateKey]);
  EXPECT_EQ(GlobalDelegateMap()[GamePanel::kDelegateKey]->GetObject(), panel);
  ASSERT_TRUE(application->GetDeactivateHandler());
  EXPECT_EQ(Found(application->GetDeactivateHandler()).GetObject(), panel);

  // A focus loss reaches the panel through the application.
  TempDir lock;
  application->SetInstanceLockFolder(lock.Path());
  ASSERT_TRUE(application->Create("Velmaris"));
  application->WindowProc({window::MessageType::kActivate, 1});
  application->WindowProc({window::MessageType::kActivate, 0});
  EXPECT_FALSE(application->IsActive());

  delete panel;  // the panel goes first
  EXPECT_EQ(GlobalDelegateMap().count(GamePanel::kDelegateKey), 0u);
  EXPECT_FALSE(application->GetDeactivateHandler());
}

TEST_F(AdventureServicesTest, SingletonsOfTheAdventureAreMadeOnceAndSwept) {
  HintWindow::GetInstance();
  CharacterDatabase* characters = CharacterDatabase::GetInstance();
  characters->Add("cat", CharacterEntry{{{"sleep", 3}}, {{"cat_shader", 8}}});
  EXPECT_EQ(Found(characters->Find("cat")).animations[0].name, "sleep");
  EXPECT_EQ(characters->Find("dog"), nullptr);
  DestroySingletons();
  EXPECT_FALSE(CharacterDatabase::IsAlive());
  EXPECT_FALSE(HintWindow::IsAlive());
}

}  // namespace
