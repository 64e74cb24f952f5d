#include "Sources/shell/userdata/PlayerProfile.h"

#include <algorithm>

#include "Sources/shell/userdata/BinaryReader.h"
#include "Sources/shell/userdata/ProfileCodec.h"
#include "platform/window/window.h"
#include "source/properties/cProperties.h"
#include "source/stream/Encoding.h"
#include "source/stream/cStream.h"

PlayerProfile* CurrentProfile = nullptr;

PlayerProfile::PlayerProfile() = default;

bool PlayerProfile::Write(cStream& stream) {
  bool ok = WriteProgress(stream, m_progress) && WriteProgress(stream, m_start_progress);
  ok = ok && WriteUInt32(stream, static_cast<uint32_t>(m_locations.size()));
  for (const LocationRecord& record : m_locations) ok = ok && WriteLocationRecord(stream, record);
  return ok && WriteString(stream, m_stage);
}

bool PlayerProfile::Read(cStream& stream) {
  BinaryReader reader(stream);
  ProfileBody body;
  if (!ReadProfileBody(reader, body)) return false;
  m_progress = std::move(body.progress);
  m_start_progress = std::move(body.start_progress);
  m_locations = std::move(body.locations);
  m_stage = std::move(body.stage);
  return true;
}

bool PlayerProfile::ReadBackupInstead(const std::function<bool(const std::string& stage)>& playable) {
  return LoadBackup([&](cStream& content) {
    PlayerProfile probe;  // this profile changes only when the backup is taken
    if (!probe.ReadContent(content) || !playable(probe.m_stage)) return false;
    content.Seek(0, 0);
    return ReadContent(content);
  });
}

void PlayerProfile::MakeCurrent() {
  if (!Load()) Save();
  m_cheat_mode = m_name == kCheatCode ? 1 : 0;
  window::SetMainWindowTitle(m_cheat_mode != 0 ? std::string(kCheatCaption)
                                               : cProperties::GetInstance()->GetValue("application_name"));
  CurrentProfile = this;
}

void PlayerProfile::Reset() {
  ProfileProgress& p = m_progress;
  p.m_has_map = p.m_has_lens = 0;
  p.m_diary_pictures.clear();
  p.m_spare_1 = 0;
  p.m_diary_piece_counts.clear();
  p.m_diary_piece_totals.clear();
  p.m_items.clear();
  p.m_comics.clear();
  p.m_spare_2 = 0;
  p.m_hints = kStartHints;
  p.m_has_lion_amulet = p.m_has_locket_half = p.m_has_locket = 0;
  p.m_map_points.clear();
  p.m_tips.fill(1);
  p.m_diary_names.clear();
  p.m_petition_state = p.m_scheme_state = 0;
  // A new game never receives the old game's items that were still in the air.
  p.m_flying_items.clear();
  // The pending message stays.
  m_locations.clear();
  m_stage.clear();
  m_start_progress = m_progress;
}

LocationRecord* PlayerProfile::FindCurrentLocationRecord() {
  if (m_stage.empty()) return nullptr;
  for (LocationRecord& record : m_locations) {
    if (record.m_name == m_stage) return &record;
  }
  return nullptr;
}

std::string PlayerProfile::GetLocationValue(const std::string& key, const std::string& fallback) {
  const LocationRecord* record = FindCurrentLocationRecord();
  if (record == nullptr) return fallback;
  auto found = record->m_values.find(key);
  return found == record->m_values.end() ? fallback : found->second;
}

void PlayerProfile::SetLocationValue(const std::string& key, const std::string& value) {
  if (LocationRecord* record = FindCurrentLocationRecord()) record->m_values[key] = value;
}

void PlayerProfile::AddItemCount(const std::string& name, uint32_t n) {
  auto& items = m_progress.m_items;
  auto found = std::find_if(items.begin(), items.end(), [&](const ItemCount& item) { return item.m_name == name; });
  if (found == items.end()) {
    items.push_back(ItemCount{name, n});
  } else {
    found->m_count += n;
  }
}

void PlayerProfile::RemoveItemCount(const std::string& name, uint32_t n) {
  auto& items = m_progress.m_items;
  auto found = std::find_if(items.begin(), items.end(), [&](const ItemCount& item) { return item.m_name == name; });
  if (found == items.end()) return;
  // Taking more than is held empties the record rather than wrapping round to a huge count.
  if (n >= found->m_count) {
    items.erase(found);
  } else {
    found->m_count -= n;
  }
}
