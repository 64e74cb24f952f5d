#pragma once
// Per character name, the animations a location may play on it and the textures that carry
// their frames. Filled from "game_data\characters" by the adventure core.

#include <map>
#include <string>
#include <vector>

#include "source/core/Singleton.h"

struct CharacterEntry {
  std::vector<std::string> animations;
  std::vector<int> probabilities;
  std::vector<std::string> shaders;
  std::vector<int> frame_counts;
};

class CharacterDatabase : public Singleton<CharacterDatabase> {
 public:
  ~CharacterDatabase() override;

  // The entry of that name, or null.
  const CharacterEntry* Find(const std::string& name) const;
  void Add(const std::string& name, const CharacterEntry& entry) { m_characters[name] = entry; }
  std::size_t GetCount() const { return m_characters.size(); }

 private:
  std::map<std::string, CharacterEntry> m_characters;
};
