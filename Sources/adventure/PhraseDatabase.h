#pragma once
// The texts of the adventure in the current language: per location (nested for close-ups) the
// phrase lists the hint window speaks and the tooltips of its objects, and one table of the
// display names of inventory items. Locations copy their own record when they are built.

#include <map>
#include <string>
#include <vector>

#include "source/core/Singleton.h"

// One spoken line: who says it (a hint window type) and what.
struct Phrase {
  std::string m_type;
  std::u16string m_text;
};

// The texts of one location; the database's root record stands for the whole game.
struct LocationTexts {
  std::map<std::string, std::vector<Phrase>> m_phrases;  // list name -> phrases in order
  std::map<std::string, std::u16string> m_tooltips;      // object name -> tooltip
  std::map<std::string, LocationTexts> m_locations;      // location name -> its record
};

class PhraseDatabase : public Singleton<PhraseDatabase> {
 public:
  // A copy of the text stored under `key`; an empty text when the key is missing (it is not added).
  std::u16string GetText(const std::string& key) const;
  void SetText(const std::string& key, const std::u16string& text) { m_item_names[key] = text; }

  // The root record; a top-level location's record is the entry of its name in m_locations.
  LocationTexts& GetRoot() { return m_root; }
  const LocationTexts& GetRoot() const { return m_root; }

 private:
  LocationTexts m_root;
  std::map<std::string, std::u16string> m_item_names;
};
