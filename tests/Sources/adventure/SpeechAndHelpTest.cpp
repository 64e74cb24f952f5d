// The phrase database's reading rules, the hint window's page turning, the help pointer's
// placement and close modes, and the comics page's endings, on hand-made forms and texts.

#include "Sources/adventure/ComicsWindow.h"
#include "Sources/adventure/HelpWindow.h"
#include "Sources/adventure/PhraseSequence.h"
#include "gui/include/GUIStatic.h"
#include "source/stream/cMemoryStream.h"
#include "source/text/TextConversion.h"
#include "source/xml/XmlDocument.h"
#include "tests/Sources/adventure/LocationTestSupport.h"
#include "tests/support/MemoryBytes.h"

namespace {

std::unique_ptr<XmlDocument> Parse(const std::string& text) {
  cMemoryStream bytes = StreamOf(text);
  auto document = std::make_unique<XmlDocument>();
  EXPECT_TRUE(document->Load(bytes)) << text;
  return document;
}

class SpeechTest : public LocationTest {
 protected:
  void SetUp() override {
    LocationTest::SetUp();
    tree.AddFile("audio/game/menu_pointing.wav", sound_fixtures::ToneWav(0.05, 600, 0.3f));
    const std::string lines = "<static name=\"string_0\"/><static name=\"string_1\"/>";
    const std::string quad = " shader=\"quad\" size=\"300 96 1\"";
    tree.AddResourceList("gui/forms.resource",
                         {{"gui\\hint\\note", "form", "<form>" + lines + "</form>"},
                          {"gui\\game_panel\\help_screen", "form",
                           "<form><window name=\"box\"" + quad + "/><window name=\"help_arrow_left\"/>"
                           "<window name=\"help_arrow_right\"/><static name=\"help_text_0\"/><static name=\"help_text_1\"/>"
                           "</form>"},
                          {"gui\\comics\\page", "form", "<form><window name=\"picture\"" + quad + "/></form>"}});
    Mount();
    user->Show(true);
  }
  // One frame: the left button down or up, the clock moved by dt.
  void Step(bool down = false, float dt = 0.02f) { GuiFrame(dt, down); }
  void ClickFrame() {
    Step(true);
    HintWindow::GetInstance()->Update();
    Step(false);
    HintWindow::GetInstance()->Update();
  }
  HintWindow* Hints() {
    HintWindow* hints = HintWindow::GetInstance();
    if (hints->FindTypeWindow("keeper") == nullptr) {
      hints->LoadTypes(Found(Parse("<hint_types>"
                             "<type name=\"hero\" text_length=\"40\" position=\"30 150\" resource=\"gui\\hint\\hero\"/>"
                             "<type name=\"keeper\" position=\"400 560\" resource=\"gui\\hint\\hero\"/>"
                             "<type name=\"note\" resource=\"gui\\hint\\note\"/>"
                             "<type name=\"lost\" resource=\"gui\\hint\\missing\"/>"
                             "</hint_types>")).GetRoot());
    }
    return hints;
  }
};

// ---- the phrase database ----------------------------------------------------------------------------

TEST_F(SpeechTest, ThePhraseFileFillsNestedRecordsOverTheHerosDefaults) {
  PhraseDatabase* database = PhraseDatabase::GetInstance();
  database->ReadDocument(Found(Parse("<locations><inventory name=\"key\" text=\"Key\"/>"
                               "<location name=\"quay\"><hint name=\"wrong_use3\"><a type=\"hero\" text=\"one\"/></hint>"
                               "<hint name=\"wrong_use3\"><b type=\"keeper\" text=\"two\"/><c text=\"three\"/></hint>"
                               "<tooltip name=\"boat\" text=\"Boat\"/>"
                               "<location name=\"cabin\"><inventory name=\"pearl\" text=\"Pearl\"/></location></location>"
                               "<location name=\"quay\"><hint name=\"i_spy\"><a type=\"note\" text=\"look\"/></hint></location>"
                               "<unknown name=\"x\"/></locations>")).GetRoot());
  const LocationTexts& quay = database->GetRoot().m_locations.at("quay");
  struct Case {
    const char* list;
    std::size_t size;
    const char* first_type;
  } cases[] = {
      {"wrong_use3", 3, "keeper"},  // the second list replaced the first; the second element adds the default
      {"wrong_use1", 2, "hero"},    // merged twice: the default twice
      {"no_hint_text", 2, "hero"},
      {"i_spy", 1, "note"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list);
    ASSERT_EQ(quay.m_phrases.count(c.list), 1u);
    ASSERT_EQ(quay.m_phrases.at(c.list).size(), c.size);
    EXPECT_EQ(quay.m_phrases.at(c.list).front().m_type, c.first_type);
  }
  EXPECT_EQ(quay.m_phrases.at("wrong_use3")[1].m_type, "");  // a missing attribute reads empty
  EXPECT_EQ(quay.m_locations.at("cabin").m_phrases.at("diary_hint").size(), 1u);
  EXPECT_EQ(WideToUtf8(quay.m_tooltips.at("boat")), "Boat");
  EXPECT_EQ(WideToUtf8(database->GetText("pearl")), "Pearl");  // found at any depth
  EXPECT_EQ(WideToUtf8(database->GetText("rope")), "");
  EXPECT_EQ(database->GetPhrases("quay", "i_spy").size(), 1u);
  EXPECT_TRUE(database->GetPhrases("cabin", "i_spy").empty());  // top level only
  EXPECT_TRUE(database->GetPhrases("quay", "nothing").empty());
  // A file nested without end is cut, not followed.
  std::string deep;
  for (int i = 0; i < 200; ++i) deep += "<location name=\"l\">";
  for (int i = 0; i < 200; ++i) deep += "</location>";
  database->ReadDocument(Found(Parse("<locations>" + deep + "</locations>")).GetRoot());
  EXPECT_TRUE(LogHas("phrases nested deeper"));
}

// ---- the hint window ------------------------------------------------------------------------------

TEST_F(SpeechTest, PagesTurnOnFreshClicksThatReachTheSpeechWindow) {
  HintWindow* hints = Hints();
  ASSERT_NE(hints->FindTypeWindow("hero"), nullptr);
  EXPECT_EQ(hints->FindTypeWindow("hero"), hints->FindTypeWindow("keeper"));  // one form, one window
  PhraseSequence talk("talk", {{"hero", u"first"}, {"keeper", u"second"}, {"note", u"third"}});
  talk.Show();
  GUIStateWindow* hero = &Found(hints->FindTypeWindow("hero"));
  EXPECT_EQ(talk.GetName(), "wait");
  EXPECT_TRUE(hero->IsShown());
  EXPECT_EQ(WideToUtf8(static_cast<GUIStatic*>(hero->FindChild("string_0"))->GetText()), "first");
  // The click that showed it turns nothing.
  Step(true);
  hints->Update();
  EXPECT_EQ(talk.GetPage(), 0);
  Step(false);
  hints->Update();
  // A held button is no fresh click.
  Step(true);
  hints->Update();
  EXPECT_EQ(talk.GetPage(), 1);
  Step(true);
  hints->Update();
  EXPECT_EQ(talk.GetPage(), 1);
  EXPECT_FLOAT_EQ(hero->GetLocal()[12], 400.0f);  // moved to the keeper's place without hiding
  EXPECT_TRUE(hero->IsShown());
  // A modal window outside the speech window's chain keeps the click.
  GUIWindow* modal = new GUIWindow(user, "modal");
  modal->Activate();
  Step(false);
  ClickFrame();
  EXPECT_EQ(talk.GetPage(), 1);
  delete modal;
  GUIWindow::SetActiveChild(gui->GetRoot(), nullptr);
  ClickFrame();
  EXPECT_EQ(talk.GetPage(), 2);
  ClickFrame();
  EXPECT_EQ(talk.GetName(), "");
  EXPECT_EQ(hints->GetSequence(), nullptr);
  EXPECT_FALSE(Found(hints->FindTypeWindow("note")).IsOpen());
  EXPECT_EQ(Sounds(HintWindow::kPageSound), 3);  // every page, the first one too
}

TEST_F(SpeechTest, SequencesThatCannotBeShownEndAtOnce) {
  struct Case {
    const char* type;  // null: no phrases at all
    const char* log;
  } cases[] = {{nullptr, "a phrase sequence without phrases"},
               {"stranger", "phrase type stranger has no window"},
               {"lost", "phrase type lost has no window"}};
  HintWindow* hints = Hints();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.log);
    std::vector<Phrase> phrases;
    if (c.type != nullptr) phrases.push_back({c.type, u"..."});
    PhraseSequence sequence("s", phrases);
    sequence.Show();
    EXPECT_EQ(sequence.GetName(), "");
    EXPECT_EQ(hints->GetSequence(), nullptr);
    EXPECT_TRUE(LogHas(c.log));
  }
}

