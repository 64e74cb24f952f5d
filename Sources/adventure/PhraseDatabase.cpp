#include "Sources/adventure/PhraseDatabase.h"

#include "Sources/shell/cLanguageManager.h"
#include "gui/include/GUISystem.h"
#include "gui/include/TextTable.h"
#include "source/Resources/cXmlResource.h"
#include "source/log/cLog.h"
#include "source/properties/Conversions.h"
#include "source/xml/XmlNode.h"

namespace {

constexpr const char* kSource = "Sources\\PhraseDatabase";
// Locations nest a level for each close-up; a file nested deeper than this is damaged.
constexpr int kMaxDepth = 32;

}  // namespace

const std::array<const char*, PhraseDatabase::kStandardLists> PhraseDatabase::kStandardListNames = {
    "no_hint_text", "ispy_hint", "ispy_hint1", "ispy_hint2", "diary_hint",
    "wrong_use1",   "wrong_use2", "wrong_use3", "wrong_use4", "wrong_use5"};
const std::array<const char*, PhraseDatabase::kStandardLists> PhraseDatabase::kDefaultPhraseKeys = {
    "all_done", "ispy3", "ispy5", "ispy_begin", "journal_begin", "abort01", "abort02", "abort03", "abort04", "abort05"};

PhraseDatabase::PhraseDatabase() {
  TextTable* table = GUISystem::PeekInstance() != nullptr ? GUISystem::GetInstance()->GetTextTable() : nullptr;
  for (int i = 0; i < kStandardLists; ++i) {
    m_defaults[i].m_type = "hero";
    if (table != nullptr) m_defaults[i].m_text = table->GetText(kDefaultPhraseKeys[i]);
  }
  const std::string name = LocationsResourceName();
  cResourcePtr<cXmlResource> file;
  if (file.Assign(name)) {
    ReadDocument(file->GetRoot());
  } else {
    LogReport(kLogError, kSource, __LINE__, "phrases %s not found: locations speak only the hero's defaults", name.c_str());
  }
}

std::string PhraseDatabase::LocationsResourceName() {
  const cLanguageManager* languages = cLanguageManager::PeekInstance();
  const Language* language = languages != nullptr ? languages->GetCurrent() : nullptr;
  return "levels\\text\\" + (language != nullptr ? language->code : std::string("en")) + "\\locations";
}

std::u16string PhraseDatabase::GetText(const std::string& item) const {
  auto found = m_item_names.find(item);
  return found == m_item_names.end() ? std::u16string() : found->second;
}

std::vector<Phrase> PhraseDatabase::GetPhrases(const std::string& location, const std::string& list) const {
  auto record = m_root.m_locations.find(location);
  if (record == m_root.m_locations.end()) return {};
  auto phrases = record->second.m_phrases.find(list);
  return phrases == record->second.m_phrases.end() ? std::vector<Phrase>() : phrases->second;
}

void PhraseDatabase::ReadDocument(const XmlNode& root) { ReadRecord(root, m_root, 0); }

void PhraseDatabase::ReadRecord(const XmlNode& element, LocationTexts& record, int depth) {
  for (int i = 0; i < kStandardLists; ++i) record.m_phrases[kStandardListNames[i]].push_back(m_defaults[i]);
  if (depth >= kMaxDepth) {
    LogReport(kLogError, kSource, __LINE__, "phrases nested deeper than %d locations are skipped", kMaxDepth);
    return;
  }
  for (const XmlNode* child = element.GetFirstChild(); child != nullptr; child = child->GetNext()) {
    const std::string& tag = child->GetName();
    const std::string name = GetAttributeValue(child, "name", "");
    if (tag == "location") {
      ReadRecord(*child, record.m_locations[name], depth + 1);
    } else if (tag == "hint") {
      std::vector<Phrase> phrases;
      for (const XmlNode* line = child->GetFirstChild(); line != nullptr; line = line->GetNext()) {
        phrases.push_back(Phrase{GetAttributeValue(line, "type", ""), GetAttributeValueW(line, "text", u"")});
      }
      record.m_phrases[name] = std::move(phrases);
    } else if (tag == "tooltip") {
      record.m_tooltips[name] = GetAttributeValueW(child, "text", u"");
    } else if (tag == "inventory") {
      m_item_names[name] = GetAttributeValueW(child, "text", u"");
    }
  }
}
