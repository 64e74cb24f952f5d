#include "Sources/adventure/Location.h"

#include "Sources/adventure/PhraseSequence.h"
#include "Sources/minigames/MiniGame.h"
#include "Sources/minigames/MiniGameFactory.h"
#include "Sources/shell/userdata/PlayerProfile.h"
#include "gui/include/GUISystem.h"
#include "gui/include/GUIWidgetFactory.h"
#include "gui/include/GUIWindow.h"
#include "gui/include/GUIWindowManager.h"
#include "source/log/cLog.h"
#include "source/render/RenderObject.h"
#include "source/scene/SceneRecords.h"

namespace {

constexpr const char* kSource = "Sources\\Location";
constexpr int kParentWindowLine = 51;
constexpr int kWindowChainLine = 63;
constexpr int kTooltipLine = 184;
constexpr int kPrefixLine = 199;
constexpr const char* kOverlaySuffix = "_a";
constexpr const char* kLoopAnimation = "anim_loop";

// Phrase lists every location keeps besides its hints: (key in the location, list in the texts).
constexpr std::pair<const char*, const char*> kFixedPhrases[] = {
    {"service_no_hint", "no_hint_text"}, {"ispy_hint", "ispy_hint"},   {"ispy_hint1", "ispy_hint1"},
    {"ispy_hint2", "ispy_hint2"},        {"diary_hint", "diary_hint"}, {"wrong_use1", "wrong_use1"},
    {"wrong_use2", "wrong_use2"},        {"wrong_use3", "wrong_use3"}, {"wrong_use4", "wrong_use4"},
    {"wrong_use5", "wrong_use5"},
};

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// A name the location builds from a script's name set: one plain segment.
bool IsSingleName(const std::string& name) { return !name.empty() && name.find('.') == std::string::npos; }

template <class T>
T* Lookup(const std::map<std::string, T*>& map, const std::string& name) {
  auto found = map.find(name);
  return found == map.end() ? nullptr : found->second;
}

template <class T>
T* Lookup(const std::map<std::string, std::unique_ptr<T>>& map, const std::string& name) {
  auto found = map.find(name);
  return found == map.end() ? nullptr : found->second.get();
}

void DeleteWindow(GUIWindow* window) {
  // Once the GUI is gone its tree went with it, this window included.
  if (GUIWindowManager* manager = GUIWindowManager::PeekInstance()) manager->DeleteWindow(window);
}

}  // namespace

void HintLists::Clear() {
  for (auto& list : lists) list.clear();
}

bool HintLists::IsEmpty() const { return First() == nullptr; }

const HintTarget* HintLists::First() const {
  for (const auto& list : lists) {
    if (!list.empty()) return &list.front();
  }
  return nullptr;
}

Location::Location(Location* parent, const std::string& name, const std::string& folder)
    : m_parent(parent), m_folder(folder), m_name(name) {
  const LocationTexts& texts = m_parent != nullptr ? m_parent->m_texts : PhraseDatabase::GetInstance()->GetRoot();
  auto own = texts.m_locations.find(m_name);
  if (own != texts.m_locations.end()) m_texts = own->second;
  CreateWindows();
  m_click_sound.Assign(kClickSound);
  Load();
  m_first_visit = true;
  if (CurrentProfile != nullptr) {
    for (const LocationRecord& record : CurrentProfile->m_locations) {
      if (record.m_name != m_name || record.m_key != m_folder) continue;
      RestoreState(record);
      m_first_visit = false;
      break;
    }
  }
  m_in_onload = false;
}

Location::~Location() {
  // The close-ups and games hang their windows below this location's: they go first.
  m_sub_locations.clear();
  for (auto& [name, game] : m_games) DeleteWindow(game);
  m_games.clear();
  m_sequences.clear();
  m_objects.clear();
  DeleteWindow(m_window);
}

