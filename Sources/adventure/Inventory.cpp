#include "Sources/adventure/Inventory.h"

#include <algorithm>

#include "Sources/adventure/NamedChild.h"
#include "Sources/shell/userdata/PlayerProfile.h"
#include "gui/include/GUISystem.h"
#include "gui/include/GUIWindow.h"
#include "source/log/cLog.h"
#include "source/render/RenderObject.h"
#include "source/timer/cTimerManager.h"

namespace {

constexpr const char* kSource = "Sources\\Inventory";

Vector3 PositionOf(const RenderObject* model) {
  if (model == nullptr) return Vector3();
  const Matrix4& world = model->GetWorldMatrix();
  return Vector3(world[12], world[13], world[14]);
}

void SetModelShown(RenderObject* model, bool shown) {
  if (model != nullptr) model->SetVisible(shown);
}

// Shown wish and visibility together: visible only under a visible parent.
void ShowWindow(GUIWindow* window, bool show) {
  if (window == nullptr) return;
  window->Show(show);
  const GUIWindow* parent = window->GetParent();
  window->SetVisible(show && (parent == nullptr || parent->IsVisible()));
}

}  // namespace

PanelInventory::PanelInventory(GUIWindow* form, GUIWindow* panel) : m_form(form), m_panel(panel) {
  m_fly_effect.Assign(kFlyEffect);
  if (m_panel != nullptr) {
    m_cursor_window = new GUIWindow(m_panel, kCursorWindow);
  }
  if (!m_scene.Assign(kScene)) {
    LogReport(kLogError, kSource, __LINE__, "the inventory scene %s is missing: items have no models", kScene);
    return;
  }
  const std::string& scene_name = m_scene->GetName();
  const std::size_t cut = scene_name.find_last_of("\\/");
  const std::string folder = cut == std::string::npos ? std::string() : scene_name.substr(0, cut + 1);
  GUIWindow* holder = m_form != nullptr ? FindNamedChild(m_form, "inventory") : nullptr;
  for (RenderObject* object : m_scene->GetObjects()) {
    std::string name = object->GetName();
    if (!folder.empty() && name.compare(0, folder.size(), folder) == 0) name = name.substr(folder.size());
    m_models.emplace(name, SceneModel{object, object->GetWorldMatrix()});
    if (holder != nullptr) holder->GetVisual().InsertIntoDrawList(holder->GetVisual().GetObjects().end(), object);
  }
  m_scene->HideObjects();
}

PanelInventory::~PanelInventory() {
  ClearFlights();
  TakeItemInHand(std::string(), 0);
  if (m_registered) FlyArrivalRegistry().erase(kFlightInventory);
}

void PanelInventory::RegisterArrival() {
  FlyArrivalRegistry()[kFlightInventory] = [this](const FlyingItemRecord& record) { AddInventoryItem(record); };
  m_registered = true;
}

RenderObject* PanelInventory::FindSceneModel(const std::string& name) const {
  auto found = m_models.find(name);
  return found == m_models.end() ? nullptr : found->second.object;
}

GUIWindow* PanelInventory::FindInventoryWindow(int index) const {
  return FindNamedChild(m_form, "inventory_" + std::to_string(index));
}

GUIWindow* PanelInventory::FindInventoryCountWindow(int index) const {
  return FindNamedChild(m_form, "inventory_count_" + std::to_string(index));
}

Vector3 PanelInventory::SlotPosition(int slot) const {
  GUIWindow* window = FindInventoryWindow(slot);
  return window != nullptr ? PositionOf(window->GetVisual().GetModel()) : Vector3();
}

InventoryEntry* PanelInventory::FindEntry(const std::string& name) const {
  for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it) {
    if ((*it)->m_name == name) return it->get();
  }
  return nullptr;
}

void PanelInventory::RemoveFromSlotOrder(const std::string& name) {
  m_slot_order.erase(std::remove(m_slot_order.begin(), m_slot_order.end(), name), m_slot_order.end());
}

FlyItem* PanelInventory::Launch(std::unique_ptr<FlyItem> item) {
  if (!item) return nullptr;
  if (item->GetEffect() == nullptr) item->RestartEffect(m_fly_effect.Get());
  m_flying.push_back(std::move(item));
  return m_flying.back().get();
}

