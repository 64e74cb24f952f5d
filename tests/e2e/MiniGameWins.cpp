#include "tests/e2e/MiniGameWins.h"

namespace e2e {

const std::vector<MiniGameWin>& MiniGameWins() {
  static const std::vector<MiniGameWin> wins{
      {"slingshot", WinSlingshot},        {"break_window", WinBreakWindow}, {"clock", WinClock},
      {"circles", WinCircles},            {"gridlock", WinGridlock},        {"collect_details", WinCollectDetails},
      {"musicbox", WinMusicBox},          {"signalling", WinSignalling},    {"switches", WinSwitches},
      {"get_through_rays", WinGetThroughRays}, {"lock", WinLock},           {"round_puzzle", WinRoundPuzzle},
      {"remember_pictures", WinRememberPictures}};
  return wins;
}

const MiniGameWin* FindMiniGameWin(const std::string& game) {
  for (const MiniGameWin& win : MiniGameWins()) {
    if (game == win.game) return &win;
  }
  return nullptr;
}

}  // namespace e2e
