#pragma once
// The current text table: the text resource of the language in use. Every text the player sees is
// asked of it by key; a key it does not hold gives an empty text (and is then held, empty).

#include <string>

#include "gui/include/cTextResource.h"
#include "source/Resources/cResourcePtr.h"

class TextTable {
 public:
  TextTable() = default;
  virtual ~TextTable();

  // Takes a reference to the resource and lets go of the one held before.
  TextTable& operator=(const cResourcePtr<cTextResource>& resource);
  cTextResource* GetResource() const { return m_resource.Get(); }

  // Empty without a table; otherwise the text under the key, an unknown key being added empty.
  const std::u16string& GetText(const std::string& key);
  // The same within one section (an unknown section is added empty too).
  const std::u16string& GetSectionText(const std::string& section, const std::string& key);

 private:
  cResourcePtr<cTextResource> m_resource;
};