void Location::CreateWindows() {
  GUIWindow* parent_window = nullptr;
  if (m_parent != nullptr) {
    parent_window = m_parent->m_window;
  } else if (GUIWindowManager::PeekInstance() != nullptr) {
    parent_window = GUIWindowManager::GetInstance()->GetWindow("game_logic");
    // Without the game's window the location still hangs in the GUI's tree, which owns it last.
    if (parent_window == nullptr) parent_window = GUISystem::GetInstance()->GetRoot();
  }
  m_window = new GUIWindow(parent_window, m_name);
  m_window->Show(false);
  LogReport(kLogPlain, kSource, kParentWindowLine, "Parent window: %s", m_window->IsVisible() ? "visible" : "not visible");
  std::string chain;
  for (const GUIWindow* window = m_window; window != nullptr; window = window->GetParent()) {
    chain += (chain.empty() ? "" : "->") + window->GetName();
  }
  LogReport(kLogPlain, kSource, kWindowChainLine, "%s", chain.c_str());
  m_tooltip = GUIWidgetFactory::GetInstance()->Create("static", "location_tooltip", m_window);
  if (m_tooltip == nullptr) m_tooltip = new GUIWindow(m_window, "location_tooltip");
  m_tooltip->Show(false);
}

void Location::Load() {
  const std::string resource = kLevelsFolder + m_folder + "\\" + m_name;
  m_scene.Assign(resource);
  if (m_scene) {
    for (RenderObject* object : m_scene->GetObjects()) {
      m_window->GetVisual().InsertIntoDrawList(m_window->GetVisual().GetObjects().end(), object);
    }
    m_scene->HideObjects();
    LoadObjects();
  }
  m_script.Assign(resource);
  m_root = m_current = m_script ? m_script->GetRoot() : nullptr;
  m_pending.clear();
  if (m_script) LoadScriptParts();
  LoadSubLocations();
  for (auto& [name, sub] : m_sub_locations) sub->RunOnLoad();
  m_loaded = true;
}

void Location::LoadObjects() {
  const std::string folder = ResourceFolder(m_scene->GetName());
  const std::vector<RenderObject*>& made = m_scene->GetObjects();
  std::vector<std::pair<std::string, RenderObject*>> overlays;
  std::size_t next = 0;
  for (const SceneModelDesc& record : m_scene->GetRecords().models) {
    // A record whose model could not be had has no object (the resource manager said so).
    if (next >= made.size() || made[next]->GetName() != record.name) continue;
    RenderObject* model = made[next++];
    std::string name = record.name.compare(0, folder.size(), folder) == 0 ? record.name.substr(folder.size()) : record.name;
    if (EndsWith(name, kOverlaySuffix)) {
      overlays.emplace_back(name.substr(0, name.size() - 2), model);
      continue;
    }
    uint32_t kind = LocationCharacter::kItem;
    if (record.kind == "b") {
      kind = LocationCharacter::kBack;
    } else if (record.kind == "f") {
      kind = LocationCharacter::kFront;
    } else if (record.kind != "i") {
      LogReport(kLogError, kSource, kPrefixLine, "Unknown prefix: %s", record.kind.c_str());
    }
    std::u16string tooltip;
    if (kind == LocationCharacter::kItem) {
      auto found = m_texts.m_tooltips.find(name);
      if (found != m_texts.m_tooltips.end()) {
        tooltip = found->second;
      } else {
        LogReport(kLogError, kSource, kTooltipLine, "tooltip %s not found", name.c_str());
      }
    }
    auto object = std::make_unique<LocationCharacter>(model, kind, name, std::move(tooltip));
    AnimationController& animation = model->GetAnimation();
    if (animation.SetAnimation(kLoopAnimation)) {
      animation.SetLoop(true);
      animation.SetForward(true);
      animation.Play();
    }
    m_objects_by_name[name] = object.get();
    m_objects.push_back(std::move(object));
  }
  for (const auto& [base, model] : overlays) {
    if (LocationCharacter* object = FindObject(base)) object->SetHighlightModel(model);
  }
}

void Location::LoadScriptParts() {
  for (const std::string& name : m_script->GetGameNames()) {
    // A path names another location's game: that location makes it.
    if (!IsSingleName(name)) continue;
    if (MiniGame* game = CreateMiniGame(m_window, name)) m_games[name] = game;
  }
  const auto add_sequence = [this](const std::string& key, const std::string& list) {
    auto found = m_texts.m_phrases.find(list);
    if (found == m_texts.m_phrases.end()) return false;
    m_sequences[key] = std::make_unique<PhraseSequence>(key, found->second);
    return true;
  };
  for (const std::string& key : m_script->GetHintNames()) {
    if (IsSingleName(key) && !add_sequence(key, key)) {
      LogReport(kLogAbort, kSource, __LINE__, "hint %s not found", key.c_str());
    }
  }
  add_sequence("picture_hint", "picture_hint");
  for (const auto& [key, list] : kFixedPhrases) add_sequence(key, list);
  const std::set<std::string>& names = m_script->GetObjectNames();
  for (const auto& object : m_objects) {
    if (names.count(object->GetName()) == 0) continue;
    m_script_objects.push_back(object.get());
    m_script_objects_by_name[object->GetName()] = object.get();
  }
}

