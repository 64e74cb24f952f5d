#pragma once
// The languages the game ships in. One of them is current: its code names its text resource
// and its C-library locale gives the character handling. Numbers are always read and written in
// the "C" locale, whatever the language; character classes and case mapping come from
// "C.UTF-8", which knows every letter of every language here, and collation follows the
// language where its locale is installed.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "source/core/Singleton.h"

struct Language {
  std::string code;    // the program's own codes: "en", "ru", "ge", "fr", "it", "sp"
  uint32_t identifier;  // the language identifier (0x409 English, 0x419 Russian, ...)
  std::string locale;  // the POSIX locale of the language
};

class cLanguageManager : public Singleton<cLanguageManager> {
 public:
  cLanguageManager();
  ~cLanguageManager() override;

  // The first language whose code equals `code`, ASCII case ignored; null when none does.
  const Language* Find(const std::string& code) const;
  // Makes the language current and applies its locale. An unknown code is appended as a new
  // English-like language that keeps its own code (so its text resource is still its code).
  void Activate(const std::string& code);
  const Language* GetCurrent() const { return m_current; }
  std::size_t GetCount() const { return m_languages.size(); }

  // The language the player asked for when starting the program (empty: none). It takes the
  // place of the one the game initialisation file names, and of the first language.
  void SetChosen(const std::string& code) { m_chosen = code; }
  const std::string& GetChosen() const { return m_chosen; }

  // The character handling and collation locale every language uses.
  static constexpr const char* kCharacterLocale = "C.UTF-8";

 private:
  std::vector<std::unique_ptr<Language>> m_languages;
  Language* m_current = nullptr;
  std::string m_chosen;
};

// Sets the C library's locale for `language`: everything "C", then LC_CTYPE from
// kCharacterLocale and LC_COLLATE from the language's locale (kCharacterLocale where that is
// not installed).
void ApplyLanguageLocale(const Language& language);
