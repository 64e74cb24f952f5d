// velmaris-location: the program's start-up and frame loop with the sample game's locations on
// screen, run as the in-game state runs them: "location_1" first, then each stage a location ends
// towards, or without one the stage that follows in "levels\stage", until the last has ended (the
// driver then ends with status 0, as it does when its window is closed). A stand-in for the game panel keeps the items given: the keys 1 to 9 take
// the item of that place into the hand, 0 empties it. The driver logs what the location asks of
// the panel ("panel: ..."), and at the end the state saved into the profile, so that the
// end-to-end test can follow a play-through in the log.

#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "Sources/adventure/HintWindow.h"
#include "Sources/adventure/Location.h"
#include "Sources/adventure/LocationServices.h"
#include "Sources/adventure/StageList.h"
#include "Sources/shell/userdata/PlayerProfile.h"
#include "app/sources/VelmarisMain.h"
#include "app/sources/cApplication.h"
#include "gui/include/GUICursor.h"
#include "gui/include/GUISystem.h"
#include "gui/include/GUIWindowManager.h"
#include "platform/input/KeyCodes.h"
#include "source/Resources/cXmlResource.h"
#include "source/input/cInput.h"
#include "source/log/cLog.h"
#include "source/timer/cTimerManager.h"
#include "tests/e2e/drivers/DriverStart.h"

namespace {

constexpr const char* kSource = "location driver";

void Say(const std::string& text) { LogReport(kLogPlain, kSource, __LINE__, "%s", text.c_str()); }

// The panel as far as a location needs it: items arrive at once, in order.
class PanelStandIn : public LocationServices {
 public:
  std::string GetItemInHand() override { return m_hand; }
  int32_t GetItemInHandValue() override { return m_hand.empty() ? 0 : 1; }
  void TakeItemInHand(const std::string& name, int32_t) override {
    m_hand = name;
    Say("panel: hand " + (name.empty() ? std::string("empty") : name));
  }
  bool HasInventoryItem(const std::string& name, uint32_t) override { return Index(name) < m_items.size(); }
  void FlyToInventory(const std::string& name, const Vector3&, uint32_t, bool) override {
    if (!HasInventoryItem(name, 0)) m_items.push_back(name);
    Say("panel: item " + name);
  }
  void DropInventoryItem(const std::string& name, uint32_t) override {
    if (Index(name) < m_items.size()) m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(Index(name)));
    if (m_hand == name) m_hand.clear();
    Say("panel: dropped " + name);
  }
  void ExecuteCommand(const std::string& word, uint32_t, const std::string& source, const Vector3&) override {
    Say("panel: command " + word + " from " + source);
  }

  // The digit keys of this frame.
  void PollKeys() {
    const cInput& input = *cInput::GetInstance();
    if (input.Keyboard().IsPressed(input::kKey0)) TakeItemInHand(std::string(), 0);
    for (uint32_t i = 0; i < 9; ++i) {
      if (input.Keyboard().IsPressed(static_cast<int>(input::kKey1 + i)) && i < m_items.size()) TakeItemInHand(m_items[i], 1);
    }
  }

 private:
  std::size_t Index(const std::string& name) const {
    std::size_t i = 0;
    while (i < m_items.size() && m_items[i] != name) ++i;
    return i;
  }

  std::vector<std::string> m_items;
  std::string m_hand;
};

// The window "game_logic": after its children it runs the location, and follows it to the next.
class LocationHost : public GUIWindow {
 public:
  explicit LocationHost(GUIWindow* parent) : GUIWindow(parent, "game_logic") {}

  void Enter(const std::string& stage) {
    m_location.reset();
    Say("entering " + stage);
    CurrentProfile->m_stage = stage;
    m_location = std::make_unique<Location>(nullptr, stage, stage);
    Location::SetActive(*m_location, true, false);
  }

  bool Update() override {
    const bool result = GUIWindow::Update();
    if (!m_location) return result;
    m_panel.PollKeys();
    m_location->Update(cTimerManager::GetInstance()->GetFrameDelta());
    // A phrase on show takes the clicks: each turns a page, stepped only when the game steps it.
    if (m_location->IsHintWindowInUse()) HintWindow::GetInstance()->Update();
    if (m_location->IsShown()) return result;
    m_location->SaveState();
    const std::string next = m_location->GetNextLocationName();
    Say("ended " + m_location->GetName() + ", next: " + (next.empty() ? "none" : next));
    const std::string following = next.empty() ? FollowingStage(m_location->GetName()) : next;
    if (following.empty()) {
      m_location.reset();
      QuitApplication(0);
    } else {
      Enter(following);
    }
    return false;  // the children changed
  }

  void SaveState() {
    if (m_location) m_location->SaveState();
  }

  PanelStandIn m_panel;

 private:
  static std::string FollowingStage(const std::string& stage) {
    cResourcePtr<cXmlResource> file;
    if (!file.Assign("levels\\stage")) return std::string();
    const std::vector<StageRecord> stages = ReadStageList(file->GetRoot());
    for (size_t i = 0; i + 1 < stages.size(); ++i) {
      if (stages[i].name == stage) return stages[i + 1].name;
    }
    return std::string();
  }

  std::unique_ptr<Location> m_location;
};

int Run(const std::string& first) {
  if (!StartDriverProgram("Velmaris")) return 1;
  GUISystem* gui = GUISystem::GetInstance();
  RegisterLocationResourceType();  // before the groups are mounted
  MountSampleGroups();
  if (GUICursor* cursor = StartDriverGui()) {
    cursor->AddCursor("cursor", GUICursor::kCursorArrow);
    cursor->AddCursor("lens", GUICursor::kCursorLens);
    cursor->AddCursor("dialog", GUICursor::kCursorDialog);
  }
  SetGameFonts();

  PlayerProfile profile;
  CurrentProfile = &profile;
  GUIWindow* user = GUIWindowManager::GetInstance()->GetWindow("user");
  auto* host = new LocationHost(user != nullptr ? user : gui->GetRoot());
  GUIWindowManager::GetInstance()->RegisterWindow("game_logic", host);
  host->Show(true);
  InstallLocationServices(&host->m_panel);
  host->Enter(first);
  cApplication::GetInstance()->Run();
  host->SaveState();
  for (const LocationRecord& record : profile.m_locations) {
    Say("saved " + record.m_key + "\\" + record.m_name + " at node " + std::to_string(record.m_number) + " \"" +
        record.m_text_2 + "\"");
  }
  InstallLocationServices(nullptr);
  GUIWindowManager::GetInstance()->DeleteWindow(host);
  CurrentProfile = nullptr;
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  return EndDriverProgram(Run(argc > 1 ? argv[1] : "location_1"));
}
