#pragma once
// The set-up of the location tests: the GUI's headless world with a "game_logic" window, a data
// group the test fills with scenes, scripts and a click sound, a current profile, stand-in panel
// services that record what the location asks of them, and frames driven by a fake clock and
// fake mouse and keyboard.

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Sources/adventure/CharacterDatabase.h"
#include "Sources/adventure/HintWindow.h"
#include "Sources/adventure/Location.h"
#include "Sources/adventure/LocationServices.h"
#include "Sources/adventure/PhraseDatabase.h"
#include "Sources/shell/userdata/PlayerProfile.h"
#include "gui/include/GUICursor.h"
#include "platform/audio/headless/HeadlessAudio.h"
#include "source/Resources/cResourceLocation.h"
#include "source/input/cInput.h"
#include "source/render/RenderWindow.h"
#include "source/sound/cSoundManager.h"
#include "source/sound/cSoundPlayer.h"
#include "tests/Sources/adventure/LocationData.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/source/sound/SoundFixtures.h"
#include "tests/support/Found.h"
#include "tests/support/fixtures/ResourceFixtures.h"

// The panel and the in-game state as a location sees them: answers the test sets, calls recorded.
class FakeServices : public LocationServices {
 public:
  bool IsAnyBookOpen() override { return book_open; }
  bool IsMouseOverPanel() override { return over_panel; }
  std::string GetItemInHand() override { return hand; }
  int32_t GetItemInHandValue() override { return hand_value; }
  void TakeItemInHand(const std::string& name, int32_t value) override {
    hand = name;
    hand_value = value;
  }
  bool HasInventoryItem(const std::string& name, uint32_t minimum) override {
    auto found = inventory.find(name);
    return found != inventory.end() && found->second >= minimum;
  }
  void FlyToInventory(const std::string& name, const Vector3&, uint32_t count, bool at_slot) override {
    flights.push_back(name + "*" + std::to_string(count) + (at_slot ? "@slot" : ""));
  }
  void DropInventoryItem(const std::string& name, uint32_t count) override {
    drops.push_back(name + "*" + std::to_string(count));
  }
  void ExecuteCommand(const std::string& word, uint32_t count, const std::string& source, const Vector3&) override {
    commands.push_back(word + "*" + std::to_string(count) + "@" + source);
  }
  bool IsBusy() override { return busy; }
  bool IsHelpShown() override { return help_shown; }
  void ShowHelp(bool show, const std::string& request) override {
    help.push_back(show ? request : "-");
    if (!show) help_shown = false;
  }
  bool IsItemFlying() override { return flying; }
  void SaveProgress() override {
    ++saves;
    if (on_save) on_save();
  }

  bool book_open = false, over_panel = false, busy = false, help_shown = false, flying = false;
  std::string hand;
  int32_t hand_value = 0;
  std::map<std::string, uint32_t> inventory;
  std::vector<std::string> flights, drops, commands, help;
  int saves = 0;
  std::function<void()> on_save;
};

class LocationTest : public GuiTest {
 public:
  using GuiTest::LogHas;

 protected:
  void SetUp() override {
    GuiTest::SetUp();
    audio::headless::SetSoundCardPresent(true);
    cSoundManager::GetInstance()->GetDevice().StopThread();
    RegisterLocationResourceType();
    cResourceManager::GetInstance()->RegisterResourceExtension("cnf", LocationResource::kTypeName);
    game_logic = new GUIWindow(user, "game_logic");
    GUIWindowManager::GetInstance()->RegisterWindow("game_logic", game_logic);
    gui->GetCursor()->AddCursor("cursor", GUICursor::kCursorArrow);
    gui->GetCursor()->AddCursor("lens", GUICursor::kCursorLens);
    gui->GetCursor()->AddCursor("dialog", GUICursor::kCursorDialog);
    tree.AddFile("audio/game/click.wav", sound_fixtures::ToneWav(0.3, 440, 0.5f));
    // The hero speaks in a window of his own: his phrases wait for their clicks.
    tree.AddFile("levels/text/hint_types.xml",
                 "<hint_types><type name=\"hero\" position=\"30 150\" resource=\"gui\\hint\\hero\"/></hint_types>");
    tree.AddResourceList("gui/hint.resource",
                         {{"gui\\hint\\hero", "form", "<form><static name=\"string_0\"/><static name=\"string_1\"/></form>"}});
    profile.m_stage = "hall";
    CurrentProfile = &profile;
    InstallLocationServices(&services);
    input = cInput::GetInstance();
  }
  void TearDown() override {
    locations.clear();
    InstallLocationServices(nullptr);
    CurrentProfile = nullptr;
    group.reset();
    GuiTest::TearDown();
  }