void PanelInventory::FlyToInventory(const std::string& name, const Vector3& start, uint32_t count, bool start_at_slot) {
  auto reserved = std::find(m_slot_order.begin(), m_slot_order.end(), name);
  const bool fresh = reserved == m_slot_order.end();
  if (fresh && m_slot_order.size() >= static_cast<std::size_t>(kSlots)) {
    // Nine slots are all the panel has: the item is kept in the profile, where it is not lost.
    LogReport(kLogError, kSource, __LINE__, "no free inventory slot for %s: kept in the profile only", name.c_str());
    if (CurrentProfile != nullptr) CurrentProfile->AddItemCount(name, count);
    return;
  }
  const InventoryEntry* entry = FindEntry(name);
  const RenderObject* source = entry != nullptr ? entry->m_model : FindSceneModel(name);
  if (source == nullptr) {
    LogReport(kLogError, kSource, __LINE__, "item %s has no inventory model: delivered without a flight", name.c_str());
    AddInventoryItem(FlyingItemRecord{name, count, std::string(), kFlightInventory});
    return;
  }
  if (fresh) m_slot_order.push_back(name);
  const int slot = static_cast<int>(std::find(m_slot_order.begin(), m_slot_order.end(), name) - m_slot_order.begin());
  const Vector3 target = SlotPosition(slot);
  Vector3 from = start;
  if (start_at_slot) {
    from.x = target.x;
    from.y = target.y;
  }
  auto item = std::make_unique<FlyItem>(source, target, from, FlyingItemRecord{name, count, std::string(), kFlightDelivered},
                                        m_panel);
  item->RestartEffect(m_fly_effect.Get());
  item->SetKind(kFlightInventory);
  Launch(std::move(item));
}

void PanelInventory::AddInventoryItem(const FlyingItemRecord& record) {
  InventoryEntry* entry = FindEntry(record.m_item);
  if (CurrentProfile != nullptr) CurrentProfile->AddItemCount(record.m_item, record.m_count);
  if (entry == nullptr) {
    RenderObject* model = FindSceneModel(record.m_item);
    if (model == nullptr) {
      LogReport(kLogError, kSource, __LINE__, "item %s has no inventory model: counted in the profile only",
                record.m_item.c_str());
      return;
    }
    if (m_entries.size() >= static_cast<std::size_t>(kSlots)) {
      LogReport(kLogError, kSource, __LINE__, "no free inventory slot for %s: kept in the profile only",
                record.m_item.c_str());
      return;
    }
    auto made = std::make_unique<InventoryEntry>();
    made->m_name = record.m_item;
    made->m_model = model;
    made->m_highlight = FindSceneModel(record.m_item + "_a");
    if (made->m_highlight != nullptr) {
      made->m_highlight->SetVisible(true);
      made->m_highlight->SetColor(Vector4(1.0f, 1.0f, 1.0f, 0.0f));
    }
    model->SetVisible(false);
    model->SetColor(Vector4(1.0f, 1.0f, 1.0f, 0.0f));
    // The entry goes where its flight went: before the entries whose slots were reserved later.
    auto order = [&](const std::string& name) {
      return std::find(m_slot_order.begin(), m_slot_order.end(), name) - m_slot_order.begin();
    };
    const auto own = order(record.m_item);
    auto place = std::find_if(m_entries.begin(), m_entries.end(), [&](const auto& other) { return order(other->m_name) > own; });
    entry = m_entries.insert(place, std::move(made))->get();
  }
  entry->m_model->SetVisible(true);
  entry->m_model->SetColor(Vector4(1.0f, 1.0f, 1.0f, 1.0f));
  entry->m_count += static_cast<int32_t>(std::min<uint32_t>(record.m_count, INT32_MAX - std::max(entry->m_count, 0)));
  RefreshInventory();
  if (std::find(m_slot_order.begin(), m_slot_order.end(), record.m_item) == m_slot_order.end()) {
    m_slot_order.push_back(record.m_item);
  }
}

void PanelInventory::PlaceEntries() {
  for (int i = 0; i < kSlots && i < static_cast<int>(m_entries.size()); ++i) {
    InventoryEntry& entry = *m_entries[i];
    auto loaded = m_models.find(entry.m_name);
    Matrix4 placement = loaded != m_models.end() ? loaded->second.loaded : Matrix4();
    placement.Translate(SlotPosition(i));
    entry.m_model->SetWorldMatrix(placement);
    if (entry.m_highlight != nullptr) entry.m_highlight->SetWorldMatrix(placement);
  }
}

