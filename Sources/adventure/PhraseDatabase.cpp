#include "Sources/adventure/PhraseDatabase.h"

std::u16string PhraseDatabase::GetText(const std::string& key) const {
  auto found = m_item_names.find(key);
  return found == m_item_names.end() ? std::u16string() : found->second;
}
