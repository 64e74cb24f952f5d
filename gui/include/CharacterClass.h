#pragma once
// The character classes the GUI's text code asks about, taken from the "C.UTF-8" locale whatever
// the process locale is: the game runs with LC_CTYPE "C.UTF-8" but numbers and tests may leave
// the process in "C", where only ASCII letters have a case.

// The lower-case form (the character itself when it has none).
char16_t ToLowerCase(char16_t code);
// The C library's wide white-space test.
bool IsWhiteSpace(char16_t code);
