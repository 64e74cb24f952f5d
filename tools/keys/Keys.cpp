// velmaris-keys TEXT: prints, one a line, the key names that type TEXT on the current X display,
// first putting each letter the keyboard map lacks on a spare key for good (see KeyboardMap.h).
// ./run.sh types the first player's name with them on a virtual display. Status 1 when the
// display cannot be opened or has no spare key left.

#include <cstdio>

#include "tests/e2e/KeyboardMap.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: velmaris-keys TEXT\n", stderr);
    return 2;
  }
  const std::vector<std::string> keys = KeysForText(argv[1]);
  if (keys.empty() && argv[1][0] != '\0') {
    std::fputs("velmaris-keys: no display, or no spare key for a letter\n", stderr);
    return 1;
  }
  for (const std::string& key : keys) std::printf("%s\n", key.c_str());
  return 0;
}