 public:
  // ---- data ------------------------------------------------------------------------------------
  void AddLocation(const std::string& name, const std::vector<SceneObject>& objects, const std::string& source,
                   const std::string& folder = "hall") {
    WriteLocationData([this](const std::string& r, const std::string& b) { tree.AddFile(r, b); }, folder, name,
                      objects, source);
  }
  // The panel's inventory scene "inventory\\inventory": a model of 40 x 40 for each item.
  void AddInventoryScene(const std::vector<std::string>& items) {
    std::string models;
    for (const std::string& item : items) {
      tree.AddFile("inventory/" + item + ".mlf", QuadModelBytes(0, 0, 40, 40));
      models += "<model name=\"" + item + "\" kind=\"i\"/>";
    }
    tree.AddFile("inventory/inventory_scene.resource",
                 "<?xml version=\"1.0\"?>\n<resources><resource name=\"inventory\\inventory\" type=\"scene\"><models>" +
                     models + "</models></resource></resources>\n");
  }
  // Tooltips and phrase lists of a top-level location of that name.
  LocationTexts& Texts(const std::string& location) {
    return PhraseDatabase::GetInstance()->GetRoot().m_locations[location];
  }
  static std::vector<Phrase> Lines(int count) { return std::vector<Phrase>(count, Phrase{"hero", u"..."}); }
  void Mount() {
    group = std::make_unique<cResourceLocation>("data", root.Path());
    ASSERT_TRUE(group->Mount());
  }
  // Builds the location (mounting the data first) and shows it as the in-game state does.
  Location& Enter(const std::string& name, const std::string& folder = "hall") {
    if (!group) Mount();
    locations.push_back(std::make_unique<Location>(nullptr, name, folder));
    Location& made = *locations.back();
    Location::SetActive(made, true, true);
    return made;
  }

  // ---- input and frames ------------------------------------------------------------------------
  // Moves the mouse to a point of the GUI screen.
  void PointAt(float x, float y) {
    uint32_t w = 0, h = 0;
    GetRenderClientSize(w, h);
    input->m_positions[cInput::kMouse] = {x / GUISystem::kReferenceWidth * static_cast<float>(w),
                                         static_cast<float>(h) - 1.0f - y / GUISystem::kReferenceHeight * static_cast<float>(h)};
  }
  static void Poll(InputState& state, int index, bool down) {
    state.Swap();
    std::memcpy(state.current, state.previous, InputState::kSize);
    state.current[index] = down ? 0x80 : 0;
  }
  // One frame of `dt` seconds for `location`, the left button held or not.
  void Frame(Location& location, float dt = 0.02f, bool left_down = false) {
    GuiFrame(dt, left_down);
    location.Update(dt);
    // Only as the in-game state steps it: a fixture that turned pages the game leaves alone would
    // hide a phrase that never turns.
    if (location.IsHintWindowInUse()) HintWindow::GetInstance()->Update();
    if (cSoundPlayer* player = cSoundPlayer::PeekInstance()) player->Update();
  }
  // The input polled and the GUI's frame, without a location.
  void GuiFrame(float dt = 0.02f, bool left_down = false) {
    Poll(input->m_states[cInput::kMouse], cInput::kMouseLeft, left_down);
    Poll(input->m_states[cInput::kKeyboard], 0, false);
    clock->Advance(dt);
    cTimerManager::GetInstance()->UpdateFrameTime();
    gui->GetCursor()->Update();
    gui->Update();
  }
  // A press at the point in one frame and the release in the next.
  void Click(Location& location, float x, float y) {
    PointAt(x, y);
    Frame(location, 0.02f, true);
    Frame(location);
  }
  // Frames for `seconds`.
  void Run(Location& location, float seconds) {
    for (float t = 0.0f; t < seconds; t += 0.05f) Frame(location, 0.05f);
  }
  // Handles of the named sound the sound player has started.
  static int Sounds(const std::string& name) {
    int count = 0;
    for (const auto& handle : cSoundPlayer::GetInstance()->GetHandles()) {
      if (handle->GetResource() != nullptr && handle->GetResource()->GetName() == name) ++count;
    }
    return count;
  }
  static int ClickSounds() { return Sounds(Location::kClickSound); }
  std::string CursorName() const {
    for (const auto& [name, cursor] : gui->GetCursor()->GetCursors()) {
      if (cursor != nullptr && cursor == gui->GetCursor()->GetCurrent()) return name;
    }
    return std::string();
  }

  TempDir root{"velmaris-location"};
  FixtureTree tree{root.Path(), "data"};
  std::unique_ptr<cResourceLocation> group;
  GUIWindow* game_logic = nullptr;
  PlayerProfile profile;
  FakeServices services;
  cInput* input = nullptr;
  std::vector<std::unique_ptr<Location>> locations;
};
