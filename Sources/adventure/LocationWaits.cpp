// What a location's script asks of the world as it runs: the objects, close-ups, games and
// phrases its parameters name, the value of its conditions and clicks, and when a node that
// waits is done waiting.

#include <algorithm>
#include <charconv>

#include "Sources/adventure/LocationActions.h"
#include "Sources/adventure/LocationServices.h"
#include "Sources/adventure/PhraseSequence.h"
#include "Sources/minigames/MiniGame.h"
#include "Sources/shell/userdata/PlayerProfile.h"
#include "gui/include/GUISystem.h"
#include "source/input/cInput.h"
#include "source/log/cLog.h"

namespace {

constexpr const char* kSource = LocationActions::kSource;
constexpr int kClickCountLine = 291;

void ReportMissing(const CommandNode& node, const std::string& what) {
  LogReport(kLogAbort, kSource, __LINE__, "%s%s", DumpCommandNode(node).c_str(), what.c_str());
}

// "picture<number>" among the diary's finished pictures.
bool IsPictureInDiary(const std::string& name) {
  static constexpr std::string_view kPrefix = "picture";
  if (name.compare(0, kPrefix.size(), kPrefix) != 0 || CurrentProfile == nullptr) return false;
  int32_t number = 0;
  const char* first = name.data() + kPrefix.size();
  const char* last = name.data() + name.size();
  const auto [end, error] = std::from_chars(first, last, number);
  if (error != std::errc() || end != last || first == last) return false;
  const std::vector<int32_t>& pictures = CurrentProfile->m_progress.m_diary_pictures;
  return std::find(pictures.begin(), pictures.end(), number) != pictures.end();
}

}  // namespace

const std::string& LocationActions::FirstParameter(const CommandNode& node) {
  static const std::string kNone;
  return node.parameters.empty() ? kNone : node.parameters.front().value;
}

LocationCharacter* LocationActions::ObjectOf(const Location& location, const CommandNode& node, const std::string& path,
                                            bool report) {
  std::string name;
  const Location* at = location.WalkPath(path, name, report);
  LocationCharacter* object = at != nullptr ? at->FindObject(name) : nullptr;
  if (object == nullptr && report) ReportMissing(node, "item " + path + " not found");
  return object;
}

Location* LocationActions::SubLocationOf(Location& location, const CommandNode& node) {
  std::string name;
  const Location* at = location.WalkPath(FirstParameter(node), name);
  Location* sub = at != nullptr ? at->FindSubLocation(name) : nullptr;
  if (sub == nullptr) ReportMissing(node, "location not found");
  return sub;
}

MiniGame* LocationActions::GameOf(Location& location, const CommandNode& node, std::string* name) {
  std::string last;
  const Location* at = location.WalkPath(FirstParameter(node), last);
  MiniGame* game = at != nullptr ? at->FindMiniGame(last) : nullptr;
  if (game == nullptr) ReportMissing(node, "game not found");
  if (name != nullptr) *name = last;
  return game;
}

PhraseSequence* LocationActions::SequenceOf(Location& location, const CommandNode& node, std::string* key) {
  std::string last;
  const Location* at = location.WalkPath(FirstParameter(node), last);
  PhraseSequence* sequence = at != nullptr ? at->FindPhraseSequence(last) : nullptr;
  if (sequence == nullptr) ReportMissing(node, "hint not found");
  if (key != nullptr) *key = last;
  return sequence;
}

bool LocationActions::IsCondition(const std::string& type) {
  return type == "isvisible" || type == "isenable" || type == "isininventory" || type == "isinjournal";
}

std::string LocationActions::Condition(const Location& location, const CommandNode& node, bool report) {
  const std::string& type = node.type;
  for (const CommandParam& parameter : node.parameters) {
    bool holds = true;
    if (type == "isvisible" || type == "isenable") {
      const LocationCharacter* object = ObjectOf(location, node, parameter.value, report);
      if (object != nullptr) holds = type == "isvisible" ? object->IsShown() : object->IsEnabled();
    } else if (type == "isininventory") {
      holds = GetLocationServices().HasInventoryItem(parameter.value, parameter.kind);
    } else if (type == "isinjournal") {
      holds = IsPictureInDiary(parameter.value);
    }
    if (!holds) return "false";
  }
  return "true";
}

