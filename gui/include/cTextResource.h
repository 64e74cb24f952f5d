#pragma once
// The "text" resource: every displayed text of one language, UTF-16 under narrow keys, grouped in
// named sections. Declared in a resource list with its sections inside; packs keep its stored
// binary form. The GUI's TextTable points at the current language's one.

#include <map>
#include <string>

#include "source/Resources/cTypedResource.h"

using TextMap = std::map<std::string, std::u16string>;
using TextSections = std::map<std::string, TextMap>;

// The stored form: the texts (a count, then per entry in key order the key as a string and the
// text as a wide string), then the sections (a count, then per section its name and its texts in
// the same form). Reading wants exactly those bytes; nothing is allocated for counts or lengths
// the data cannot hold, and on failure both maps are left alone.
bool WriteTextTables(cStream& stream, const TextMap& texts, const TextSections& sections);
bool ReadTextTables(cStream& stream, TextMap& texts, TextSections& sections);

class cTextResource : public cTypedResource<cTextResource> {
 public:
  static constexpr const char* kTypeName = "text";
  using cTypedResource::cTypedResource;

  static void RegisterType();

  // Each "section" child ("name"), and in it each "text" child ("id", "text" in UTF-8): the text
  // goes under its key in its section and among all texts; a later key replaces an earlier one.
  void LoadFromXml(const XmlNode& node) override;
  // From a pack the stored form is read; data that cannot be read leaves no texts (logged). Always
  // true.
  bool Load() override;
  // Forgets the texts only when they can be read again: a table declared in XML keeps them, since
  // its declaration is read once, when its group is mounted.
  bool Unload() override;

  TextMap& GetTexts() { return m_texts; }
  TextSections& GetSections() { return m_sections; }

 protected:
  bool WriteDeclaredData(cStream& stream) override { return WriteTextTables(stream, m_texts, m_sections); }

 private:
  TextMap m_texts;
  TextSections m_sections;
};
