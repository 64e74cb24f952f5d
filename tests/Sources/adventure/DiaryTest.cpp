// The diary on the game's own built data: its commands as the profile keeps them, pieces that
// complete a picture with its card, comics paging, and profiles whose lists point past the diary.

#include <climits>

#include "Sources/adventure/DiaryWindow.h"
#include "Sources/adventure/NamedChild.h"
#include "gui/include/GUIFont.h"
#include "gui/include/GUIFontTable.h"
#include "gui/include/TextTable.h"
#include "gui/include/cFontResource.h"
#include "gui/include/cTextResource.h"
#include "platform/os/os.h"
#include "source/particle/ParticleManager.h"
#include "source/render/RenderManager.h"
#include "source/xml/XmlDocument.h"
#include "source/stream/cMemoryStream.h"
#include "tests/Sources/adventure/LocationTestSupport.h"
#include "tests/support/MemoryBytes.h"

namespace {

class DiaryTest : public LocationTest {
 protected:
  void SetUp() override {
    LocationTest::SetUp();
    ForgetLoggedMissingChildren();
    RegisterSoundResourceType();
    for (const char* name : {"data", "localization"}) {
      built.push_back(std::make_unique<cResourceLocation>(name, os::ExecutableDirectory()));
      ASSERT_TRUE(built.back()->Mount()) << "no " << name << " beside the tests";
    }
    diary = new DiaryWindow();
    DiaryWindow::Links links;
    links.notice = [this] { ++notices; };
    links.play_comics = [this](const std::vector<std::string>& list) { played.push_back(list); };
    links.show_phrase = [this](const std::string& name) { phrases.push_back(name); };
    diary->SetLinks(std::move(links));
    diary->Reload();
  }
  void TearDown() override {
    delete diary;
    built.clear();
    LocationTest::TearDown();
  }
  void Frames(float seconds) {
    for (float t = 0.0f; t < seconds; t += 0.05f) {
      RenderManager::GetInstance()->GetParticleManager()->Update(0.05f);  // as the render pass does
      GuiFrame(0.05f);
    }
  }
  // A press far from the book, released in the next frame.
  void ClickBesideTheBook() {
    PointAt(4, 4);
    GuiFrame(0.02f, true);
    GuiFrame();
  }
  bool Shown(GUIWindow* parent, const std::string& name) {
    GUIWindow* window = parent->FindChild(name);
    return window != nullptr && window->IsShown();
  }
  ProfileProgress& progress() { return profile.m_progress; }

