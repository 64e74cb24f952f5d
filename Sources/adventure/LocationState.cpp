// A location's state in the current profile: its objects, where its script stands, whether it
// is shown, and the close-up and phrase to show again.

#include "Sources/adventure/Location.h"
#include "Sources/adventure/PhraseSequence.h"
#include "Sources/shell/userdata/PlayerProfile.h"

void Location::SaveState() {
  if (CurrentProfile == nullptr) return;
  std::vector<LocationRecord>& records = CurrentProfile->m_locations;
  LocationRecord* record = nullptr;
  for (LocationRecord& held : records) {
    if (held.m_name == m_name && held.m_key == m_folder) {
      record = &held;
      break;
    }
  }
  if (record == nullptr) {
    record = &records.emplace_back();
    record->m_name = m_name;
    record->m_key = m_folder;
  }
  record->m_characters.clear();
  for (const auto& [name, object] : m_objects_by_name) object->SaveState(record->m_characters.emplace_back());
  record->m_number = m_current != nullptr ? m_current->id : 0;
  record->m_text_2 = m_pending;
  record->m_flag_1 = m_shown ? 1 : 0;
  record->m_flag_2 = m_modal ? 1 : 0;
  // The record may move as the close-ups add theirs: it is not used after this.
  for (auto& [name, sub] : m_sub_locations) sub->SaveState();
}

void Location::RestoreState(const LocationRecord& record) {
  for (const CharacterRecord& saved : record.m_characters) {
    if (LocationCharacter* object = FindObject(saved.m_name)) object->RestoreState(saved);
  }
  CommandNode* node = FindNode(record.m_number);
  if (node == nullptr) node = m_root;
  // The script resumes on a node that waits, or at its start: a script changed since the save
  // may have put another kind of node under the saved number, and that would wait for ever.
  const bool resumes = (node == m_root && record.m_text_2.empty()) ||
                       (node != nullptr && record.m_text_2 == "wait" && IsWaitingNode(*node));
  m_current = resumes ? node : m_root;
  m_pending = resumes ? record.m_text_2 : std::string();
  if (!record.m_sub_locations.empty()) {
    if (Location* sub = FindSubLocation(record.m_text_1)) {
      auto nested = record.m_sub_locations.find(record.m_text_1);
      if (nested != record.m_sub_locations.end()) sub->RestoreState(nested->second);
      SetActive(*sub, true, true);
      m_shown_sub = sub;
    }
  }
  if (!record.m_sequence.empty()) {
    if (PhraseSequence* sequence = FindPhraseSequence(record.m_sequence)) {
      sequence->Show();
      m_phrase = sequence;
    }
  }
  SetActive(*this, record.m_flag_1 != 0, record.m_flag_2 != 0);
}
