// Stepping a location's script: a node's children whose result equals the node's value run in
// order, each performing its command word's action; a node that yields "wait" holds the script
// until its wait is over, and a branch that ends sends the next frame's step back to the root.

#include <string_view>
#include <unordered_map>

#include "Sources/adventure/LocationActions.h"
#include "Sources/adventure/LocationServices.h"
#include "Sources/adventure/PhraseSequence.h"
#include "Sources/minigames/MiniGame.h"
#include "Sources/shell/userdata/PlayerProfile.h"
#include "gui/include/GUISystem.h"
#include "source/log/cLog.h"
#include "source/math/Rand.h"
#include "source/sound/cSoundPlayer.h"

namespace {

constexpr const char* kSource = LocationActions::kSource;
constexpr int kUnknownWordLine = 1092;
constexpr int kWrongUseKeys = 5;

using Action = std::string (*)(Location& location, CommandNode& node);

struct ActionEntry {
  Action run;
  bool in_onload;  // also performed while a close-up runs its onload nodes at load
};

LocationRecord* CurrentRecord() { return CurrentProfile != nullptr ? CurrentProfile->FindCurrentLocationRecord() : nullptr; }

// The stage's record, added on its first visit (before its first save) so that what an onload
// node starts is kept like anything started later.
LocationRecord* StageRecord(const Location& location) {
  if (LocationRecord* record = CurrentRecord()) return record;
  const Location* stage = &location;
  while (stage->GetParent() != nullptr) stage = stage->GetParent();
  if (CurrentProfile == nullptr || stage->GetName() != CurrentProfile->m_stage) return nullptr;
  LocationRecord& added = CurrentProfile->m_locations.emplace_back();
  added.m_name = stage->GetName();
  added.m_key = stage->GetFolder();
  return &added;
}

// Where something starts that comes from the last clicked object: its centre, or the mouse.
Vector3 StartPoint(const Location& location) {
  if (const LocationCharacter* object = location.FindObject(location.GetLastClickedObject())) {
    return object->GetPosition();
  }
  const Vector2 mouse = GUISystem::GetInstance()->GetMousePosition();
  return Vector3(mouse.x, mouse.y, 0.0f);
}

template <class Each>
std::string ForEachObject(Location& location, CommandNode& node, Each each) {
  for (const CommandParam& parameter : node.parameters) {
    if (LocationCharacter* object = LocationActions::ObjectOf(location, node, parameter.value, true)) each(*object);
  }
  return std::string();
}

}  // namespace

// The action of each command word; the Location's friend, so that the table can reach it.
struct LocationActionTable {
  static std::string Click(Location& l, CommandNode& n) { return l.CheckClick(n); }
  static std::string Enable(Location& l, CommandNode& n) {
    return ForEachObject(l, n, [](LocationCharacter& o) { o.SetEnabled(true); });
  }
  static std::string Disable(Location& l, CommandNode& n) {
    return ForEachObject(l, n, [](LocationCharacter& o) { o.SetEnabled(false); });
  }
  static std::string Show(Location& l, CommandNode& n) {
    ForEachObject(l, n, [](LocationCharacter& o) { o.Appear(); });
    return "wait";
  }
  static std::string Hide(Location& l, CommandNode& n) {
    ForEachObject(l, n, [](LocationCharacter& o) { o.Disappear(); });
    return "wait";
  }
  static std::string FlashShow(Location& l, CommandNode& n) {
    return ForEachObject(l, n, [](LocationCharacter& o) { o.SetShown(true); });
  }
  static std::string FlashHide(Location& l, CommandNode& n) {
    return ForEachObject(l, n, [](LocationCharacter& o) { o.SetShown(false); });
  }
  static std::string ShowHelp(Location& l, CommandNode& n) {
    for (const CommandParam& part : n.parameters) GetLocationServices().ShowHelp(true, part.value);
    // The pointer is kept once the step is over, so that a game closed while it shows brings it
    // back on the next start.
    if (GetLocationServices().IsHelpShown()) l.m_save_requested = true;
    return "wait";
  }
  static std::string HideHelp(Location& l, CommandNode&) {
    if (CurrentProfile != nullptr) CurrentProfile->m_progress.m_pending_message.clear();
    // Saved once the step is over: what the rest of the step gives is then saved with it.
    if (GetLocationServices().IsHelpShown()) l.m_save_requested = true;
    GetLocationServices().ShowHelp(false, std::string());
    return std::string();
  }
  static std::string ShowLocation(Location& l, CommandNode& n) { return Switch(l, n, true, false); }
  static std::string ShowModalLocation(Location& l, CommandNode& n) { return Switch(l, n, true, true); }
  static std::string HideLocation(Location& l, CommandNode& n) { return Switch(l, n, false, false); }

  // A close-up shown or hidden; a name that is none is the stage to go to once this location ends.
  static std::string Switch(Location& l, CommandNode& n, bool shown, bool modal) {
    std::string last;
    const Location* at = l.WalkPath(LocationActions::FirstParameter(n), last);
    Location* sub = at != nullptr ? at->FindSubLocation(last) : nullptr;
    if (sub == nullptr) {
      l.m_next_location = last.empty() ? std::string() : last.substr(1);
      return std::string();
    }
    // A location shown inside itself would update itself without end.
    for (const Location* inner = sub; inner != nullptr; inner = inner->m_shown_sub) {
      if (inner == &l) {
        LogReport(kLogError, kSource, __LINE__, "%s%s cannot be shown inside itself", DumpCommandNode(n).c_str(),
                  l.m_name.c_str());
        return std::string();
      }
    }
    l.m_next_location.clear();
    Location::SetActive(*sub, shown, modal);
    l.m_shown_sub = shown ? sub : nullptr;
    return sub->m_status;
  }

