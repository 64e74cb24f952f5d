// The sample adventure as a player meets it in the built data: every place plays a tune of its
// own that runs a minute or more before it loops, the story ends on a comics page before the
// credits, the diary keeps every comics page, and every kind of mini-game is started by some place or close-up.

#include <algorithm>
#include <set>
#include <string>
#include <typeinfo>

#include "Sources/adventure/DiaryWindow.h"
#include "Sources/adventure/GameFlowController.h"
#include "Sources/adventure/LocationResource.h"
#include "Sources/adventure/StageList.h"
#include "Sources/minigames/MiniGame.h"
#include "Sources/minigames/MiniGameFactory.h"
#include "gui/include/cFormResource.h"
#include "platform/os/os.h"
#include "source/Resources/cResourceLocation.h"
#include "source/Resources/cXmlResource.h"
#include "source/sound/cSoundResource.h"
#include "source/sound/cSoundStream.h"
#include "source/stream/cFileStream.h"
#include "source/xml/XmlNode.h"
#include "tests/gui/GuiTestSupport.h"

namespace {

class SampleStoryContentTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    RegisterSoundResourceType();
    RegisterLocationResourceType();
    for (const char* group : {"data", "localization"}) {
      groups.push_back(std::make_unique<cResourceLocation>(group, os::ExecutableDirectory()));
      ASSERT_TRUE(groups.back()->Mount()) << "no " << group << " beside the tests";
    }
    cResourcePtr<cXmlResource> stage_file;
    ASSERT_TRUE(stage_file.Assign(GameFlowController::kStageResource));
    stages = ReadStageList(stage_file->GetRoot());
    ASSERT_FALSE(stages.empty());
  }
  void TearDown() override {
    groups.clear();
    GuiTest::TearDown();
  }

  // Seconds the tune plays before it starts again; 0 when it cannot be read.
  static float TuneSeconds(const std::string& name) {
    std::string path = os::ExecutableDirectory() + "/data/" + name + ".ogg";
    std::replace(path.begin(), path.end(), '\\', '/');
    std::unique_ptr<cStream> file =
        std::make_unique<cFileStream>(path, os::kOpenExisting, os::kAccessRead, os::kShareRead);
    std::unique_ptr<cSoundStream> tune = CreateOggStream(file);
    return tune ? tune->GetTotalTime() : 0.0f;
  }

  std::vector<std::unique_ptr<cResourceLocation>> groups;
  std::vector<StageRecord> stages;
};

TEST_F(SampleStoryContentTest, EveryPlacePlaysATuneOfItsOwnThatRunsAMinuteBeforeItLoops) {
  std::set<std::string> tunes;
  for (const StageRecord& stage : stages) {
    EXPECT_FALSE(stage.music.empty()) << stage.name;
    EXPECT_TRUE(tunes.insert(stage.music).second) << stage.name << " shares its tune";
  }
  const std::string menu = "audio\\music\\menu";
  EXPECT_EQ(tunes.count(menu), 0u) << "the menu's tune follows the player into a place";
  tunes.insert({menu, GameFlowController::kTransitionMusic, GameFlowController::kSearchMusic});
  for (const std::string& tune : tunes) {
    cResourcePtr<cSoundResource> sound;
    EXPECT_TRUE(sound.Assign(tune)) << tune;
    EXPECT_GE(TuneSeconds(tune), 60.0f) << tune;
  }
}

TEST_F(SampleStoryContentTest, TheLastPlaceEndsOnAComicsPageBeforeTheCredits) {
  const StageRecord& last = stages.back();
  ASSERT_FALSE(last.stop_windows.empty()) << "the story jumps from the last place to the credits";
  for (const std::string& page : last.stop_windows) {
    EXPECT_FALSE(IsMapTravelEntry(page)) << page;
    cResourcePtr<cFormResource> form;
    ASSERT_TRUE(form.Assign(page)) << page;
    bool picture = false;
    for (const FormElement& child : form->GetRoot().children) picture = picture || child.name == "picture";
    EXPECT_TRUE(picture) << page;
  }
  // The diary keeps every comics page to be watched again: each listed page has its place on the
  // story page, and no page a place stops on is shown once and never kept.
  cResourcePtr<cXmlResource> listed;
  ASSERT_TRUE(listed.Assign(DiaryWindow::kComicsResource));
  cResourcePtr<cFormResource> diary;
  ASSERT_TRUE(diary.Assign(DiaryWindow::kComicsForm));
  std::set<std::string> places, kept;
  for (const FormElement& child : diary->GetRoot().children) places.insert(child.name);
  for (const auto& [number, pages] : ReadJournalComics(listed->GetRoot())) {
    EXPECT_EQ(places.count("comics_" + std::to_string(number)), 1u) << "diary page " << number;
    kept.insert(pages.begin(), pages.end());
  }
  for (const StageRecord& stage : stages) {
    for (const std::string& page : stage.stop_windows) {
      if (!IsMapTravelEntry(page)) {
        EXPECT_EQ(kept.count(page), 1u) << page << " is not kept in the diary";
      }
    }
  }
}

TEST_F(SampleStoryContentTest, EveryKindOfMiniGameIsStartedByAPlaceOrACloseUp) {
  // What the places and their close-ups start, by the kind of game the factory makes for it.
  std::set<std::string> started;
  const auto kind_of = [this](const std::string& name) {
    MiniGame* game = CreateMiniGame(user, name);
    const std::string kind = game != nullptr ? typeid(*game).name() : "";
    delete game;
    return kind;
  };
  for (const StageRecord& stage : stages) {
    cResourcePtr<LocationResource> script;
    ASSERT_TRUE(script.Assign("levels\\" + stage.name + "\\" + stage.name)) << stage.name;
    std::set<std::string> games = script->GetGameNames();
    for (const std::string& close_up : script->GetLocationNames()) {
      cResourcePtr<LocationResource> inner;
      ASSERT_TRUE(inner.Assign("levels\\" + stage.name + "\\" + close_up)) << close_up;
      games.insert(inner->GetGameNames().begin(), inner->GetGameNames().end());
    }
    for (const std::string& game : games) started.insert(kind_of(game));
  }
  std::set<std::string> kinds;
  for (const std::string& name : KnownMiniGameNames()) kinds.insert(kind_of(name));
  EXPECT_EQ(kinds.size(), 19u);
  for (const std::string& kind : kinds) EXPECT_EQ(started.count(kind), 1u) << kind << " is started nowhere";
}

}  // namespace
