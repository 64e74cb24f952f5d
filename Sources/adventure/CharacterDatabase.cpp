#include "Sources/adventure/CharacterDatabase.h"

CharacterDatabase::~CharacterDatabase() { m_characters.clear(); }

const CharacterEntry* CharacterDatabase::Find(const std::string& name) const {
  auto found = m_characters.find(name);
  return found == m_characters.end() ? nullptr : &found->second;
}
