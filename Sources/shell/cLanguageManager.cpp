#include "Sources/shell/cLanguageManager.h"

#include <clocale>

#include "source/log/cLog.h"
#include "source/text/TextConversion.h"

namespace {

constexpr const char* kSource = "Sources\\shell\\cLanguageManager";
constexpr uint32_t kEnglish = 0x409;
constexpr const char* kEnglishLocale = "en_US.UTF-8";

}  // namespace

cLanguageManager::cLanguageManager() {
  const Language built_in[] = {
      {"en", kEnglish, kEnglishLocale}, {"ru", 0x419, "ru_RU.UTF-8"}, {"ge", 0x407, "de_DE.UTF-8"},
      {"fr", 0x40C, "fr_FR.UTF-8"},     {"it", 0x410, "it_IT.UTF-8"}, {"sp", 0x40A, "es_ES.UTF-8"},
  };
  for (const Language& language : built_in) m_languages.push_back(std::make_unique<Language>(language));
}

cLanguageManager::~cLanguageManager() = default;

const Language* cLanguageManager::Find(const std::string& code) const {
  const std::string wanted = ToLower(code);
  for (const auto& language : m_languages) {
    if (ToLower(language->code) == wanted) return language.get();
  }
  return nullptr;
}

void cLanguageManager::Activate(const std::string& code) {
  m_current = const_cast<Language*>(Find(code));
  if (m_current == nullptr) {
    m_languages.push_back(std::make_unique<Language>(Language{code, kEnglish, kEnglishLocale}));
    m_current = m_languages.back().get();
  }
  // The keyboard layout is the desktop's business here: typed text reaches the game already in
  // the player's layout.
  ApplyLanguageLocale(*m_current);
}

void ApplyLanguageLocale(const Language& language) {
  std::setlocale(LC_ALL, "C");
  if (std::setlocale(LC_CTYPE, cLanguageManager::kCharacterLocale) == nullptr) {
    LogReport(kLogWarning, kSource, __LINE__, "locale %s is not installed; letters beyond ASCII keep no case",
              cLanguageManager::kCharacterLocale);
  }
  if (std::setlocale(LC_COLLATE, language.locale.c_str()) == nullptr) {
    std::setlocale(LC_COLLATE, cLanguageManager::kCharacterLocale);
  }
}