void Location::LoadSubLocations() {
  if (!m_script) return;
  for (const std::string& name : m_script->GetLocationNames()) {
    // "_name" is a stage to go to, and a path names another location's close-up.
    if (!IsSingleName(name) || name[0] == '_') continue;
    if (IsAncestorName(name)) {
      // A close-up of its own name, or of a location it lies in, would be built without end.
      LogReport(kLogError, kSource, __LINE__, "%s cannot be a close-up of %s", name.c_str(), m_name.c_str());
      continue;
    }
    auto sub = std::make_unique<Location>(this, name, m_folder);
    if (sub->IsShown()) m_shown_sub = sub.get();
    m_sub_locations[name] = std::move(sub);
  }
}

bool Location::IsAncestorName(const std::string& name) const {
  for (const Location* at = this; at != nullptr; at = at->m_parent) {
    if (at->m_name == name) return true;
  }
  return false;
}

LocationCharacter* Location::FindObject(const std::string& name) const { return Lookup(m_objects_by_name, name); }

LocationCharacter* Location::FindScriptObject(const std::string& name) const {
  return Lookup(m_script_objects_by_name, name);
}

Location* Location::FindSubLocation(const std::string& name) const { return Lookup(m_sub_locations, name); }

MiniGame* Location::FindMiniGame(const std::string& name) const { return Lookup(m_games, name); }

std::string Location::GetRunningMiniGameName() const {
  for (const auto& [name, game] : m_games) {
    if (game == m_game && game != nullptr) return name;
  }
  return {};
}

PhraseSequence* Location::FindPhraseSequence(const std::string& key) const { return Lookup(m_sequences, key); }

RenderObject* Location::FindObjectModel(const std::string& name) const {
  const Location* innermost = this;
  while (innermost->m_shown_sub != nullptr) innermost = innermost->m_shown_sub;
  const LocationCharacter* object = innermost->FindObject(name);
  return object != nullptr ? object->GetModel() : nullptr;
}

void Location::RevealObject(const std::string& name) {
  Location* innermost = this;
  while (innermost->m_shown_sub != nullptr) innermost = innermost->m_shown_sub;
  if (LocationCharacter* object = innermost->FindObject(name)) {
    object->SetVisible(true);
    object->SetShown(true);
  }
}

void Location::ShowPhrase(const std::string& key) {
  PhraseSequence* sequence = FindPhraseSequence(key);
  if (sequence == nullptr) return;
  sequence->Show();
  // Running, its pages turn with the player's clicks (the in-game state passes them on only for the
  // location's running phrase); otherwise the speech window would hold the mouse for good.
  if (!sequence->GetName().empty()) m_phrase = sequence;
}

Location* Location::WalkPath(const std::string& path, std::string& last, bool report) const {
  const Location* at = this;
  std::size_t start = 0;
  for (std::size_t dot; (dot = path.find('.', start)) != std::string::npos; start = dot + 1) {
    const std::string segment = path.substr(start, dot - start);
    const Location* next = segment == "parent" ? at->m_parent : at->FindSubLocation(segment);
    if (next == nullptr) {
      if (report) LogReport(kLogAbort, kSource, __LINE__, "%s location not found", segment.c_str());
      last = path.substr(path.rfind('.') + 1);
      return nullptr;
    }
    at = next;
  }
  last = path.substr(start);
  return const_cast<Location*>(at);
}

CommandNode* Location::FindNode(uint32_t id) const {
  if (m_root == nullptr) return nullptr;
  CommandNode* found = nullptr;
  ForEachCommandNode(*m_root, [&found, id](CommandNode& node, uint32_t) {
    if (found == nullptr && node.id == id) found = &node;
  });
  return found;
}
