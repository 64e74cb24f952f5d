#include "gui/include/TextTable.h"

namespace {
const std::u16string kNoText;
}

TextTable::~TextTable() = default;

TextTable& TextTable::operator=(const cResourcePtr<cTextResource>& resource) {
  m_resource = resource;
  return *this;
}

const std::u16string& TextTable::GetText(const std::string& key) {
  if (!m_resource) return kNoText;
  return m_resource->GetTexts()[key];
}

const std::u16string& TextTable::GetSectionText(const std::string& section, const std::string& key) {
  if (!m_resource) return kNoText;
  return m_resource->GetSections()[section][key];
}
