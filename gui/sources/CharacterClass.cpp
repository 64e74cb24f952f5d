#include "gui/include/CharacterClass.h"

#include <locale.h>
#include <wctype.h>

namespace {

// Made once and never freed: it lives as long as the process.
locale_t CharacterLocale() {
  static const locale_t locale = [] {
    locale_t made = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
    return made != static_cast<locale_t>(0) ? made : newlocale(LC_CTYPE_MASK, "C", static_cast<locale_t>(0));
  }();
  return locale;
}

}  // namespace

char16_t ToLowerCase(char16_t code) {
  if (code >= 0xD800 && code <= 0xDFFF) return code;  // half of a pair: no letter
  const wint_t lower = towlower_l(static_cast<wint_t>(code), CharacterLocale());
  return lower <= 0xFFFF ? static_cast<char16_t>(lower) : code;
}

bool IsWhiteSpace(char16_t code) { return iswspace_l(static_cast<wint_t>(code), CharacterLocale()) != 0; }
