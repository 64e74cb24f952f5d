#include "Sources/shell/userdata/ProfileCodec.h"

#include <algorithm>

#include "Sources/shell/userdata/BinaryReader.h"
#include "source/stream/Encoding.h"

namespace {

// The fewest bytes each element of a list can take in a file.
constexpr uint32_t kIntBytes = 4;
constexpr uint32_t kItemBytes = 4 + 4;                     // empty name, count
constexpr uint32_t kFlyingItemBytes = 4 + 4 + 4 + 4;       // kind, item, target, count
constexpr uint32_t kValueBytes = 4 + 4;                    // key, value
constexpr uint32_t kCharacterBytes = 4 + 1 + 1 + 4 + 4;    // name, two flags, alpha, state
constexpr uint32_t kLocationBytes = 4 * 2 + 4 * 3 + 4 + 4 * 4 + 2;  // texts, three counts, number, texts, flags
constexpr uint32_t kSubLocationBytes = 4 + kLocationBytes;  // key and record

bool WriteU8(cStream& stream, uint8_t value) { return stream.Write(&value, 1) == 1; }

bool WriteInts(cStream& stream, const std::vector<int32_t>& list) {
  if (!WriteUInt32(stream, static_cast<uint32_t>(list.size()))) return false;
  for (int32_t value : list) {
    if (!WriteUInt32(stream, static_cast<uint32_t>(value))) return false;
  }
  return true;
}

bool ReadInts(BinaryReader& reader, std::vector<int32_t>& list) {
  uint32_t count;
  if (!reader.Count(count, kIntBytes)) return false;
  list.resize(count);
  for (int32_t& value : list) reader.I32(value);
  return reader.Ok();
}

// A damaged or hand-made file may hold numbers the game never writes: a negative hint count,
// an item count that would be drawn as ten digits over its slot.
void ClampToShown(ProfileProgress& p) {
  p.m_hints = std::clamp(p.m_hints, 0, ProfileProgress::kMostHints);
  for (ItemCount& item : p.m_items) item.m_count = std::min(item.m_count, ProfileProgress::kMostOfAnItem);
  p.m_petition_state = std::clamp(p.m_petition_state, 0, ProfileProgress::kMostPetitionState);
  p.m_scheme_state = std::clamp(p.m_scheme_state, 0, ProfileProgress::kMostSchemeState);
}

}  // namespace

bool WriteProgress(cStream& s, const ProfileProgress& p) {
  bool ok = WriteU8(s, p.m_has_map) && WriteU8(s, p.m_has_lens) && WriteInts(s, p.m_diary_pictures) &&
            WriteInts(s, p.m_diary_piece_counts) && WriteInts(s, p.m_diary_piece_totals) &&
            WriteUInt32(s, static_cast<uint32_t>(p.m_items.size()));
  for (const ItemCount& item : p.m_items) ok = ok && WriteString(s, item.m_name) && WriteUInt32(s, item.m_count);
  ok = ok && WriteInts(s, p.m_comics) && WriteUInt32(s, static_cast<uint32_t>(p.m_spare_1)) &&
       WriteUInt32(s, static_cast<uint32_t>(p.m_spare_2)) && WriteUInt32(s, static_cast<uint32_t>(p.m_hints)) &&
       WriteU8(s, p.m_has_lion_amulet) && WriteU8(s, p.m_has_locket_half) && WriteU8(s, p.m_has_locket) &&
       WriteInts(s, p.m_map_points) && s.Write(p.m_tips.data(), p.m_tips.size()) == p.m_tips.size() &&
       WriteUInt32(s, static_cast<uint32_t>(p.m_flying_items.size()));
  for (const FlyingItemRecord& item : p.m_flying_items) {
    ok = ok && WriteUInt32(s, item.m_kind) && WriteString(s, item.m_item) && WriteString(s, item.m_target) &&
         WriteUInt32(s, item.m_count);
  }
  return ok && WriteString(s, p.m_pending_message) && WriteUInt32(s, static_cast<uint32_t>(p.m_petition_state)) &&
         WriteUInt32(s, static_cast<uint32_t>(p.m_scheme_state)) && WriteStringVector(p.m_diary_names, s);
}