bool Location::IsWaitingNode(const CommandNode& node) const {
  static const char* const kWaiting[] = {"show", "hide", "showhelp", "showlocation", "showmodallocation",
                                         "game", "hint", "endlocation", "flingtojournal"};
  if (&node == m_root) return false;
  for (const char* type : kWaiting) {
    if (node.type == type) return true;
  }
  return false;
}

std::string Location::CheckWaitCondition(CommandNode& node) {
  const std::string& type = node.type;
  if (type == "showlocation" || type == "showmodallocation") {
    // The same path as the node's action: a close-up of another location is waited for there.
    const Location* sub = LocationActions::SubLocationOf(*this, node);
    return sub != nullptr ? sub->m_status : std::string();
  }
  if (type == "game") {
    const MiniGame* game = LocationActions::GameOf(*this, node);
    return game != nullptr ? game->GetResult() : std::string();
  }
  if (type == "showhelp") return GetLocationServices().IsBusy() ? "wait" : "";
  if (type == "show" || type == "hide" || type == "flingtojournal") {
    if (node.parameters.empty()) {
      // Nothing fades: the wait would never end.
      ReportMissing(node, "nothing to wait for");
      return std::string();
    }
    const LocationCharacter* object = LocationActions::ObjectOf(*this, node, node.parameters.front().value, true);
    return object != nullptr ? object->GetStatus() : std::string();
  }
  if (type == "hint") {
    const PhraseSequence* sequence = LocationActions::SequenceOf(*this, node);
    return sequence != nullptr ? sequence->GetName() : std::string();
  }
  if (type == "endlocation") {
    if (GetLocationServices().IsItemFlying()) return "wait";
    EndLocation();
    return std::string();
  }
  return "wait";
}

std::string Location::CheckClick(CommandNode& node) {
  m_click_saw_item_press = false;
  m_click_took_with_item = false;
  if (node.parameters.size() > 1) {
    LogReport(kLogAbort, kSource, kClickCountLine, "%sparam count > 1", DumpCommandNode(node).c_str());
  }
  const cInput* input = cInput::PeekInstance();
  if (input == nullptr || !input->Mouse().IsPressed(cInput::kMouseLeft)) return std::string();
  const GUISystem* gui = GUISystem::PeekInstance();
  if (gui != nullptr && gui->IsMouseTaken()) return std::string();
  LocationServices& services = GetLocationServices();
  if (services.IsMouseOverPanel()) return std::string();
  const std::string hand = services.GetItemInHand();
  m_click_saw_item_press = !hand.empty();
  bool may_take;
  if (node.parameters.empty()) {
    may_take = hand.empty();
  } else {
    const CommandParam& item = node.parameters.front();
    may_take = !hand.empty() && hand == item.value &&
               int64_t{services.GetItemInHandValue()} >= int64_t{item.kind};
  }
  if (may_take) {
    // The frontmost object the press hit, whether or not this node takes it.
    auto hit = std::find_if(m_script_objects.rbegin(), m_script_objects.rend(),
                            [](const LocationCharacter* object) { return object->IsEnabled() && object->IsPressed(); });
    if (hit != m_script_objects.rend()) {
      const std::string& name = (*hit)->GetName();
      for (const auto& child : node.children) {
        if (child->result != name) continue;
        if (!node.parameters.empty()) services.TakeItemInHand(std::string(), 0);
        m_last_clicked = name;
        m_press_claimed = true;
        m_click_took_with_item = !services.GetItemInHand().empty();
        return name;
      }
    }
  }
  // "Nothing here": played once the step is over, unless another click node takes the press.
  m_press_unclaimed = true;
  return std::string();
}