void PanelInventory::RefreshInventory() {
  for (const auto& [name, model] : m_models) model.object->SetVisible(false);
  PlaceEntries();
  for (int i = 0; i < kSlots; ++i) {
    GUIWindow* counter = FindInventoryCountWindow(i);
    if (i >= static_cast<int>(m_entries.size())) {
      if (counter != nullptr) counter->SetValue("text", "");
      continue;
    }
    InventoryEntry& entry = *m_entries[i];
    entry.m_model->SetVisible(true);
    if (counter != nullptr) counter->SetValue("text", entry.m_count < 2 ? std::string() : std::to_string(entry.m_count));
  }
}

void PanelInventory::DropInventoryItem(const std::string& name, uint32_t count) {
  for (auto it = m_entries.begin(); it != m_entries.end();) {
    InventoryEntry& entry = **it;
    if (entry.m_name != name) {
      ++it;
      continue;
    }
    // More than is held empties the slot rather than leaving a negative count behind.
    entry.m_count = count >= static_cast<uint32_t>(std::max(entry.m_count, 0)) ? 0 : entry.m_count - static_cast<int32_t>(count);
    if (entry.m_count != 0) {
      ++it;
      continue;
    }
    SetModelShown(entry.m_model, false);
    SetModelShown(entry.m_highlight, false);
    RemoveFromSlotOrder(name);
    it = m_entries.erase(it);  // later entries move up one slot each
  }
  RefreshInventory();
  if (CurrentProfile != nullptr) CurrentProfile->RemoveItemCount(name, count);
}

void PanelInventory::LayoutInventory(bool show) {
  if (show) {
    RefreshInventory();
  } else {
    for (const auto& entry : m_entries) SetModelShown(entry->m_model, false);
  }
  for (int i = 0; i < kSlots; ++i) ShowWindow(FindInventoryWindow(i), show);
  ShowWindow(FindNamedChild(m_form, "inventory"), show);
  for (int i = 0; i < kSlots; ++i) ShowWindow(FindInventoryCountWindow(i), show);
}

void PanelInventory::ShowEntries(bool show) {
  for (const auto& entry : m_entries) SetModelShown(entry->m_model, show);
}

void PanelInventory::ReloadInventory() {
  TakeItemInHand(std::string(), 0);
  std::vector<ItemCount> items;
  if (CurrentProfile != nullptr) items.swap(CurrentProfile->m_progress.m_items);
  for (const auto& entry : m_entries) {
    SetModelShown(entry->m_model, false);
    SetModelShown(entry->m_highlight, false);
  }
  m_entries.clear();
  m_slot_order.clear();
  for (const ItemCount& item : items) AddInventoryItem(FlyingItemRecord{item.m_name, item.m_count, std::string(), kFlightDelivered});
  ClearFlights();
  const int32_t hints = CurrentProfile != nullptr ? CurrentProfile->m_progress.m_hints : 0;
  for (int i = 0; i < kHintIcons; ++i) {
    const std::string index = std::to_string(i);
    ShowWindow(FindNamedChild(m_form, "hint_stroke_" + index), false);
    ShowWindow(FindNamedChild(m_form, "hint_" + index), i < hints);
  }
  if (CurrentProfile != nullptr && CurrentProfile->m_progress.m_has_map != 0) {
    if (GUIWindow* map = FindNamedChild(m_form, "map")) {
      ShowWindow(map, true);
      map->SetColor(Vector4(1.0f, 1.0f, 1.0f, 1.0f));
    }
  }
  // What was in the air when progress was saved arrives now, once: the list is emptied first, so
  // a save made by a landing cannot bring it back.
  std::vector<FlyingItemRecord> flying;
  if (CurrentProfile != nullptr) flying.swap(CurrentProfile->m_progress.m_flying_items);
  for (const FlyingItemRecord& record : flying) DeliverFlyingItemRecord(record);
  ShowEntries(false);
}