bool ReadProgress(BinaryReader& r, ProfileProgress& p) {
  uint32_t count = 0;
  r.U8(p.m_has_map);
  r.U8(p.m_has_lens);
  ReadInts(r, p.m_diary_pictures);
  ReadInts(r, p.m_diary_piece_counts);
  ReadInts(r, p.m_diary_piece_totals);
  if (r.Count(count, kItemBytes)) {
    p.m_items.resize(count);
    for (ItemCount& item : p.m_items) {
      r.Text(item.m_name);
      r.U32(item.m_count);
    }
  }
  ReadInts(r, p.m_comics);
  r.I32(p.m_spare_1);
  r.I32(p.m_spare_2);
  r.I32(p.m_hints);
  r.U8(p.m_has_lion_amulet);
  r.U8(p.m_has_locket_half);
  r.U8(p.m_has_locket);
  ReadInts(r, p.m_map_points);
  r.Bytes(p.m_tips.data(), static_cast<uint32_t>(p.m_tips.size()));
  if (r.Count(count, kFlyingItemBytes)) {
    p.m_flying_items.resize(count);
    for (FlyingItemRecord& item : p.m_flying_items) {
      r.U32(item.m_kind);
      r.Text(item.m_item);
      r.Text(item.m_target);
      r.U32(item.m_count);
    }
  }
  r.Text(p.m_pending_message);
  r.I32(p.m_petition_state);
  r.I32(p.m_scheme_state);
  if (r.Count(count, kIntBytes)) {
    p.m_diary_names.resize(count);
    for (std::string& name : p.m_diary_names) r.Text(name);
  }
  if (r.Ok()) ClampToShown(p);
  return r.Ok();
}

bool WriteLocationRecord(cStream& s, const LocationRecord& record) {
  bool ok = WriteString(s, record.m_name) && WriteString(s, record.m_key) && WriteStringMap(record.m_values, s) &&
            WriteUInt32(s, static_cast<uint32_t>(record.m_sub_locations.size()));
  for (const auto& [key, sub] : record.m_sub_locations) ok = ok && WriteString(s, key) && WriteLocationRecord(s, sub);
  ok = ok && WriteUInt32(s, static_cast<uint32_t>(record.m_characters.size()));
  for (const CharacterRecord& c : record.m_characters) {
    ok = ok && WriteString(s, c.m_name) && WriteU8(s, c.m_enabled) && WriteU8(s, c.m_visible) &&
         WriteFloat(s, c.m_alpha) && WriteUInt32(s, c.m_state);
  }
  return ok && WriteUInt32(s, record.m_number) && WriteString(s, record.m_text_1) &&
         WriteString(s, record.m_sequence) && WriteString(s, record.m_game) && WriteString(s, record.m_text_2) &&
         WriteU8(s, record.m_flag_1) && WriteU8(s, record.m_flag_2);
}

bool ReadLocationRecord(BinaryReader& r, LocationRecord& record, int depth) {
  uint32_t count = 0;
  r.Text(record.m_name);
  r.Text(record.m_key);
  if (r.Count(count, kValueBytes)) {
    for (uint32_t i = 0; i < count && r.Ok(); ++i) {
      std::string key;
      std::string value;
      if (r.Text(key) && r.Text(value)) record.m_values[std::move(key)] = std::move(value);
    }
  }
  if (r.Count(count, kSubLocationBytes)) {
    if (count > 0 && depth >= kMaxLocationDepth) return r.Refuse();
    for (uint32_t i = 0; i < count && r.Ok(); ++i) {
      std::string key;
      LocationRecord sub;
      if (r.Text(key) && ReadLocationRecord(r, sub, depth + 1)) record.m_sub_locations[std::move(key)] = std::move(sub);
    }
  }
  if (r.Count(count, kCharacterBytes)) {
    record.m_characters.resize(count);
    for (CharacterRecord& c : record.m_characters) {
      r.Text(c.m_name);
      r.U8(c.m_enabled);
      r.U8(c.m_visible);
      r.Float(c.m_alpha);
      r.U32(c.m_state);
    }
  }
  r.U32(record.m_number);
  r.Text(record.m_text_1);
  r.Text(record.m_sequence);
  r.Text(record.m_game);
  r.Text(record.m_text_2);
  r.U8(record.m_flag_1);
  r.U8(record.m_flag_2);
  return r.Ok();
}

bool ReadProfileBody(BinaryReader& r, ProfileBody& body) {
  uint32_t count = 0;
  if (!ReadProgress(r, body.progress) || !ReadProgress(r, body.start_progress)) return false;
  if (r.Count(count, kLocationBytes)) {
    body.locations.resize(count);
    for (LocationRecord& record : body.locations) {
      if (!ReadLocationRecord(r, record)) return false;
    }
  }
  r.Text(body.stage);
  return r.Ok();
}
