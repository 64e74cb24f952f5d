// The panel's script commands and what the items flying into it do when they land.

#include <algorithm>

#include "Sources/adventure/FlyItem.h"
#include "Sources/adventure/GameFlowController.h"
#include "Sources/adventure/GamePanel.h"
#include "Sources/adventure/Inventory.h"
#include "Sources/adventure/Location.h"
#include "Sources/shell/userdata/PlayerProfile.h"
#include "gui/include/GUIWindow.h"
#include "source/log/cLog.h"
#include "source/math/Rand.h"
#include "source/render/RenderObject.h"

namespace {

constexpr const char* kSource = "Sources\\adventure\\GamePanel";

const Vector4 kFullColour(1.0f, 1.0f, 1.0f, 1.0f);

Vector3 PositionOf(const GUIWindow* window) {
  if (window == nullptr) return Vector3();
  const Matrix4& world = window->GetWorld();
  return Vector3(world.m[12], world.m[13], world.m[14]);
}

bool StartsWith(const std::string& word, const char* prefix) { return word.rfind(prefix, 0) == 0; }

// A record that reveals a scene item or opens a diary page names it in m_target. Saves made before
// this layout named it in m_item and left m_target empty; the game never writes such a record with
// an empty name, so an empty m_target tells an older save. The name goes into m_item as well, so
// that a file written now still lands in a build that reads m_item.
FlyingItemRecord NamedLanding(const std::string& name, uint32_t kind) { return FlyingItemRecord{name, 1, name, kind}; }
const std::string& LandingName(const FlyingItemRecord& record) {
  return record.m_target.empty() ? record.m_item : record.m_target;
}

}  // namespace

void GamePanel::RegisterLandings() {
  auto& registry = FlyArrivalRegistry();
  registry.clear();
  m_inventory->RegisterArrival();
  registry[kLandMapButton] = [this](const FlyingItemRecord&) { ShowMapButton(); };
  registry[kLandHintCharge] = [this](const FlyingItemRecord& record) { AddHintCharge(record); };
  registry[kLandHintIcon] = [this](const FlyingItemRecord& record) { ShowHintIcon(record); };
  registry[kLandGetHintButton] = [this](const FlyingItemRecord&) { ShowGetHintButton(); };
  registry[kLandHalfLocket] = [this](const FlyingItemRecord&) { ShowHalfLocket(); };
  registry[kLandFullLocket] = [this](const FlyingItemRecord&) { ShowFullLocket(); };
  registry[kLandLocationItem] = [this](const FlyingItemRecord& record) { ShowLocationItem(record); };
  registry[kLandAmulet] = [this](const FlyingItemRecord&) { ShowAmulet(); };
  registry[kLandDiaryPage] = [this](const FlyingItemRecord& record) { OpenDiaryPageOnLanding(record); };
}

void GamePanel::LaunchFlight(uint32_t kind, const std::string& item, const Vector3& start, GUIWindow* target,
                             GUIWindow* source) {
  FlyingItemRecord record{item, kind == kLandHintCharge ? 0u : 1u, std::string(), kind};
  const GUIWindow* carried = source != nullptr ? source : target;
  const RenderObject* model = carried != nullptr ? carried->GetVisual().GetModel() : nullptr;
  const Vector3 to = target != nullptr ? PositionOf(target) : start;
  auto flight = std::make_unique<FlyItem>(model, to, start, record);
  flight->SetKind(kind);
  m_inventory->Launch(std::move(flight));
}

