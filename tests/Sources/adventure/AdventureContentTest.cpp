// The game's own built data holds every name the panel's inventory, the speech windows, the help
// pointer and the comics page look up, in both languages; every phrase and tip reads whole over
// the lines of its window. The sample adventure as a player meets it: every place plays a tune of
// its own that runs a minute or more before it loops, the story ends on a comics page before the
// credits, the diary keeps every comics page, and every kind of mini-game is started by some place
// or close-up.

#include <algorithm>
#include <iterator>
#include <set>
#include <sstream>
#include <typeinfo>

#include "Sources/adventure/DiaryWindow.h"
#include "Sources/adventure/GameFlowController.h"
#include "Sources/adventure/GameMap.h"
#include "Sources/adventure/GamePanel.h"
#include "Sources/adventure/GetHintGame.h"
#include "Sources/adventure/HelpDialog.h"
#include "Sources/adventure/HelpWindow.h"
#include "Sources/adventure/StageList.h"
#include "Sources/adventure/HintWindow.h"
#include "Sources/adventure/Inventory.h"
#include "Sources/adventure/LocationResource.h"
#include "Sources/adventure/PhraseDatabase.h"
#include "Sources/adventure/PhraseSequence.h"
#include "Sources/minigames/MiniGame.h"
#include "Sources/minigames/MiniGameFactory.h"
#include "gui/include/GUIFont.h"
#include "gui/include/GUIStateWindow.h"
#include "gui/include/cFontResource.h"
#include "gui/include/GUIFontTable.h"
#include "gui/include/GUIStatic.h"
#include "gui/include/TextTable.h"
#include "gui/include/cFormResource.h"
#include "gui/include/cTextResource.h"
#include "platform/os/os.h"
#include "source/Resources/cResourceLocation.h"
#include "source/Resources/cXmlResource.h"
#include "source/particle/cParticleResource.h"
#include "source/properties/Conversions.h"
#include "source/render/RenderObject.h"
#include "source/sound/cSoundResource.h"
#include "source/sound/cSoundStream.h"
#include "source/stream/cFileStream.h"
#include "source/text/TextConversion.h"
#include "source/xml/XmlNode.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/Found.h"