  std::vector<std::unique_ptr<cResourceLocation>> built;
  DiaryWindow* diary = nullptr;
  int notices = 0;
  std::vector<std::vector<std::string>> played;
  std::vector<std::string> phrases;
};

TEST_F(DiaryTest, CommandsWriteTheProfileAndFlashTheButton) {
  ASSERT_GE(diary->GetComicsWindows().size(), 2u);
  const std::string past_last = "add_page_" + std::to_string(diary->GetComicsWindows().size() + 1);
  struct Case {
    std::string command;
    int notices;
    int32_t petition, scheme;
    std::vector<int32_t> comics;
    std::vector<std::string> names;
  } cases[] = {
      {"add_petition_3", 1, 3, 0, {}, {}},
      {"add_petition_9", 2, 3, 0, {}, {}},
      {"add_petition", 3, 3, 0, {}, {}},
      {"add_scheme_2", 4, 3, 2, {}, {}},
      {"add_scheme_7", 5, 3, 0, {}, {}},
      {"add_page_2", 6, 3, 0, {1}, {}},
      {"add_page_2", 7, 3, 0, {1}, {}},
      {"add_page_0", 8, 3, 0, {1}, {}},
      {"add_page_99999999999", 9, 3, 0, {1}, {}},
      {past_last, 10, 3, 0, {1}, {}},
      {"add_page_1", 11, 3, 0, {1, 0}, {}},
      {"aim_find_key", 11, 3, 0, {1, 0}, {"aim_find_key"}},
      {"$aim_find_map", 11, 3, 0, {1, 0}, {"aim_find_key"}},
      {"$aim_find_key", 11, 3, 0, {1, 0}, {"$aim_find_key"}},
      {"add_lamp", 11, 3, 0, {1, 0}, {"$aim_find_key"}},
      {"", 11, 3, 0, {1, 0}, {"$aim_find_key"}},
      {"picture_x_2", 11, 3, 0, {1, 0}, {"$aim_find_key"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    diary->OpenDiaryPage(c.command);
    EXPECT_EQ(notices, c.notices);
    EXPECT_EQ(progress().m_petition_state, c.petition);
    EXPECT_EQ(progress().m_scheme_state, c.scheme);
    EXPECT_EQ(progress().m_comics, c.comics);
    EXPECT_EQ(progress().m_diary_names, c.names);
  }
  EXPECT_TRUE(progress().m_diary_pictures.empty());
  EXPECT_FALSE(diary->IsOpen());
}

TEST_F(DiaryTest, ThePetitionPageFollowsItsState) {
  GUIStateWindow* petition = &Found(diary->GetPage(DiaryWindow::kPetitionPage));
  struct Case {
    int32_t state;
    int signatures;
    const char* added;
    bool tab;
  } cases[] = {{0, 0, "", false}, {1, 2, "", true}, {2, 2, "petition_1", true}, {4, 3, "petition_3", true},
               {5, 4, "petition_4", true}, {6, 0, "", false}, {7, 5, "petition_5", true}, {42, 0, "", true},
               {-3, 0, "", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.state);
    progress().m_petition_state = c.state;
    diary->RefreshPetitionPage();
    int shown = 0;
    for (int i = 0; i < 5; ++i) shown += Shown(petition, "sign_" + std::to_string(i)) ? 1 : 0;
    EXPECT_EQ(shown, c.signatures);
    EXPECT_EQ(Found(petition->FindChild("petition_additional_text_08")).GetValue("text_id"), c.added);
    EXPECT_EQ(Found(petition->FindChild("petition_text_00")).GetValue("text_id"), c.state == 7 ? "" : "petition");
    EXPECT_EQ(Shown(diary, "petition"), c.tab);
  }
}

TEST_F(DiaryTest, PiecesCountUpThenTheCompletedPictureAppearsWithItsCard) {
  GUIWindow* count = diary->GetStrokeText(3);
  ASSERT_EQ(count->GetName(), "picture_stroke_text_2");
  for (int piece = 1; piece <= 3; ++piece) {
    diary->OpenDiaryPage("picture_3_4");
    diary->RefreshPictures();
    EXPECT_EQ(count->GetValue("text"), std::to_string(piece) + "/4");
    EXPECT_TRUE(count->IsShown());
    EXPECT_EQ(notices, piece);
    EXPECT_FALSE(diary->IsOpen());
    EXPECT_FALSE(diary->IsPictureComplete("picture_3"));
  }
  diary->OpenDiaryPage("picture_3_4");
  EXPECT_TRUE(diary->IsPictureComplete("picture_3"));
  EXPECT_EQ(progress().m_diary_pictures, std::vector<int32_t>{3});
  EXPECT_TRUE(diary->IsOpen());
  EXPECT_TRUE(Found(diary->GetPage(DiaryWindow::kPicturePage)).IsShown());
  ASSERT_EQ(diary->GetFadingPicture(), diary->GetPictureWindow(3));
  EXPECT_EQ(Found(diary->GetPictureWindow(3)).GetName(), "picture_2");
  EXPECT_FLOAT_EQ(Found(diary->GetPictureWindow(3)).GetVisual().GetColor().w, 0.0f);
  ASSERT_TRUE(diary->IsEffectRunning());

  ClickBesideTheBook();  // the card is still appearing: the diary stays
  EXPECT_TRUE(diary->IsOpen());
  Frames(0.6f);
  EXPECT_NEAR(Found(diary->GetPictureWindow(3)).GetVisual().GetColor().w, 0.6f, 0.1f);
  Frames(3.0f);
  EXPECT_FALSE(diary->IsEffectRunning());
  EXPECT_EQ(diary->GetFadingPicture(), nullptr);
  EXPECT_EQ(phrases, std::vector<std::string>{"picture_hint"});
  ClickBesideTheBook();
  EXPECT_FALSE(diary->IsOpen());

  // A further piece shows the card again without counting the picture twice; total 0 completes.
  diary->OpenDiaryPage("picture_3_4");
  diary->OpenDiaryPage("picture_5_0");
  EXPECT_EQ(progress().m_diary_pictures, (std::vector<int32_t>{3, 5}));
  // The game leaves play while a card appears: the diary closes all the same.
  diary->Close();
  EXPECT_FALSE(diary->IsOpen());
  EXPECT_FALSE(diary->IsBusy());
  EXPECT_EQ(Found(diary->GetParent()).GetActiveChild(), nullptr);
}

TEST_F(DiaryTest, PictureNamesAndNumbersOutsideThePicturesAreRefused) {
  progress().m_diary_pictures = {0, 14};
  struct Case {
    const char* name;
    bool complete;
  } names[] = {{"picture_0", true}, {"picture_14", true}, {"picture_1", false}, {"picture", false},
               {"picture_", false}, {"picture_x", false}, {"picture_-0", true}, {"picture_99999999999", false}};
  for (const auto& c : names) EXPECT_EQ(diary->IsPictureComplete(c.name), c.complete) << c.name;
  for (const char* command : {"picture_15_2", "picture_-1_2", "picture_2147483647", "picture_1_x"}) {
    diary->OpenDiaryPage(command);
    EXPECT_EQ(progress().m_diary_piece_counts, std::vector<int32_t>(DiaryWindow::kPictures, 0)) << command;
  }
  EXPECT_FALSE(diary->IsOpen());
}

TEST_F(DiaryTest, ComicsPagesTurnWithinTheUnlockedPagesAndReplayTheirComics) {
  const std::vector<GUIWindow*>& windows = diary->GetComicsWindows();
  auto shown_page = [&] {
    for (std::size_t i = 0; i < windows.size(); ++i) {
      if (windows[i]->IsShown()) return static_cast<int>(i);
    }
    return -1;
  };
  GUIWindow* left = &Found(diary->FindChild("comics_arrow_left"));
  GUIWindow* right = &Found(diary->FindChild("comics_arrow_right"));
  GUIWindow* view = &Found(diary->FindChild("comics_view"));
  diary->Show();  // nothing unlocked: no page, no arrows, no button to view, and viewing plays nothing
  EXPECT_EQ(shown_page(), -1);
  EXPECT_FALSE(left->IsShown());
  EXPECT_FALSE(right->IsShown());
  EXPECT_FALSE(view->IsShown());
  diary->OnComicsButton(reinterpret_cast<DelegateArg>(view));
  EXPECT_TRUE(played.empty());
  diary->OpenDiaryPage("add_page_2");  // unlocked while open
  diary->OnComicsButton(reinterpret_cast<DelegateArg>(left));
  EXPECT_EQ(shown_page(), 1);
  diary->Close();

  diary->OpenDiaryPage("add_page_1");
  diary->Show();  // the newest page first
  struct Step {
    GUIWindow* button;
    int page;
    bool left, right;
  } steps[] = {{nullptr, 0, true, false}, {right, 0, true, false}, {left, 1, false, true},
               {left, 1, false, true}, {right, 0, true, false}};
  for (const Step& step : steps) {
    if (step.button != nullptr) diary->OnComicsButton(reinterpret_cast<DelegateArg>(step.button));
    EXPECT_EQ(shown_page(), step.page);
    EXPECT_EQ(left->IsShown(), step.left);
    EXPECT_EQ(right->IsShown(), step.right);
  }
  EXPECT_TRUE(view->IsShown());
  diary->OnPictureTab();  // the comics buttons belong to the history page
  EXPECT_FALSE(view->IsShown());
  EXPECT_FALSE(left->IsShown());
  diary->OnHistoryTab();
  EXPECT_TRUE(view->IsShown());
  diary->OnComicsButton(reinterpret_cast<DelegateArg>(view));
  ASSERT_EQ(played.size(), 1u);
  EXPECT_EQ(played[0], diary->GetComicsTable().at(1));
  EXPECT_EQ(Found(Found(diary->GetComicsPage()).FindChild("comics_text_00")).GetValue("text_id"), "comics_text_1");
}

TEST_F(DiaryTest, TheSchemeKeepsItsWordsAtEveryRefresh) {
  // The game's words and the ink the page is written in, to lay the lines out with.
  cResourcePtr<cTextResource> texts;
  ASSERT_TRUE(texts.Assign("en"));
  *gui->GetTextTable() = texts;
  cResourcePtr<cFontResource> ink;
  ASSERT_TRUE(ink.Assign("fonts\\ink"));
  gui->GetFontTable()->Set(5, CountedPtr<GUIFont>(new GUIFont(ink)));
  GUIWindow* first = &Found(diary->GetPage(DiaryWindow::kSchemePage)->FindChild("scheme_text_00"));
  for (const int32_t state : {1, 1, 2, 2, 1}) {
    progress().m_scheme_state = state;
    diary->RefreshSchemePage();
    EXPECT_EQ(first->GetValue("text_id"), state == 1 ? "scheme_1" : "scheme_2") << state;
    EXPECT_FALSE(first->GetValue("text").empty()) << "the page's words are gone at state " << state;
  }
}

TEST_F(DiaryTest, TheStorySoFarFollowsThePagesReached) {
  GUIWindow* first = diary->GetPage(DiaryWindow::kHistoryPage)->FindChild("line_0");
  GUIWindow* last = diary->GetPage(DiaryWindow::kHistoryPage)->FindChild("line_3");
  ASSERT_NE(first, nullptr);
  ASSERT_NE(last, nullptr);
  const struct {
    std::vector<int32_t> pages;
    const char* first;
    const char* last;
  } cases[] = {{{}, "DIARY_HISTORY_0", "DIARY_HISTORY_3"},
               {{0}, "DIARY_HISTORY_1_0", "DIARY_HISTORY_1_3"},
               {{0, 1}, "DIARY_HISTORY_2_0", "DIARY_HISTORY_2_3"},
               {{0, 1, 2}, "DIARY_HISTORY_3_0", "DIARY_HISTORY_3_3"},
               {{0, 1, 2, 7, 9}, "DIARY_HISTORY_3_0", "DIARY_HISTORY_3_3"},  // past the last chapter written
               {{}, "DIARY_HISTORY_0", "DIARY_HISTORY_3"}};                   // a new journey starts again
  for (const auto& c : cases) {
    diary->Close();
    progress().m_comics = c.pages;
    diary->Show();
    EXPECT_EQ(first->GetValue("text_id"), c.first) << c.pages.size();
    EXPECT_EQ(last->GetValue("text_id"), c.last) << c.pages.size();
  }
}

TEST_F(DiaryTest, ADamagedProfileNeverReachesPastTheDiary) {
  diary->Close();
  progress().m_comics = {INT32_MAX, -3, 1000};
  progress().m_diary_pictures = {-1, 15, INT32_MIN, 2};
  progress().m_diary_piece_counts = {1, 2};
  progress().m_diary_piece_totals = std::vector<int32_t>(40, 5);
  progress().m_petition_state = INT32_MIN;
  progress().m_scheme_state = 99;
  diary->Reload();
  EXPECT_EQ(progress().m_diary_piece_totals.size(), static_cast<std::size_t>(DiaryWindow::kPictures));
  EXPECT_TRUE(Found(diary->GetPictureWindow(2)).IsShown());
  diary->Show();
  for (GUIWindow* button : {diary->FindChild("comics_arrow_left"), diary->FindChild("comics_view"),
                            diary->FindChild("comics_arrow_right")}) {
    for (int i = 0; i < 4; ++i) diary->OnComicsButton(reinterpret_cast<DelegateArg>(button));
  }
  diary->OnPictureTab();
  Frames(0.5f);
  ASSERT_EQ(played.size(), 4u);
  for (const auto& list : played) EXPECT_TRUE(list.empty());
  progress().m_comics.clear();  // another profile under a kept position
  diary->OnComicsButton(reinterpret_cast<DelegateArg>(diary->FindChild("comics_view")));
  EXPECT_EQ(diary->GetComicsPosition(), -1);
}

TEST(JournalComicsTest, EntriesAreReadByTheirNumberAndBrokenOnesSkipped) {
  const std::string text =
      "<journal_comics>"
      "<page name=\"diarypage1\" comics=\"gui\\comics\\a\" other=\"x\"/>"
      "<page name=\"diarypage2\" comics=\"b\"/>"
      "<page name=\"diarypage1\" comics=\"c\"/>"
      "<page name=\"short\" comics=\"d\"/>"
      "<page name=\"diarypageX\" comics=\"e\"/>"
      "<page name=\"diarypage99999999999\" comics=\"f\"/>"
      "<page comics=\"g\"/>"
      "<page name=\"diarypage3\"/>"
      "</journal_comics>";
  const JournalComics expected = {{1, {"c"}}, {2, {"b"}}, {3, {}}};
  auto load = [](XmlDocument& document, const std::string& bytes) {
    cMemoryStream stream = StreamOf(bytes);
    return document.Load(stream);
  };
  XmlDocument document;
  ASSERT_TRUE(load(document, text));
  EXPECT_EQ(ReadJournalComics(document.GetRoot()), expected);
  // Cut short or garbled, the file reads as far as it parses and never crashes.
  for (std::size_t length = 0; length < text.size(); length += 7) {
    std::string damaged = text.substr(0, length);
    if (length % 2 == 1 && !damaged.empty()) damaged[length / 2] ^= 0x5a;
    XmlDocument part;
    if (load(part, damaged)) ReadJournalComics(part.GetRoot());
  }
}

}  // namespace
