#pragma once
// The texts of the adventure in the current language: the display names of inventory items and
// the phrases of locations. This build keeps the item names; the phrase files come with the
// adventure core.

#include <map>
#include <string>

#include "source/core/Singleton.h"

class PhraseDatabase : public Singleton<PhraseDatabase> {
 public:
  // A copy of the text stored under `key`; an empty text when the key is missing (it is not added).
  std::u16string GetText(const std::string& key) const;
  void SetText(const std::string& key, const std::u16string& text) { m_item_names[key] = text; }

 private:
  std::map<std::string, std::u16string> m_item_names;
};