namespace {

class AdventureContentTest : public GuiTest {
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
  }
  void TearDown() override {
    groups.clear();
    GuiTest::TearDown();
  }
  // The names of the form's top-level windows.
  static std::set<std::string> Children(const std::string& form_name) {
    cResourcePtr<cFormResource> form;
    std::set<std::string> names;
    if (!form.Assign(form_name)) return names;
    for (const FormElement& child : form->GetRoot().children) names.insert(child.name);
    return names;
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

// Each named resource of the kind is in the data.
template <class Resource>
void ExpectFound(std::initializer_list<const char*> names) {
  for (const char* name : names) {
    cResourcePtr<Resource> resource;
    EXPECT_TRUE(resource.Assign(name)) << name;
  }
}

TEST_F(AdventureContentTest, EveryNameTheAdventureLooksUpIsInTheData) {
  ExpectFound<cParticleResource>({PanelInventory::kFlyEffect});
  ExpectFound<cSoundResource>({HintWindow::kPageSound});

  // The inventory has a model, and a glow, for every item the texts name.
  cResourcePtr<cSceneResource> scene;
  ASSERT_TRUE(scene.Assign(PanelInventory::kScene));
  std::set<std::string> models;
  for (const RenderObject* object : scene->GetObjects()) models.insert(object->GetName());

  // Every speaker has a window with a first line.
  cResourcePtr<cXmlResource> types;
  ASSERT_TRUE(types.Assign(HintWindow::kTypesResource));
  std::set<std::string> speakers;
  for (const XmlNode* type = types->GetRoot().GetFirstChild(); type != nullptr; type = type->GetNext()) {
    speakers.insert(GetAttributeValue(type, "name", ""));
    EXPECT_EQ(Children(GetAttributeValue(type, "resource", "")).count("string_0"), 1u) << GetAttributeValue(type, "name", "");
  }

  for (const char* language : {"en", "ru"}) {
    SCOPED_TRACE(language);
    cResourcePtr<cXmlResource> locations;
    ASSERT_TRUE(locations.Assign(std::string("levels\\text\\") + language + "\\locations"));
    std::set<std::string> named_items;
    std::vector<const XmlNode*> elements = {&locations->GetRoot()};
    for (std::size_t i = 0; i < elements.size(); ++i) {
      for (const XmlNode* child = elements[i]->GetFirstChild(); child != nullptr; child = child->GetNext()) {
        if (child->GetName() == "inventory") named_items.insert(GetAttributeValue(child, "name", ""));
        if (child->GetName() != "hint" && child->GetName() != "location") continue;
        if (child->GetName() == "location") elements.push_back(child);
        for (const XmlNode* line = child->GetFirstChild(); line != nullptr && child->GetName() == "hint"; line = line->GetNext()) {
          EXPECT_EQ(speakers.count(GetAttributeValue(line, "type", "")), 1u) << GetAttributeValue(child, "name", "");
        }
      }
    }
    for (const char* item : {"key", "chart", "letter", "compass", "pearl"}) {
      EXPECT_EQ(named_items.count(item), 1u) << item;
      EXPECT_EQ(models.count(std::string("inventory\\") + item), 1u) << item;
      EXPECT_EQ(models.count(std::string("inventory\\") + item + "_a"), 1u) << item;
    }
    // The hero's defaults and the pages' captions are in the text table.
    cResourcePtr<cTextResource> texts;
    ASSERT_TRUE(texts.Assign(language));
    std::vector<std::string> keys(PhraseDatabase::kDefaultPhraseKeys.begin(), PhraseDatabase::kDefaultPhraseKeys.end());
    for (const char* key : {"HIT_MOUSE_BUTTON_TO_CONTINUE", "COMICS_1_TEXT_0", "COMICS_1_TEXT_1", "helphero",
                            "helpinventory", "helpdiary", "helphint", "helpmap", "helplens", "ispy1", "ispy2", "ispy4"}) {
      keys.push_back(key);
    }
    for (const std::string& key : keys) EXPECT_FALSE(texts->GetTexts()[key].empty()) << key;
  }

  const std::set<std::string> help = Children(HelpWindow::kForm);
  for (const char* name : {"box", "help_arrow_left", "help_arrow_right"}) EXPECT_EQ(help.count(name), 1u) << name;
  for (int i = 0; i < HelpWindow::kTextStatics; ++i) EXPECT_EQ(help.count("help_text_" + std::to_string(i)), 1u) << i;
  EXPECT_FALSE(Children("gui\\comics\\comics_1").empty());
}

// The in-game state and the panel: the stages with their scenes, scripts and pages, the panel's
// form with every window the code names, the in-game menu, its help page, the search's settings,
// and the sounds and effects they play.
TEST_F(AdventureContentTest, EveryStageAndEveryPanelWindowIsInTheData) {
  ASSERT_EQ(stages.size(), 3u);
  for (const StageRecord& stage : stages) {
    cResourcePtr<cSceneResource> scene;
    EXPECT_TRUE(scene.Assign("levels\\" + stage.name + "\\" + stage.name)) << stage.name;
    const std::string script = os::ExecutableDirectory() + "/data/levels/" + stage.name + "/" + stage.name + ".cnf";
    EXPECT_TRUE(os::FileExists(script)) << script;
    for (const auto* pages : {&stage.start_windows, &stage.stop_windows}) {
      for (const std::string& page : *pages) {
        if (!IsMapTravelEntry(page)) {
          EXPECT_FALSE(Children(page).empty()) << page;
        }
      }
    }
  }
  EXPECT_FALSE(Children(GameFlowController::kCreditsEntry).empty());

  const std::set<std::string> panel = Children(GamePanel::kFormName);
  std::vector<std::string> names = {"game_panel", "inventory", "hint_arrow_0", "hint_arrow_1", "hero_eyes",
                                    "hero_lips", "get_hint_error", "map", "journal", "game_menu", "get_hint",
                                    "exit_from_get_hint_text", "timer_cap", "game_panel_cap", "exit_from_get_hint",
                                    "left_true", "center_true", "right_true", "get_hint_panel_true", "map_true",
                                    "get_hint_exit_true", "get_hint_exit_true_text", "amulet", "medalion_half",
                                    "medalion_full", "pell_tanford_0", "pell_tanford_1"};
  for (int i = 0; i < 9; ++i) names.push_back("inventory_" + std::to_string(i));
  for (int i = 0; i < 9; ++i) names.push_back("inventory_count_" + std::to_string(i));
  for (int i = 0; i < 5; ++i) names.push_back("hint_" + std::to_string(i));
  for (int i = 0; i < 5; ++i) names.push_back("hint_stroke_" + std::to_string(i));
  for (int i = 0; i < 8; ++i) names.push_back("get_hint_item_0" + std::to_string(i));
  for (const std::string& name : names) EXPECT_EQ(panel.count(name), 1u) << name;
  const std::set<std::string> menu = Children(GamePanel::kMenuForm);
  for (const char* name : {"exit_to_menu", "back_to_game", "full_screen", "help"}) EXPECT_EQ(menu.count(name), 1u) << name;
  EXPECT_EQ(Children(HelpDialog::kForm).count("ok_btn"), 1u);

  cResourcePtr<cXmlResource> ispy;
  ASSERT_TRUE(ispy.Assign(GamePanel::kSearchSettings));
  EXPECT_NE(ispy->GetRoot().FindChildByPath("time"), nullptr);
  ExpectFound<cParticleResource>({GameFlowController::kHintEffect});
  ExpectFound<cSoundResource>({"audio\\game\\success", "audio\\game\\menu_click", "audio\\game\\click",
                               "audio\\game\\less_time", GameFlowController::kTransitionMusic});
}

// Both maps hold every window the map looks up, each route has at least four steps, and every
// travel the stages name has its route.
TEST_F(AdventureContentTest, TheMapsHoldEveryPlaceArrowButtonAndRouteTheGameNames) {
  for (const char* form : {GameMap::kBigForm, GameMap::kSmallForm}) {
    const std::set<std::string> map = Children(form);
    std::vector<std::string> names = {"map_back"};
    for (int n = 0; n < GameMap::kLocations; ++n) names.push_back(GameMap::ArrowOfLocation(n));
    for (int place = 1; place <= GameMap::kPlaces; ++place) names.push_back(GameMap::PlaceName(place));
    if (form == std::string(GameMap::kSmallForm)) {
      names.insert(names.end(), {"items_remained", "items_remained_number"});
      for (int n = 1; n <= GameMap::kLocations; ++n) {
        names.push_back("get_hint_location_" + std::to_string(n));
        names.push_back("get_hint_text_" + std::to_string(n));
      }
    }
    for (const std::string& name : names) EXPECT_EQ(map.count(name), 1u) << form << " " << name;
  }
  GameMap map(std::string(), true);
  int travels = 0;
  for (const StageRecord& stage : stages) {
    for (const std::string& entry : stage.stop_windows) {
      if (!IsMapTravelEntry(entry)) continue;
      int from = 0, to = 0;
      ParseMapTravelEntry(entry, from, to);
      EXPECT_TRUE(map.PrepareTravel(from - 1, to - 1)) << entry;
      EXPECT_GE(map.GetRoute() != nullptr ? map.GetRoute()->size() : 0u, 4u) << entry;
      ++travels;
    }
  }
  EXPECT_GT(travels, 0);
  ExpectFound<cSoundResource>({"audio\\game\\paper01", "audio\\game\\victory01", "audio\\game\\fail01"});
}

// Every search scene the small map can offer (three variants of each sample location) has its
// backdrop and a full list of objects, each named in the scene's text section in both languages,
// with the introduction, the effects, the sounds and the texts of the search.
TEST_F(AdventureContentTest, EverySearchSceneAndWhatTheSearchPlaysIsInTheData) {
  cResourcePtr<cTextResource> texts[] = {{}, {}};
  ASSERT_TRUE(texts[0].Assign("en"));
  ASSERT_TRUE(texts[1].Assign("ru"));
  for (int location = 1; location <= 3; ++location) {
    for (int variant = 1; variant <= 3; ++variant) {
      const std::string number = std::to_string(location);
      const std::string scene = "get_hint\\location_" + number + "\\location_" + number + "_" + std::to_string(variant);
      SCOPED_TRACE(scene);
      cResourcePtr<cFormResource> form;
      ASSERT_TRUE(form.Assign(scene));
      std::set<std::string> objects;
      for (const FormElement& child : form->GetRoot().children) {
        auto item = child.attributes.find("item");
        if (item != child.attributes.end() && item->second == "true") objects.insert(child.name);
      }
      EXPECT_GE(objects.size(), 8u);
      EXPECT_EQ(Children(scene).count("background"), 1u);
      for (auto& table : texts) {
        for (const std::string& object : objects) {
          EXPECT_FALSE(table->GetSections()[GetHintGame::TextSectionOf(scene)][object].empty()) << object;
        }
      }
      for (const char* language : {"en", "ru"}) {
        cResourcePtr<cXmlResource> locations;
        ASSERT_TRUE(locations.Assign(std::string("levels\\text\\") + language + "\\locations"));
        bool introduced = false;
        for (const XmlNode* place = locations->GetRoot().GetFirstChild(); place != nullptr; place = place->GetNext()) {
          if (GetAttributeValue(place, "name", "") != scene) continue;
          for (const XmlNode* list = place->GetFirstChild(); list != nullptr; list = list->GetNext()) {
            introduced = introduced || GetAttributeValue(list, "name", "") == "i_spy";
          }
        }
        EXPECT_TRUE(introduced) << language;
      }
    }
  }
  for (auto& table : texts) {
    for (const char* key : {"ispy_exit", "ispy_exit_title", "CANCEL_I_SPY", "ispyexit", "ispy1", "ispy4"}) {
      EXPECT_FALSE(table->GetTexts()[key].empty()) << key;
    }
    // Each box that asks or tells the player something says in its title what it is about: no
    // two of them share one (leaving the search is not leaving the game).
    const std::vector<std::string> titles{"ispy_exit_title", "EXIT_TITLE", "skip_minigame_title", "no_more_hints_title",
                                          "DELETE_PROFILE_TITLE"};
    for (size_t i = 0; i < titles.size(); ++i) {
      EXPECT_FALSE(table->GetTexts()[titles[i]].empty()) << titles[i];
      for (size_t j = i + 1; j < titles.size(); ++j) {
        EXPECT_NE(table->GetTexts()[titles[i]], table->GetTexts()[titles[j]]) << titles[i] << " and " << titles[j];
      }
    }
  }
  ExpectFound<cParticleResource>({"particle systems\\i_spy_effect", "particle systems\\i_spy2_effect"});
  ExpectFound<cSoundResource>({"audio\\game\\ispy_found", "audio\\game\\take_cloth", "audio\\game\\fail01",
                               "audio\\game\\victory01", "audio\\music\\ispy"});
}

// The diary: its book with the tabs, bookmarks, comics buttons and cards; every page with the
// windows the code fills; a comics window for every comics page the comics file names (each page
// replaying comics that exist); its sounds and card effect; and its texts in both languages.
TEST_F(AdventureContentTest, EveryNameTheDiaryLooksUpIsInTheData) {
  const std::set<std::string> book = Children(DiaryWindow::kForm);
  for (const char* name : {"history_back", "petition", "picture", "history03", "history", "goals", "button_history",
                           "button_picture", "button_petition", "button_scheme", "button_comics_view",
                           "comics_arrow_left", "comics_view", "comics_arrow_right", "card1", "card2", "card3"}) {
    EXPECT_EQ(book.count(name), 1u) << name;
  }
  for (const auto& page : DiaryWindow::kPages) EXPECT_FALSE(Children(page[1]).empty()) << page[1];
  const std::set<std::string> pictures = Children(DiaryWindow::kPages[DiaryWindow::kPicturePage][1]);
  for (int number : DiaryWindow::kPictureWindowNumbers) {
    for (const char* prefix : {"picture_", "picture_stroke_", "picture_stroke_text_"}) {
      EXPECT_EQ(pictures.count(prefix + std::to_string(number)), 1u) << prefix << number;
    }
  }
  const std::set<std::string> petition = Children(DiaryWindow::kPages[DiaryWindow::kPetitionPage][1]);
  for (const char* name : {"petition_text_00", "petition_additional_text_00", "petition_additional_text_08", "sign_0",
                           "sign_1", "sign_2", "sign_3", "sign_4"}) {
    EXPECT_EQ(petition.count(name), 1u) << name;
  }
  EXPECT_EQ(Children(DiaryWindow::kPages[DiaryWindow::kSchemePage][1]).count("scheme_text_00"), 1u);
  const std::set<std::string> comics = Children(DiaryWindow::kComicsForm);
  EXPECT_EQ(comics.count("comics_text_00"), 1u);
  cResourcePtr<cXmlResource> table_file;
  ASSERT_TRUE(table_file.Assign(DiaryWindow::kComicsResource));
  const JournalComics table = ReadJournalComics(table_file->GetRoot());
  EXPECT_FALSE(table.empty());
  for (const auto& [number, entries] : table) {
    EXPECT_EQ(comics.count("comics_" + std::to_string(number)), 1u) << number;
    for (const std::string& entry : entries) EXPECT_FALSE(Children(entry).empty()) << entry;
  }
  ExpectFound<cSoundResource>({DiaryWindow::kSuccessSound, DiaryWindow::kPageSound});
  ExpectFound<cParticleResource>({DiaryWindow::kCardEffect});
  for (const char* language : {"en", "ru"}) {
    cResourcePtr<cTextResource> texts;
    ASSERT_TRUE(texts.Assign(language));
    std::vector<std::string> keys = {"petition", "petition_main", "scheme_1", "scheme_2"};
    for (int i = 1; i <= 5; ++i) keys.push_back("petition_" + std::to_string(i));
    for (const auto& [number, entries] : table) keys.push_back("comics_text_" + std::to_string(number));
    for (const std::string& key : keys) EXPECT_FALSE(texts->GetTexts()[key].empty()) << language << " " << key;
  }
}

std::vector<std::string> Words(const std::u16string& text) {
  std::istringstream in(WideToUtf8(text));
  return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

// The words the window's lines "<prefix>0", "<prefix>1", ... show, in order; each line is linked
// and lays its words out in a helper box.
std::vector<std::string> Shown(GUIWindow& window, const std::string& prefix, int lines) {
  std::u16string all;
  for (int i = 0; i < lines; ++i) {
    auto* line = dynamic_cast<GUIStatic*>(window.FindChild(prefix + std::to_string(i)));
    if (line == nullptr) return {"no " + prefix + std::to_string(i)};
    EXPECT_TRUE(line->GetValue("link") == "true" && line->GetLayoutSize().x > 100.0f) << line->GetName();
    all += line->GetText() + u' ';
  }
  return Words(all);
}

void Collect(const LocationTexts& texts, std::vector<Phrase>& phrases) {
  for (const auto& [list, listed] : texts.m_phrases) phrases.insert(phrases.end(), listed.begin(), listed.end());
  for (const auto& [name, inner] : texts.m_locations) Collect(inner, phrases);
}

TEST_F(AdventureContentTest, EveryPhraseAndTipReadsWholeOverTheLinesOfItsWindow) {
  cResourcePtr<cXmlResource> init;
  ASSERT_TRUE(init.Assign("game_init\\game_init"));
  for (const char* language : {"en", "ru"}) {
    SCOPED_TRACE(language);
    const XmlNode& fonts = Found(init->GetRoot().FindChildByPath("lang"));
    for (const XmlNode* font = fonts.GetFirstChild(); font; font = font->GetNext()) {
      cResourcePtr<cFontResource> resource;
      ASSERT_TRUE(resource.Assign(GetAttributeValue(font, "name", "")));
      const int id = std::stoi(GetAttributeValue(font, "id", "0"));
      Found(gui->GetFontTable()).Set(id, CountedPtr<GUIFont>(new GUIFont(resource)));
    }
    cResourcePtr<cTextResource> texts;
    ASSERT_TRUE(texts.Assign(language));
    *gui->GetTextTable() = texts;
    cResourcePtr<cXmlResource> locations;
    ASSERT_TRUE(locations.Assign(std::string("levels\\text\\") + language + "\\locations"));
    PhraseDatabase::GetInstance()->ReadDocument(locations->GetRoot());
    std::vector<Phrase> phrases;
    Collect(PhraseDatabase::GetInstance()->GetRoot(), phrases);
    ASSERT_GT(phrases.size(), 20u);
    // Long and short phrases come mixed: a short one shows no words left over from a long one.
    for (const Phrase& phrase : phrases) {
      PhraseSequence page("page", {phrase});
      page.Show();
      GUIStateWindow* window = HintWindow::GetInstance()->FindTypeWindow(phrase.m_type);
      ASSERT_NE(window, nullptr) << phrase.m_type;
      EXPECT_EQ(Shown(*window, "string_", 3), Words(phrase.m_text));
      page.NextPage();
    }
    auto* help = new HelpWindow(user);
    int shown = 0;
    for (const auto& [key, text] : texts->GetTexts()) {
      if (key.rfind("help", 0) != 0 && key.rfind("ispy", 0) != 0) continue;
      for (int time = 0; time < 2; ++time) {  // the same tip again shows again
        SetHelpPageTexts(help, key, HelpWindow::kCloseOnAnyClick, nullptr);
        EXPECT_EQ(Shown(*help, "help_text_", HelpWindow::kTextStatics), Words(text)) << key;
      }
      ++shown;
    }
    EXPECT_GE(shown, 10);
    delete help;
  }
}

TEST_F(AdventureContentTest, EveryPlacePlaysATuneOfItsOwnThatRunsAMinuteBeforeItLoops) {
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

TEST_F(AdventureContentTest, TheLastPlaceEndsOnAComicsPageBeforeTheCredits) {
  ASSERT_FALSE(stages.empty());
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

TEST_F(AdventureContentTest, EveryKindOfMiniGameIsStartedByAPlaceOrACloseUp) {
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