void PanelInventory::TakeItemInHand(const std::string& name, int32_t value) {
  m_hand_name = name;
  m_hand_value = value;
  if (m_hand_clone) {
    if (m_cursor_window != nullptr) m_cursor_window->GetVisual().RemoveFromDrawLists(m_hand_clone.get());
    m_hand_clone.reset();
  }
  auto found = name.empty() ? m_models.end() : m_models.find(name);
  if (found == m_models.end()) return;
  m_hand_clone = RenderObject::Clone(*found->second.object);
  const Vector3 own = PositionOf(found->second.object);
  Matrix4 placement = Matrix4::MakeTranslation(-own.x, -own.y, -own.z);
  Matrix4::MultiplyInPlace(placement, Matrix4::MakeScale(0.8f, 0.8f, 1.0f));
  if (m_cursor_window != nullptr) {
    const Matrix4& cursor = m_cursor_window->GetWorld();
    Matrix4::MultiplyInPlace(placement, Matrix4::MakeTranslation(cursor[12], cursor[13], 0.0f));
    m_cursor_window->GetVisual().InsertIntoDrawList(m_cursor_window->GetVisual().GetObjects().end(), m_hand_clone.get());
  }
  m_hand_clone->SetWorldMatrix(placement);
  m_hand_clone->SetVisible(true);
}

void PanelInventory::SyncHintIcons() {
  const int32_t hints = CurrentProfile != nullptr ? CurrentProfile->m_progress.m_hints : 0;
  std::vector<GUIWindow*> icons;
  int shown = 0;
  for (int i = 0; i < kHintIcons; ++i) {
    icons.push_back(FindNamedChild(m_form, "hint_" + std::to_string(i)));
    if (icons.back() != nullptr && icons.back()->IsShown()) ++shown;
  }
  // An icon already flying in counts as shown: a second call does not send it twice.
  for (const auto& item : m_flying) {
    if (item->GetRecord().m_kind == kFlightHintIcon) ++shown;
  }
  for (GUIWindow* icon : icons) {
    if (shown <= hints) break;
    if (icon != nullptr && icon->IsShown()) {
      ShowWindow(icon, false);
      --shown;
    }
  }
  for (int i = 0; i < kHintIcons && shown < hints; ++i) {
    GUIWindow* icon = icons[i];
    if (icon == nullptr || icon->IsShown()) continue;
    const bool flying = std::any_of(m_flying.begin(), m_flying.end(), [&](const auto& item) {
      return item->GetRecord().m_kind == kFlightHintIcon && item->GetRecord().m_count == static_cast<uint32_t>(i);
    });
    if (flying) continue;
    RenderObject* model = icon->GetVisual().GetModel();
    const Vector3 at = PositionOf(model);
    Launch(std::make_unique<FlyItem>(model, at, at, FlyingItemRecord{std::string(), static_cast<uint32_t>(i), std::string(), kFlightHintIcon},
                                     m_panel));
    ++shown;
  }
}

bool PanelInventory::HintInventoryItem(const std::string& name) {
  const InventoryEntry* entry = FindEntry(name);
  if (entry == nullptr) return false;
  const Vector3 at = PositionOf(entry->m_model);
  Launch(std::make_unique<FlyItem>(entry->m_model, at, at, FlyingItemRecord{std::string(), 0, std::string(), kFlightDelivered}, m_panel));
  return true;
}

bool PanelInventory::IsMouseOverPanel() const {
  const GUISystem* gui = GUISystem::PeekInstance();
  const RenderObject* body = FindNamedChildModel(m_form, "game_panel");
  return gui != nullptr && body != nullptr && body->PickByRay(gui->GetRayOrigin(), gui->GetRayDirection());
}

bool PanelInventory::HasInventoryItem(const std::string& name, int32_t minimum) const {
  const InventoryEntry* entry = FindEntry(name);
  return entry != nullptr && (minimum == -1 || entry->m_count >= minimum);
}

void PanelInventory::UpdateFlights() {
  const cTimerManager* timers = cTimerManager::PeekInstance();
  UpdateFlights(timers != nullptr ? timers->GetFrameDelta() : 0.0f);
}

void PanelInventory::UpdateFlights(float dt) {
  for (std::size_t i = 0; i < m_flying.size();) {
    // A landing may launch another flight, or clear the list: it is walked by index.
    if (m_flying[i]->Update(dt)) {
      ++i;
    } else if (i < m_flying.size()) {
      m_flying.erase(m_flying.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
}

std::vector<FlyingItemRecord> PanelInventory::GetFlyingRecords() const {
  std::vector<FlyingItemRecord> records;
  for (const auto& item : m_flying) {
    if (item->GetRecord().m_kind != kFlightDelivered) records.push_back(item->GetRecord());
  }
  return records;
}

void PanelInventory::ClearFlights() { m_flying.clear(); }