  static std::string Game(Location& l, CommandNode& n) {
    std::string name;
    MiniGame* game = LocationActions::GameOf(l, n, &name);
    if (game == nullptr) return std::string();
    if (LocationRecord* record = CurrentRecord()) record->m_game = name;
    l.m_focus = false;
    game->Start();
    l.m_game = game;
    return "wait";
  }
  static std::string Hint(Location& l, CommandNode& n) {
    std::string key;
    PhraseSequence* sequence = LocationActions::SequenceOf(l, n, &key);
    if (sequence == nullptr) return std::string();
    if (LocationRecord* record = StageRecord(l)) record->m_sequence = key;
    sequence->Show();
    l.m_phrase = sequence;
    l.m_focus = false;
    return "wait";
  }
  static std::string AddInventory(Location& l, CommandNode& n) {
    const Vector3 start = StartPoint(l);
    for (const CommandParam& item : n.parameters) {
      GetLocationServices().FlyToInventory(item.value, start, LocationActions::CountOf(item), l.m_onload_ran);
    }
    return std::string();
  }
  static std::string DropInventory(Location&, CommandNode& n) {
    for (const CommandParam& item : n.parameters) {
      GetLocationServices().DropInventoryItem(item.value, LocationActions::CountOf(item));
    }
    return std::string();
  }
  static std::string AddCard(Location& l, CommandNode& n) {
    const Vector3 point = StartPoint(l);
    const Vector3 start(point.x, point.y, 0.0f);
    for (const CommandParam& word : n.parameters) {
      GetLocationServices().ExecuteCommand(word.value, LocationActions::CountOf(word), l.m_last_clicked, start);
    }
    return std::string();
  }
  static std::string Condition(Location& l, CommandNode& n) { return LocationActions::Condition(l, n, true); }
  static std::string OnLoad(Location& l, CommandNode& n) {
    n.done = true;
    l.m_onload_ran = true;
    return std::string();
  }
  static std::string EndLocation(Location& l, CommandNode&) {
    if (GetLocationServices().IsItemFlying()) return "wait";
    l.EndLocation();
    return std::string();
  }
  static std::string Sound(Location&, CommandNode& n) {
    for (const CommandParam& name : n.parameters) {
      cResourcePtr<cSoundResource> sound;
      if (sound.Assign(LocationResource::kSoundFolder + name.value)) cSoundPlayer::GetInstance()->Play(sound, false);
    }
    return std::string();
  }

  static const ActionEntry* Find(const std::string& word) {
    static const std::unordered_map<std::string_view, ActionEntry> kTable = {
        {"click", {&Click, false}},
        {"enable", {&Enable, true}},
        {"disable", {&Disable, true}},
        {"show", {&Show, true}},
        {"hide", {&Hide, true}},
        {"flashshow", {&FlashShow, true}},
        {"flashhide", {&FlashHide, true}},
        {"showhelp", {&ShowHelp, false}},
        {"hidehelp", {&HideHelp, false}},
        {"showlocation", {&ShowLocation, false}},
        {"showmodallocation", {&ShowModalLocation, false}},
        {"hidelocation", {&HideLocation, false}},
        {"game", {&Game, false}},
        {"hint", {&Hint, false}},
        {"addinventory", {&AddInventory, false}},
        {"dropinventory", {&DropInventory, false}},
        {"addcard", {&AddCard, false}},
        {"isvisible", {&Condition, true}},
        {"isenable", {&Condition, true}},
        {"isininventory", {&Condition, true}},
        {"isinjournal", {&Condition, true}},
        {"onload", {&OnLoad, true}},
        {"endlocation", {&EndLocation, true}},
        {"sound", {&Sound, false}},
    };
    auto found = kTable.find(word);
    return found == kTable.end() ? nullptr : &found->second;
  }

  static std::string Perform(Location& l, CommandNode& n) {
    const ActionEntry* entry = Find(n.type);
    if (entry == nullptr || (l.m_in_onload && !entry->in_onload)) {
      LogReport(kLogPlain, kSource, kUnknownWordLine, "inncorrect node type: %s", n.type.c_str());
      return std::string();
    }
    return entry->run(l, n);
  }
};

bool Location::ExecuteNode(CommandNode* node, std::string value) {
  if (node == nullptr) return true;
  if (value == "wait") value = CheckWaitCondition(*node);
  if (node->children.empty() && value.empty()) {
    m_current = m_root;
    m_pending.clear();
    return true;
  }
  bool matched = false;
  bool item_press_seen = false;  // by the last click node evaluated
  bool item_click_taken = false;
  for (const auto& owned : node->children) {
    CommandNode& child = *owned;
    if (child.done || child.result != value) continue;
    if (child.type == "onload" && !m_first_visit) {
      child.done = true;  // a later visit skips it, branch and all
      continue;
    }
    matched = true;
    const std::string result = LocationActionTable::Perform(*this, child);
    if (child.type == "click") {
      item_press_seen = m_click_saw_item_press;
      item_click_taken = item_click_taken || m_click_took_with_item;
    }
    if (result == "wait") {
      m_current = &child;
      m_pending = "wait";
      return true;
    }
    if (ExecuteNode(&child, result)) return true;
  }
  // An item used where nothing takes it.
  if (item_press_seen && !item_click_taken) {
    ShowPhrase("wrong_use" + std::to_string(Rand() % kWrongUseKeys + 1));
  }
  if (!matched && value != "wait") {
    m_current = m_root;
    m_pending.clear();
  }
  return false;
}
