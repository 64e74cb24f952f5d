#pragma once
// The language asked for on the command line: "-lang CODE" or "-lang=CODE", CODE one of the
// game's language codes ("en", "ru", ...). It takes the place of the game initialisation file's.

#include <string>

// The code given after "-lang" (the last one when given twice); empty when none is given.
std::string LanguageOnCommandLine(int argc, char** argv);

// Hands the language asked for to the language manager when the game knows it; an unknown code
// is logged and the game's own choice stays.
void ChooseLanguageFromCommandLine(int argc, char** argv);
