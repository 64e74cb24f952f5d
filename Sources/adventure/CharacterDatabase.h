#pragma once
// Per character name, the animations a location may play on the object of that name (each with
// the chance of being picked) and the textures that carry their frames, read from
// "game_data\characters" when the database is made.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "source/core/Singleton.h"

class XmlNode;

struct CharacterAnimation {
  std::string name;
  uint32_t probability = 0;  // percent, taken modulo 100 (0 and 100 never pick it by chance)
};

struct CharacterTexture {
  std::string shader;  // a "shader" resource
  uint32_t frame_count = 0;
};

struct CharacterEntry {
  std::vector<CharacterAnimation> animations;
  std::vector<CharacterTexture> textures;
};

class CharacterDatabase : public Singleton<CharacterDatabase> {
 public:
  static constexpr const char* kResourceName = "game_data\\characters";

  // Reads the characters file; without one the database is empty.
  CharacterDatabase();
  ~CharacterDatabase() override;

  // Each child of the root is a character (see the file's layout above); a later character of a
  // name replaces an earlier one.
  void Read(const XmlNode& root);
  // The entry of that name, or null.
  const CharacterEntry* Find(const std::string& name) const;
  void Add(const std::string& name, const CharacterEntry& entry) { m_characters[name] = entry; }
  std::size_t GetCount() const { return m_characters.size(); }

 private:
  std::map<std::string, CharacterEntry> m_characters;
};
