#include "Sources/minigames/MiniGameFactory.h"

#include <new>

#include "Sources/minigames/MiniGameBreakWindow.h"
#include "Sources/minigames/MiniGameCashRegister.h"
#include "Sources/minigames/MiniGameCircles.h"
#include "Sources/minigames/MiniGameClock.h"
#include "Sources/minigames/MiniGameCollectDetails.h"
#include "Sources/minigames/MiniGameDocument.h"
#include "Sources/minigames/MiniGameFoodMachine.h"
#include "Sources/minigames/MiniGameGetThroughRays.h"
#include "Sources/minigames/MiniGameGridlock.h"
#include "Sources/minigames/MiniGameMusicBox.h"
#include "Sources/minigames/MiniGameLock.h"
#include "Sources/minigames/MiniGameNotebook.h"
#include "Sources/minigames/MiniGamePhone.h"
#include "Sources/minigames/MiniGameRememberPictures.h"
#include "Sources/minigames/MiniGameRoundPuzzle.h"
#include "Sources/minigames/MiniGameSafe.h"
#include "Sources/minigames/MiniGameSignalling.h"
#include "Sources/minigames/MiniGameSlingshot.h"
#include "Sources/minigames/MiniGameSwitches.h"

namespace {

struct DocumentName {
  const char* name;
  const char* text_key;
  const char* form;
};

// The document viewer shows these, each its text in its form.
constexpr DocumentName kDocuments[] = {
    {"letter", "lawyer_letter", "minigames\\location_2\\letter\\letter"},
    {"document_smuggler", "document_smuggler", "minigames\\location_12\\document_smuggler\\document_smuggler"},
    {"journal", "journal", "minigames\\location_12\\journal\\journal"},
    {"papers", "papers_chief", "minigames\\location_12\\papers\\papers"},
    {"evidence", "evidence", "minigames\\location_13\\evidence\\evidence"},
    {"smuggler_file", "smuggler_file", "minigames\\location_13\\smuggler_file\\smuggler_file"},
    {"papers_chief", "lawyer_chief_letter", "minigames\\location_12\\papers\\papers"},
};

}  // namespace

MiniGame* CreateMiniGame(GUIWindow* parent, const std::string& name) {
  if (name == "clock") return new (std::nothrow) MiniGameClock(parent);
  if (name == "foodmachine") return new (std::nothrow) MiniGameFoodMachine(parent);
  if (name == "musicbox") return new (std::nothrow) MiniGameMusicBox(parent);
  if (name == "lock") return new (std::nothrow) MiniGameLock(parent);
  if (name == "safe") return new (std::nothrow) MiniGameSafe(parent);
  if (name == "cashregister") return new (std::nothrow) MiniGameCashRegister(parent);
  if (name == "phone") return new (std::nothrow) MiniGamePhone(parent);
  if (name == "notebook_chief") return new (std::nothrow) MiniGameNotebook(parent);
  if (name == "remember_pictures") return new (std::nothrow) MiniGameRememberPictures(parent);
  if (name == "round_puzzle") return new (std::nothrow) MiniGameRoundPuzzle(parent);
  for (const DocumentName& document : kDocuments) {
    if (name == document.name) return new (std::nothrow) MiniGameDocument(document.form, document.text_key, parent);
  }
  if (name == "gridlock") return new (std::nothrow) MiniGameGridlock(parent);
  if (name == "circles") return new (std::nothrow) MiniGameCircles(parent);
  if (name == "collect_details") return new (std::nothrow) MiniGameCollectDetails(parent);
  if (name == "break_window") return new (std::nothrow) MiniGameBreakWindow(parent);
  if (name == "slingshot") return new (std::nothrow) MiniGameSlingshot(parent);
  if (name == "get_through_rays") return new (std::nothrow) MiniGameGetThroughRays(parent);
  if (name == "signalling") return new (std::nothrow) MiniGameSignalling(parent);
  if (name == "switches") return new (std::nothrow) MiniGameSwitches(parent);
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

const std::vector<std::string>& ReadOnlyMiniGameNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> read = {"notebook_chief"};
    for (const DocumentName& document : kDocuments) read.push_back(document.name);
    return read;
  }();
  return names;
}