void GamePanel::ExecuteCommand(const std::string& word, const std::string& source, const Vector3& start) {
  const Vector3 from(start.x, start.y, 0.0f);
  if (StartsWith(word, "play_")) {
    if (m_flow != nullptr) m_flow->PlayTransitions({word.substr(5)}, false);
    return;
  }
  ProfileProgress* progress = CurrentProfile != nullptr ? &CurrentProfile->m_progress : nullptr;
  auto brighten_map = [this] {
    if (GUIWindow* map = Child("map")) map->SetColor(kFullColour);
  };
  if (word == "add_map") {
    brighten_map();
    LaunchFlight(kLandMapButton, word, from, Child("map"));
  } else if (word == "add_hint") {
    int slot = 0;
    while (slot < kHintIcons && m_hint_icons[slot] != nullptr && m_hint_icons[slot]->IsShown()) ++slot;
    GUIWindow* icon = slot < kHintIcons ? m_hint_icons[slot] : nullptr;
    FlyingItemRecord record{std::string(), static_cast<uint32_t>(slot), std::string(), kLandHintCharge};
    const RenderObject* model = icon != nullptr ? icon->GetVisual().GetModel() : nullptr;
    auto flight = std::make_unique<FlyItem>(model, icon != nullptr ? PositionOf(icon) : from, from, record);
    m_inventory->Launch(std::move(flight));
  } else if (word == "add_lens") {
    brighten_map();
    LaunchFlight(kLandGetHintButton, word, from, Child("get_hint"));
  } else if (word == "add_locket_half") {
    brighten_map();
    LaunchFlight(kLandHalfLocket, word, from, Child("medalion_half"));
  } else if (word == "remove_locket_half") {
    if (progress != nullptr) progress->m_has_locket_half = 0;
    ApplyShown("medalion_half", false);
  } else if (word == "add_locket") {
    brighten_map();
    LaunchFlight(kLandFullLocket, word, from, Child("medalion_full"));
  } else if (word == "remove_lion_amulet") {
    // Without a "lion" on the scene the flight has nowhere to go; the amulet is still given up.
    RenderObject* lion = m_flow != nullptr ? m_flow->FindLocationItemModel("lion") : nullptr;
    GUIWindow* amulet = Child("amulet");
    if (lion == nullptr) {
      LogReport(kLogWarning, kSource, __LINE__, "remove_lion_amulet: the location has no lion");
    } else {
      const Matrix4& placed = lion->GetWorldMatrix();
      const Vector3 target(placed.m[12], placed.m[13] + 9.0f, placed.m[14]);
      const FlyingItemRecord record = NamedLanding("lion", kLandLocationItem);
      const RenderObject* model = amulet != nullptr ? amulet->GetVisual().GetModel() : nullptr;
      m_inventory->Launch(std::make_unique<FlyItem>(model, target, PositionOf(amulet), record));
    }
    if (progress != nullptr) progress->m_has_lion_amulet = 0;
    if (amulet != nullptr) amulet->Show(false);
    SyncHintIcons();
  } else if (word == "add_lion_amulet") {
    brighten_map();
    LaunchFlight(kLandAmulet, word, from, Child("amulet"));
  } else if (StartsWith(word, "picture") && !source.empty()) {
    LaunchCard(word, from);
  } else {
    OpenDiaryPage(word);
  }
}

void GamePanel::LaunchCard(const std::string& page, const Vector3& from) {
  // The piece flies as one of the diary's cards; without a diary card the page opens at once,
  // so the piece is never lost.
  const std::string card = "card" + std::to_string(Rand() % 3 + 1);
  GUIWindow* window = FindDiaryCard(card);
  if (window == nullptr) {
    OpenDiaryPage(page);
    return;
  }
  const FlyingItemRecord record = NamedLanding(page, kLandDiaryPage);
  m_inventory->Launch(std::make_unique<FlyItem>(window->GetVisual().GetModel(), PositionOf(Child("journal")), from,
                                                record));
}

void GamePanel::AddHintCharge(const FlyingItemRecord& record) {
  if (CurrentProfile != nullptr && CurrentProfile->m_progress.m_hints < kMaxHints) ++CurrentProfile->m_progress.m_hints;
  PlaySound(m_success_sound);
  ShowHintIcon(record);
}

void GamePanel::ShowHintIcon(const FlyingItemRecord& record) {
  if (record.m_count >= static_cast<uint32_t>(kHintIcons)) return;
  if (GUIWindow* icon = m_hint_icons[record.m_count]) {
    icon->SetColor(kFullColour);
    icon->Show(true);
  }
}

void GamePanel::ShowHalfLocket() {
  ApplyShown("medalion_half", true);
  if (CurrentProfile != nullptr) CurrentProfile->m_progress.m_has_locket_half = 1;
}

void GamePanel::ShowFullLocket() {
  ApplyShown("medalion_full", true);
  if (CurrentProfile != nullptr) CurrentProfile->m_progress.m_has_locket = 1;
}

void GamePanel::ShowLocationItem(const FlyingItemRecord& record) {
  Location* location = m_flow != nullptr ? m_flow->GetLocation() : nullptr;
  const std::string& name = LandingName(record);
  if (location != nullptr) {
    location->RevealObject(name);
  } else if (std::find(m_pending_reveals.begin(), m_pending_reveals.end(), name) == m_pending_reveals.end()) {
    // A saved flight arrives before the game has loaded its location: the item shows once it has.
    m_pending_reveals.push_back(name);
  }
}

void GamePanel::RevealPendingItems() {
  Location* location = m_flow != nullptr ? m_flow->GetLocation() : nullptr;
  if (location == nullptr) return;
  for (const std::string& name : m_pending_reveals) location->RevealObject(name);
  m_pending_reveals.clear();
}

void GamePanel::ShowAmulet() {
  ApplyShown("amulet", true);
  if (CurrentProfile != nullptr) CurrentProfile->m_progress.m_has_lion_amulet = 1;
}

void GamePanel::OpenDiaryPageOnLanding(const FlyingItemRecord& record) { OpenDiaryPage(LandingName(record)); }
