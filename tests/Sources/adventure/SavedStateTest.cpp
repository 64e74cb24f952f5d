// A location's state in the profile: saved, written to the profile's file form and read back,
// then restored into a location built anew, as when a game is resumed.

#include "Sources/adventure/PhraseSequence.h"
#include "Sources/shell/userdata/BinaryReader.h"
#include "Sources/shell/userdata/ProfileCodec.h"
#include "tests/Sources/adventure/LocationTestSupport.h"

namespace {

const std::vector<SceneObject> kHall = {{"hall_back", "b", 0, 0, 1024, 768},
                                        {"key", "i", 100, 100, 50, 50},
                                        {"door", "i", 300, 100, 50, 100},
                                        {"lamp_light", "b", 480, 160, 90, 60}};
const std::vector<SceneObject> kDesk = {{"desk_back", "b", 200, 200, 600, 400}, {"letter", "i", 300, 300, 50, 50}};

// A click on the key fades the light in and then gives a bulb; the door opens the desk.
constexpr const char* kHallScript =
    "hall {\n onload {\n enable key door {\n flashhide lamp_light\n }\n }\n"
    " click {\n key: show lamp_light {\n addinventory bulb\n }\n door: showlocation desk\n }\n}";
constexpr const char* kDeskScript = "desk {\n onload {\n enable letter\n }\n}";

class SavedStateTest : public LocationTest {
 protected:
  void SetUp() override {
    LocationTest::SetUp();
    AddLocation("hall", kHall, kHallScript);
    AddLocation("desk", kDesk, kDeskScript);
    Texts("hall").m_phrases["wrong_use1"] = Lines(2);
  }
  // The records as the profile's file keeps them: written and read back.
  void ThroughTheFile() {
    for (LocationRecord& record : profile.m_locations) {
      cMemoryStream bytes;
      ASSERT_TRUE(WriteLocationRecord(bytes, record));
      bytes.Seek(0, 0);
      BinaryReader reader(bytes);
      LocationRecord read;
      ASSERT_TRUE(ReadLocationRecord(reader, read));
      record = read;
    }
  }
  // The location built again from the saved records.
  Location& Resume() {
    ThroughTheFile();
    locations.clear();
    return Enter("hall");
  }
  LocationRecord& Record(const std::string& name) {
    for (LocationRecord& record : profile.m_locations) {
      if (record.m_name == name) return record;
    }
    throw std::runtime_error("no record of " + name);
  }
};

TEST_F(SavedStateTest, AWaitSavedResumesWhereItWasAndRunsItsBranch) {
  Location& hall = Enter("hall");
  Frame(hall);
  Click(hall, 125, 125);
  Frame(hall, 0.3f);
  ASSERT_EQ(hall.GetPendingValue(), "wait");
  hall.SaveState();
  hall.SaveState();
  EXPECT_EQ(profile.m_locations.size(), 2u) << "one record each for the hall and its desk";
  EXPECT_TRUE(services.flights.empty());

  Location& again = Resume();
  EXPECT_FALSE(again.IsFirstVisit());
  EXPECT_EQ(Found(again.GetCurrentNode()).type, "show");
  EXPECT_EQ(again.GetPendingValue(), "wait");
  const LocationCharacter* light = &Found(again.FindObject("lamp_light"));
  EXPECT_EQ(light->GetState(), LocationCharacter::kFadingIn);
  EXPECT_TRUE(Found(again.FindObject("key")).IsEnabled());
  Run(again, 1.0f);
  EXPECT_EQ(services.flights, std::vector<std::string>{"bulb*1"});
  EXPECT_EQ(light->GetState(), LocationCharacter::kShown);
  // The onload did not run again: the light stays shown.
  Frame(again);
  EXPECT_EQ(light->GetState(), LocationCharacter::kShown);
}

TEST_F(SavedStateTest, ALocationInAnotherFolderKeepsItsOwnRecord) {
  AddLocation("hall", kHall, kHallScript, "annex");
  Enter("hall").SaveState();
  Enter("hall", "annex").SaveState();
  int halls = 0;
  for (const LocationRecord& record : profile.m_locations) halls += record.m_name == "hall" ? 1 : 0;
  EXPECT_EQ(halls, 2);
}

// A record as an older script or a damaged file may leave it: the location still runs.
struct RestoreCase {
  const char* name;
  std::function<void(LocationRecord& hall)> edit;
  const char* node;     // the type of the node the script stands at afterwards ("" the root)
  const char* pending;
  uint32_t key_state;
};

void PrintTo(const RestoreCase& c, std::ostream* out) { *out << c.name; }

// An edit of the key's record within the hall's.
std::function<void(LocationRecord&)> OnTheKey(void (*edit)(CharacterRecord&)) {
  return [edit](LocationRecord& hall) {
    for (CharacterRecord& c : hall.m_characters) {
      if (c.m_name == "key") edit(c);
    }
  };
}

const RestoreCase kRestores[] = {
    {"ANumberNoNodeHasRestartsAtTheRoot", [](LocationRecord& r) { r.m_number = 9999; }, "", "", 2},
    {"ANodeThatDoesNotWaitRestartsAtTheRoot",
     [](LocationRecord& r) {
       r.m_number = 3;  // the "flashhide": a script rebuilt since the save
       r.m_text_2 = "wait";
     },
     "", "", 2},
    {"AMovingObjectHasNoPathAndIsHidden", OnTheKey([](CharacterRecord& key) { key.m_state = 4; }), "", "", 0},
    {"AnUnknownStateIsHidden", OnTheKey([](CharacterRecord& key) { key.m_state = 77; }), "", "", 0},
    {"AnAlphaThatIsNoNumberIsMadeWhole",
     OnTheKey([](CharacterRecord& key) { key.m_alpha = std::numeric_limits<float>::quiet_NaN(); }), "", "", 2},
};

class RestoreTest : public SavedStateTest, public ::testing::WithParamInterface<RestoreCase> {};

TEST_P(RestoreTest, LeavesAScriptThatRuns) {
  const RestoreCase& c = GetParam();
  Location& hall = Enter("hall");
  Frame(hall);
  hall.SaveState();
  c.edit(Record("hall"));
  Location& again = Resume();
  EXPECT_EQ(again.GetCurrentNode() == again.GetRoot() ? "" : Found(again.GetCurrentNode()).type, c.node);
  EXPECT_EQ(again.GetPendingValue(), c.pending);
  const LocationCharacter* key = &Found(again.FindObject("key"));
  EXPECT_EQ(key->GetState(), c.key_state);
  EXPECT_GE(key->GetAlpha(), 0.0f);
  EXPECT_LE(key->GetAlpha(), 1.0f);
  Run(again, 0.5f);
  EXPECT_TRUE(again.IsShown());
}

INSTANTIATE_TEST_SUITE_P(Records, RestoreTest, ::testing::ValuesIn(kRestores),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SavedStateTest, ACloseUpAndAPhraseComeBackFromTheRecord) {
  Location& hall = Enter("hall");
  Frame(hall);
  Click(hall, 325, 150);  // the desk opens
  ASSERT_NE(hall.GetShownSubLocation(), nullptr);
  hall.SaveState();
  // A location's own saves never name a close-up to show again: the desk comes back through
  // its own record.
  EXPECT_TRUE(Record("hall").m_text_1.empty());
  Record("hall").m_sequence = "wrong_use1";
  Location& again = Resume();
  ASSERT_NE(again.GetShownSubLocation(), nullptr);
  EXPECT_EQ(Found(again.GetShownSubLocation()).GetName(), "desk");
  ASSERT_NE(again.GetRunningPhrase(), nullptr);
  EXPECT_EQ(Found(again.GetRunningPhrase()).GetName(), "wait");

  // A record from a file that names the close-up shows it modal.
  profile.m_locations.clear();
  LocationRecord record;
  record.m_name = "hall";
  record.m_key = "hall";
  record.m_flag_1 = 1;
  record.m_text_1 = "desk";
  record.m_sub_locations["desk"].m_flag_1 = 1;
  profile.m_locations.push_back(record);
  Location& from_file = Resume();
  ASSERT_NE(from_file.GetShownSubLocation(), nullptr);
  EXPECT_TRUE(Found(from_file.GetShownSubLocation()).IsModal());
}

// A phrase the script waits on, saved before it was read to the end: the resumed game shows it
// again and then runs what follows it; a wait whose phrase is no longer recorded goes straight on.
struct PhraseResume {
  const char* name;
  const char* script;
  bool click_key;        // the phrase follows a click on the key, else it is the first visit's
  bool forget_phrase;    // the record lost its phrase (read to the end just before the save)
};

void PrintTo(const PhraseResume& c, std::ostream* out) { *out << c.name; }

const PhraseResume kPhraseResumes[] = {
    {"AnOnloadPhraseOfTheFirstVisit", "hall {\n onload {\n hint intro {\n addinventory bulb\n }\n }\n}", false, false},
    {"APhraseAClickStarted", "hall {\n onload {\n enable key\n }\n click {\n key: hint intro {\n addinventory bulb\n }\n }\n}",
     true, false},
    {"AWaitWithoutItsPhrase", "hall {\n onload {\n enable key\n }\n click {\n key: hint intro {\n addinventory bulb\n }\n }\n}",
     true, true},
};

class PhraseResumeTest : public SavedStateTest, public ::testing::WithParamInterface<PhraseResume> {};

TEST_P(PhraseResumeTest, ShowsTheRestAndThenRunsTheBranch) {
  const PhraseResume& c = GetParam();
  AddLocation("hall", kHall, c.script);
  Texts("hall").m_phrases["intro"] = Lines(3);
  Location& hall = Enter("hall");
  Frame(hall);
  Frame(hall);
  if (c.click_key) Click(hall, 125, 125);
  ASSERT_NE(HintWindow::GetInstance()->GetSequence(), nullptr);
  Click(hall, 900, 600);  // the first page is read
  ASSERT_EQ(Found(HintWindow::GetInstance()->GetSequence()).GetPage(), 1);
  hall.SaveState();
  if (c.forget_phrase) Record("hall").m_sequence.clear();
  Location& again = Resume();
  Frame(again);
  EXPECT_EQ(again.IsHintWindowInUse(), !c.forget_phrase);
  for (int page = 0; page < 3 && again.IsHintWindowInUse(); ++page) Click(again, 900, 600);
  Run(again, 0.3f);
  EXPECT_EQ(services.flights, std::vector<std::string>{"bulb*1"});
}

INSTANTIATE_TEST_SUITE_P(Saves, PhraseResumeTest, ::testing::ValuesIn(kPhraseResumes),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