// ---- the help pointer -------------------------------------------------------------------------------

TEST_F(SpeechTest, HelpRequestsNameTheirKeyPartAndObject) {
  struct Case {
    const char* request;
    const char* key;
    const char* part;
    const char* object;
    int close_mode;  // -1: a part the help screen does not know
  } cases[] = {
      {"helphero_hero", "helphero", "hero", "", HelpWindow::kCloseOnAnyClick},
      {"helpmodel_model_lamp_2", "helpmodel", "model", "lamp_2", HelpWindow::kCloseOnRequest},
      {"helpmap_map", "helpmap", "map", "", HelpWindow::kCloseOnTarget},
      {"ispy4_ispy1", "ispy4", "ispy1", "", HelpWindow::kCloseOnAnyClick},
      {"plain", "plain", "", "", -1},
      {"x_sky", "x", "sky", "", -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.request);
    const HelpRequest parsed = ParseHelpRequest(c.request);
    EXPECT_EQ(parsed.text_key, c.key);
    EXPECT_EQ(parsed.part, c.part);
    EXPECT_EQ(parsed.object, c.object);
    const HelpRule* rule = FindHelpRule(parsed.part);
    EXPECT_EQ(rule != nullptr ? rule->close_mode : -1, c.close_mode);
  }
}

