// The hint search: a walk over a location's script as the script would run, collecting what a
// hint may point at into four lists (objects that give items; objects where something changes
// or an item is to be used; close-ups with something left to do; objects that start an unsolved
// mini-game). Each list keeps one target an object, the first the walk finds.

#include <algorithm>

#include "Sources/adventure/LocationActions.h"
#include "Sources/adventure/LocationServices.h"
#include "Sources/minigames/MiniGame.h"
#include "source/render/RenderObject.h"

namespace {

// The branch object of the children of a "click" node: each child is its own object.
const std::string kItemSearch = "item_search";
const std::string kNoValue;

enum : std::size_t { kGivesItem = 0, kChangesThere = 1, kCloseUp = 2, kMiniGame = 3 };

bool Holds(const std::vector<HintTarget>& list, const std::string& object) {
  return std::any_of(list.begin(), list.end(), [&object](const HintTarget& t) { return t.object == object; });
}

}  // namespace

class LocationHintSearch {
 public:
  LocationHintSearch(Location& location, HintLists& lists) : m_location(location), m_lists(lists) {}

  // Searches the children of `node` that the value selects, below the branch of `object`.
  void Search(const CommandNode& node, const std::string& value, const std::string& object, bool* found) {
    for (const auto& owned : node.children) {
      const CommandNode& child = *owned;
      const std::string* child_value = &value;
      const std::string* child_object = &object;
      if (&object == &kItemSearch) {
        // Below a click each child stands for its object, which must be there to be clicked.
        child_value = child_object = &child.result;
        const LocationCharacter* target = m_location.FindScriptObject(child.result);
        if (target == nullptr || !target->IsEnabled() || !target->IsShown()) continue;
      }
      if (child.done || child.result != *child_value) continue;
      Visit(child, *child_object, found);
    }
  }

 private:
  void Visit(const CommandNode& child, const std::string& object, bool* found) {
    const std::string& type = child.type;
    if (type == "click") return VisitClick(child, found);
    if (LocationActions::IsCondition(type)) {
      const std::string value = LocationActions::Condition(m_location, child, false);
      if (type == "isinjournal" && value == "false") return;
      return Search(child, value, object, found);
    }
    if (type == "showlocation") return VisitCloseUp(child, found);
    if (type == "game") return VisitGame(child);
    if (type == "addcard") {
      if (found != nullptr) *found = true;
      if (object.compare(0, 5, "pcard") != 0 && LocationActions::FirstParameter(child) != "add_hint") {
        Add(kChangesThere, object, m_location.m_last_clicked, false);
      }
      return;
    }
    if ((type == "disable" || type == "hide" || type == "flashhide") && !object.empty() && found == nullptr) {
      // What goes away when clicked is a change there, unless it gives an item or a card.
      bool gives = false;
      const std::size_t before = m_lists.lists[kGivesItem].size();
      Search(child, kNoValue, object, &gives);
      if (m_lists.lists[kGivesItem].size() == before && !gives) {
        Add(kChangesThere, object, m_location.m_last_clicked, false);
      }
      return;
    }
    if (type == "addinventory" && !object.empty()) {
      if (found != nullptr) *found = true;
      return Add(kGivesItem, object, std::string(), false);
    }
    if (type == "dropinventory" && !object.empty()) {
      if (found != nullptr) *found = true;
      return Add(kChangesThere, object, LocationActions::FirstParameter(child), false);
    }
    Search(child, kNoValue, object, found);
  }

  void VisitClick(const CommandNode& click, bool* found) {
    if (click.parameters.empty()) return Search(click, kNoValue, kItemSearch, found);
    // A click with an item counts while the inventory holds enough of it, as if it were used.
    const CommandParam& item = click.parameters.front();
    if (!GetLocationServices().HasInventoryItem(item.value, item.kind)) return;
    std::string clicked = item.value;
    std::swap(clicked, m_location.m_last_clicked);
    Search(click, kNoValue, kItemSearch, found);
    std::swap(clicked, m_location.m_last_clicked);
  }

  // A close-up with something left to do: its object here is a target, shown or not.
  void VisitCloseUp(const CommandNode& node, bool* found) {
    const std::string& name = LocationActions::FirstParameter(node);
    Location* sub = m_location.FindSubLocation(name);
    if (sub == nullptr || sub->m_root == nullptr) return;
    HintLists inside;
    LocationHintSearch(*sub, inside).Search(*sub->m_root, kNoValue, kNoValue, found);
    if (!inside.IsEmpty()) Add(kCloseUp, name, std::string(), true);
  }

  // An unsolved mini-game, at the object whose click starts it.
  void VisitGame(const CommandNode& node) {
    const MiniGame* game = m_location.FindMiniGame(LocationActions::FirstParameter(node));
    if (game == nullptr || game->IsSolved()) return;
    const CommandNode* branch = &node;
    while (branch->parent != nullptr && branch->parent->type != "click") branch = branch->parent;
    // A game no click starts has no object to point at.
    if (branch->parent == nullptr) return;
    const RenderObject* model = m_location.FindObjectModel(branch->result);
    std::vector<HintTarget>& list = m_lists.lists[kMiniGame];
    if (model == nullptr || Holds(list, branch->result)) return;
    list.push_back({branch->result, std::string(), model->GetBoundingBox().m_centre, &m_location});
  }

  void Add(std::size_t list, const std::string& object, const std::string& second, bool forced) {
    const LocationCharacter* target = m_location.FindScriptObject(object);
    if (target == nullptr || (!forced && !(target->IsEnabled() && target->IsShown()))) return;
    if (Holds(m_lists.lists[list], object)) return;
    m_lists.lists[list].push_back({object, second, target->GetPosition(), &m_location});
  }

  Location& m_location;
  HintLists& m_lists;
};

void Location::SearchHints(HintLists& lists) {
  lists.Clear();
  if (m_root != nullptr) LocationHintSearch(*this, lists).Search(*m_root, kNoValue, kNoValue, nullptr);
}

bool Location::FindHint(HintTarget& target) {
  HintLists lists;
  (m_shown_sub != nullptr ? *m_shown_sub : *this).SearchHints(lists);
  if (const HintTarget* first = lists.First()) {
    target = *first;
    return true;
  }
  ShowPhrase("service_no_hint");
  return false;
}
