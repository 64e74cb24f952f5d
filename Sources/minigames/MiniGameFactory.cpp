#include "Sources/minigames/MiniGameFactory.h"

#include <new>

#include "Sources/minigames/MiniGame.h"

MiniGame* CreateMiniGame(GUIWindow* parent, const std::string& name) {
  return new (std::nothrow) MiniGame(name, parent);
}

const std::vector<std::string>& KnownMiniGameNames() {
  static const std::vector<std::string> names = {
      "clock",          "foodmachine",   "lock",          "musicbox",       "safe",
      "cashregister",   "phone",         "letter",        "notebook_chief", "document_smuggler",
      "journal",        "papers",        "gridlock",      "break_window",   "circles",
      "collect_details", "get_through_rays", "remember_pictures", "round_puzzle", "signalling",
      "slingshot",      "evidence",      "smuggler_file", "papers_chief",   "switches",
  };
  return names;
}
