#include "Sources/adventure/CharacterDatabase.h"

#include "source/Resources/cResourcePtr.h"
#include "source/Resources/cXmlResource.h"
#include "source/properties/Conversions.h"
#include "source/properties/NumberText.h"
#include "source/xml/XmlNode.h"

namespace {

// A count or percentage of the file as a decimal number; missing or negative, 0.
uint32_t Count(const XmlNode& element, const char* name) {
  const int value = ParseDecimalInt(GetAttributeValue(&element, name, "0"));
  return value > 0 ? static_cast<uint32_t>(value) : 0u;
}

}  // namespace

CharacterDatabase::CharacterDatabase() {
  cResourcePtr<cXmlResource> file;
  if (file.Assign(kResourceName)) Read(file->GetRoot());
}

CharacterDatabase::~CharacterDatabase() { m_characters.clear(); }

void CharacterDatabase::Read(const XmlNode& root) {
  for (const XmlNode* character = root.GetFirstChild(); character != nullptr; character = character->GetNext()) {
    CharacterEntry entry;
    if (const XmlNode* animations = character->FindChildByPath("animations")) {
      for (const XmlNode* a = animations->GetFirstChild(); a != nullptr; a = a->GetNext()) {
        entry.animations.push_back({GetAttributeValue(a, "name", ""), Count(*a, "probability")});
      }
    }
    if (const XmlNode* textures = character->FindChildByPath("textures")) {
      for (const XmlNode* t = textures->GetFirstChild(); t != nullptr; t = t->GetNext()) {
        entry.textures.push_back({GetAttributeValue(t, "shader", ""), Count(*t, "frame_count")});
      }
    }
    m_characters[GetAttributeValue(character, "name", "")] = std::move(entry);
  }
}

const CharacterEntry* CharacterDatabase::Find(const std::string& name) const {
  auto found = m_characters.find(name);
  return found == m_characters.end() ? nullptr : &found->second;
}
