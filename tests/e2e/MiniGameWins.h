#pragma once
// How a player wins each mini-game of the sample adventure with the pointer. A win starts with its
// game shown and taking clicks (opened from its place, or alone in the mini-game driver) and plays
// it to its solution as a player would, reading the board from the frames where the game lays it
// out at random. It answers false when it could not play its game to the end.

#include <string>
#include <vector>

#include "tests/e2e/GameScreen.h"

namespace e2e {

using WinSteps = bool (*)(GameScreen& screen);

struct MiniGameWin {
  const char* game;  // the name a place's script starts it by
  WinSteps play;     // null while the game has no steps: it is then only opened and left
};

// Every mini-game the quay and the lamp room start.
const std::vector<MiniGameWin>& MiniGameWins();
// The win of that game, or null.
const MiniGameWin* FindMiniGameWin(const std::string& game);

bool WinSlingshot(GameScreen& screen);
bool WinBreakWindow(GameScreen& screen);
bool WinClock(GameScreen& screen);
bool WinCircles(GameScreen& screen);
bool WinGridlock(GameScreen& screen);
bool WinCollectDetails(GameScreen& screen);
bool WinMusicBox(GameScreen& screen);
bool WinSignalling(GameScreen& screen);
bool WinSwitches(GameScreen& screen);
bool WinGetThroughRays(GameScreen& screen);
bool WinLock(GameScreen& screen);
bool WinRoundPuzzle(GameScreen& screen);
bool WinRememberPictures(GameScreen& screen);

}  // namespace e2e
