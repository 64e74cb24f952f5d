#pragma once
// Letters typed into a program on an X display. xdotool puts a letter that the keyboard map lacks
// on a spare key only for the moment of its press and then takes it away again, so a program
// that reads the press a little later (a loaded machine) gets no letter at all. Here such a letter
// is put on a spare key for good, and the key is pressed by its own name.

#include <cstdint>
#include <string>
#include <vector>

// The code points of a UTF-8 text; a malformed byte stands for itself.
std::vector<uint32_t> CodePoints(const std::string& utf8);

// The X keysym of a character: Latin-1 ones are their code point, the others 0x01000000 plus it.
unsigned long KeysymOf(uint32_t code_point);

// The key names to press for each character of `utf8` (a keysym name xdotool's "key" takes),
// putting every letter the display's keyboard map lacks on a spare key of its own, where it
// stays. Empty when the display cannot be opened or no spare key is left.
std::vector<std::string> KeysForText(const std::string& utf8);
