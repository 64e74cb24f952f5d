#pragma once
// The texts of the adventure in the current language ("levels\text\<language>\locations"): per
// location (nested for close-ups) the phrase lists the hint window speaks and the tooltips of its
// objects, one table of the display names of inventory items, and the hero's ten default phrases
// that every location's standard lists start with. Locations copy their own record when built.

#include <array>
#include <map>
#include <string>
#include <vector>

#include "source/core/Singleton.h"

class XmlNode;

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
  static constexpr int kStandardLists = 10;
  // The standard lists every record holds, and the text keys of their default phrases.
  static const std::array<const char*, kStandardLists> kStandardListNames;
  static const std::array<const char*, kStandardLists> kDefaultPhraseKeys;

  // Fills the default phrases from the current text table and reads the current language's
  // locations file; without one the root record is empty (logged).
  PhraseDatabase();

  // The item's display name; empty when missing.
  std::u16string GetText(const std::string& item) const;
  void SetText(const std::string& item, const std::u16string& text) { m_item_names[item] = text; }
  // A copy of a top-level location's list; empty when the location or the list is missing.
  std::vector<Phrase> GetPhrases(const std::string& location, const std::string& list) const;

  // The root record; a top-level location's record is the entry of its name in m_locations.
  LocationTexts& GetRoot() { return m_root; }
  const LocationTexts& GetRoot() const { return m_root; }
  const std::array<Phrase, kStandardLists>& GetDefaultPhrases() const { return m_defaults; }

  // Reads a locations document's root element into the root record (the file's loader; tests).
  void ReadDocument(const XmlNode& root);
  // The name of the current language's locations resource.
  static std::string LocationsResourceName();

 private:
  void ReadRecord(const XmlNode& element, LocationTexts& record, int depth);

  LocationTexts m_root;
  std::array<Phrase, kStandardLists> m_defaults;
  std::map<std::string, std::u16string> m_item_names;
};