TEST_F(SpeechTest, TheHelpScreenStandsBesideItsTargetAndClosesAsItsModeSays) {
  auto* help = new HelpWindow(user);
  GUIWindow* near_left = new GUIWindow(user, "near_left");
  PlaceQuad(*near_left, 100, 300, 50, 50);
  GUIWindow* near_right = new GUIWindow(user, "near_right");
  PlaceQuad(*near_right, 900, 300, 50, 50);
  auto resolve_to = [](GUIWindow* window) {
    return [window](const HelpRule&, const std::string&) { return window->GetVisual().GetModel(); };
  };
  struct Case {
    const char* request;
    GUIWindow* target;
    float x;
    const char* arrow;
  } placements[] = {{"helphero_hero", near_left, 150.0f, "help_arrow_left"},
                    {"helphero_hero", near_right, 900.0f - 300.0f, "help_arrow_right"}};
  for (const Case& c : placements) {
    SCOPED_TRACE(c.arrow);
    ASSERT_NE(ShowHelpRequest(help, c.request, resolve_to(c.target)), nullptr);
    EXPECT_FLOAT_EQ(help->GetLocal()[12], c.x);
    EXPECT_FLOAT_EQ(help->GetLocal()[13], 350.0f);  // the target's top edge
    EXPECT_EQ(Found(help->GetArrow()).GetName(), c.arrow);
    EXPECT_TRUE(Found(help->GetArrow()).IsShown());
  }
  // An unknown part changes nothing.
  EXPECT_EQ(ShowHelpRequest(help, "helphero_sky", resolve_to(near_left)), nullptr);
  EXPECT_FLOAT_EQ(help->GetLocal()[12], 600.0f);

  struct Close {
    const char* request;
    bool closed_beside;  // after a click beside the target
    bool closed_on;      // after a click on it
  } closes[] = {{"helphero_hero", true, true}, {"helpmap_map", false, true}, {"helphint_hint", false, false}};
  for (const Close& c : closes) {
    SCOPED_TRACE(c.request);
    help->Hide();
    for (int i = 0; i < 40; ++i) Step();
    ASSERT_NE(ShowHelpRequest(help, c.request, resolve_to(near_left)), nullptr);
    for (int i = 0; i < 40; ++i) Step();
    ASSERT_TRUE(help->IsOpen());
    EXPECT_NEAR(help->GetAlpha(), 1.0f, 1e-4f);  // faded in
    PointAt(500, 600);
    Step(true);
    Step(false);
    EXPECT_EQ(!help->IsOpen(), c.closed_beside);
    if (!help->IsOpen()) continue;
    PointAt(125, 325);
    Step(true);
    Step(false);
    EXPECT_EQ(!help->IsOpen(), c.closed_on);
  }
}

// ---- the comics page --------------------------------------------------------------------------------

TEST_F(SpeechTest, AComicsPageEndsOnAPressFadingOutUnlessKept) {
  struct Case {
    bool keep;
    bool key;  // a key instead of the mouse
    float seconds_after_press;
  } cases[] = {{true, false, 0.0f}, {false, false, 1.0f}, {false, true, 1.0f}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.keep << c.key);
    auto* page = new ComicsWindow(user, "gui\\comics\\page", c.keep, true);
    page->Show();
    for (int i = 0; i < 20 && !page->IsReady(); ++i) Step();
    ASSERT_TRUE(page->IsReady());
    // "Click to go on" is centred on the bottom of the screen, not cut in half by its left edge.
    const GUIWindow* caption = &Found(page->FindChild("press key"));
    EXPECT_FLOAT_EQ(caption->GetWorld().m[12], 512.0f);
    if (c.key) {
      Poll(input->m_states[cInput::kMouse], cInput::kMouseLeft, false);
      Poll(input->m_states[cInput::kModifiers], cInput::kModifierAnyKey, true);
      clock->Advance(0.02f);
      cTimerManager::GetInstance()->UpdateFrameTime();
      gui->Update();
    } else {
      Step(true);
    }
    float waited = 0.0f;
    Poll(input->m_states[cInput::kModifiers], cInput::kModifierAnyKey, false);
    while (page->IsOpen() && waited < 3.0f) {
      Step(false, 0.05f);
      waited += 0.05f;
    }
    EXPECT_FALSE(page->IsOpen());
    EXPECT_NEAR(waited, c.seconds_after_press, 0.11f);
    delete page;
  }
}

}  // namespace
