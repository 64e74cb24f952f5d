// The adventure core's services the engine relies on: the game panel's delegates, the phrase
// texts, the character database and the "cnf" resource.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Sources/adventure/CharacterDatabase.h"
#include "Sources/adventure/GamePanel.h"
#include "Sources/adventure/HintWindow.h"
#include "Sources/adventure/LocationResource.h"
#include "Sources/adventure/PhraseDatabase.h"
#include "app/sources/cApplication.h"
#include "platform/window/headless/HeadlessWindow.h"
#include "source/Resources/cResourceLocation.h"
#include "source/Resources/cResourceManager.h"
#include "source/core/Singleton.h"
#include "tests/support/TempDir.h"
#include "tests/support/fixtures/ResourceFixtures.h"

namespace {

class AdventureServicesTest : public ::testing::Test {
 protected:
  void SetUp() override { DestroySingletons(); }
  void TearDown() override { DestroySingletons(); }
};

TEST_F(AdventureServicesTest, GamePanelInstallsItsDelegatesAndTakesThemAway) {
  GamePanel* panel = GamePanel::GetInstance();
  ASSERT_TRUE(GlobalDelegateMap()[GamePanel::kDelegateKey]);
  EXPECT_EQ(GlobalDelegateMap()[GamePanel::kDelegateKey]->GetObject(), panel);
  cApplication* application = cApplication::PeekInstance();
  ASSERT_NE(application, nullptr);
  ASSERT_TRUE(application->GetDeactivateHandler());
  EXPECT_EQ(application->GetDeactivateHandler()->GetObject(), panel);

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

TEST_F(AdventureServicesTest, PhraseTextOfAMissingKeyIsEmptyAndNotAdded) {
  PhraseDatabase* phrases = PhraseDatabase::GetInstance();
  EXPECT_EQ(PhraseDatabase::GetInstance(), phrases);
  EXPECT_EQ(phrases->GetText("key"), u"");
  phrases->SetText("key", u"Schl\u00fcssel");
  EXPECT_EQ(phrases->GetText("key"), u"Schl\u00fcssel");
  EXPECT_EQ(phrases->GetText("other"), u"");
  EXPECT_EQ(phrases->GetText("other"), u"");
}

TEST_F(AdventureServicesTest, SingletonsOfTheAdventureAreMadeOnceAndSwept) {
  HintWindow* hints = HintWindow::GetInstance();
  EXPECT_EQ(HintWindow::GetInstance(), hints);
  CharacterDatabase* characters = CharacterDatabase::GetInstance();
  characters->Add("cat", CharacterEntry{{"sleep"}, {3}, {"cat_shader"}, {8}});
  ASSERT_NE(characters->Find("cat"), nullptr);
  EXPECT_EQ(characters->Find("cat")->animations[0], "sleep");
  EXPECT_EQ(characters->Find("dog"), nullptr);
  DestroySingletons();
  EXPECT_FALSE(CharacterDatabase::IsAlive());
  EXPECT_FALSE(HintWindow::IsAlive());
}

TEST_F(AdventureServicesTest, DeleteNodeDeletesChildrenFirstAndSurvivesDeepTrees) {
  // A chain far deeper than a recursive walk could take.
  auto* root = new LocationCommandNode{"root", {}, {}};
  LocationCommandNode* tip = root;
  for (int i = 0; i < 200000; ++i) {
    auto* child = new LocationCommandNode{"n", {}, {}};
    tip->children.push_back(child);
    tip = child;
  }
  root->children.push_back(nullptr);  // a hole is skipped
  root->children.push_back(new LocationCommandNode{"last", {"p"}, {}});
  LocationResource::DeleteNode(root);  // the sanitizer checks nothing leaks or is freed twice
  LocationResource::DeleteNode(nullptr);
}

TEST_F(AdventureServicesTest, ScriptFilesOfAFolderBecomeCnfResourcesThatLoadAndUnload) {
  TempDir root;
  FixtureTree(root.Path(), "data").AddFile("levels\\hall.cnf", "script bytes").AddFile("levels\\hall.txt", "x");
  RegisterLocationResourceType();
  cResourceManager* resources = cResourceManager::GetInstance();
  EXPECT_TRUE(resources->HasResourceCreator("cnf"));
  resources->RegisterResourceExtension("cnf", LocationResource::kTypeName);
  cResourceLocation location("data", root.Path());
  ASSERT_TRUE(location.Mount());

  LocationResource* script = resources->FindResource<LocationResource>("levels\\hall");
  ASSERT_NE(script, nullptr);
  EXPECT_STREQ(script->GetTypeName(), "cnf");
  EXPECT_EQ(script->GetDataSize(), std::string("script bytes").size());
  script->SetRoot(new LocationCommandNode{"root", {}, {new LocationCommandNode{"click", {}, {}}}});
  EXPECT_EQ(cResource::Release(script), 0);  // the last release unloads: the tree is gone
  EXPECT_EQ(script->GetRoot(), nullptr);
  EXPECT_EQ(script->GetDataSize(), 0u);
}

TEST_F(AdventureServicesTest, ScriptReleasesTheResourcesItHoldsWhenDestroyed) {
  TempDir root;
  FixtureTree(root.Path(), "data").AddFile("a.bin", "held");
  cResourceLocation location("data", root.Path());
  ASSERT_TRUE(location.Mount());
  cResource* held = location.GetResource(0);
  held->AddRef();
  held->AddRef();
  {
    LocationResource script("s", cResourceSource());
    script.HoldResource(held);
    script.HoldResource(nullptr);
    script.SetRoot(new LocationCommandNode{"root", {}, {}});
  }
  EXPECT_EQ(held->GetRefCount(), 1);
  cResource::Release(held);
}

TEST_F(AdventureServicesTest, ScriptWithoutDataDoesNotLoad) {
  LocationResource script("empty", cResourceSource());
  EXPECT_FALSE(script.Load());
  EXPECT_TRUE(script.Unload());
}

}  // namespace
