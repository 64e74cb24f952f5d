#include "gui/include/cTextResource.h"

#include "source/log/cLog.h"
#include "source/text/TextConversion.h"
#include "source/stream/Encoding.h"
#include "source/stream/cMemoryStream.h"
#include "source/xml/XmlNode.h"

namespace {

constexpr const char* kSource = "sources\\cTextResource";
const std::string kNoKey;

bool WriteTexts(cStream& stream, const TextMap& texts) {
  if (!WriteUInt32(stream, static_cast<uint32_t>(texts.size()))) return false;
  for (const auto& [key, text] : texts) {
    if (!WriteString(stream, key) || !WriteWideString(stream, text)) return false;
  }
  return true;
}

// Entries arrive in key order, so each goes in at the end; a damaged file out of order still
// reads, only slower.
bool ReadTexts(cStream& stream, TextMap& texts) {
  uint32_t count = 0;
  if (!ReadUInt32(stream, count)) return false;
  for (uint32_t i = 0; i < count; ++i) {
    std::string key;
    std::u16string text;
    if (!ReadString(stream, key) || !ReadWideString(stream, text)) return false;
    texts.insert_or_assign(texts.end(), std::move(key), std::move(text));
  }
  return true;
}

}  // namespace

bool WriteTextTables(cStream& stream, const TextMap& texts, const TextSections& sections) {
  if (!WriteTexts(stream, texts) || !WriteUInt32(stream, static_cast<uint32_t>(sections.size()))) return false;
  for (const auto& [name, section] : sections) {
    if (!WriteString(stream, name) || !WriteTexts(stream, section)) return false;
  }
  return true;
}

bool ReadTextTables(cStream& stream, TextMap& texts, TextSections& sections) {
  TextMap read_texts;
  TextSections read_sections;
  uint32_t count = 0;
  if (!ReadTexts(stream, read_texts) || !ReadUInt32(stream, count)) return false;
  for (uint32_t i = 0; i < count; ++i) {
    std::string name;
    TextMap section;
    if (!ReadString(stream, name) || !ReadTexts(stream, section)) return false;
    read_sections.insert_or_assign(read_sections.end(), std::move(name), std::move(section));
  }
  if (RemainingBytes(stream) != 0) return false;
  texts = std::move(read_texts);
  sections = std::move(read_sections);
  return true;
}

void cTextResource::RegisterType() { cResourceManager::GetInstance()->RegisterResourceType<cTextResource>(); }

void cTextResource::LoadFromXml(const XmlNode& node) {
  for (const XmlNode* section = node.GetFirstChild(); section != nullptr; section = section->GetNext()) {
    if (section->GetName() != "section") continue;
    const XmlNode* name = section->FindAttribute("name");
    TextMap& texts = m_sections[name != nullptr ? name->GetValue() : std::string()];
    for (const XmlNode* entry = section->GetFirstChild(); entry != nullptr; entry = entry->GetNext()) {
      if (entry->GetName() != "text") continue;
      const XmlNode* id = entry->FindAttribute("id");
      const XmlNode* text = entry->FindAttribute("text");
      const std::string& key = id != nullptr ? id->GetValue() : kNoKey;
      std::u16string wide = text != nullptr ? ToWideString(text->GetValue()) : std::u16string();
      texts.insert_or_assign(key, wide);
      m_texts.insert_or_assign(key, std::move(wide));
    }
  }
}

bool cTextResource::Load() {
  if (!GetSource().HasData()) return true;
  cMemoryStream data;
  m_texts.clear();
  m_sections.clear();
  if (!LoadData(data) || !ReadTextTables(data, m_texts, m_sections)) {
    LogReport(kLogError, kSource, __LINE__, "Incorrect \"%s\" file format", GetName().c_str());
  }
  return true;
}

bool cTextResource::Unload() {
  if (GetSource().HasData()) {
    m_texts.clear();
    m_sections.clear();
  }
  return true;
}
