#pragma once
// Tells the log which screen the player has in front of them: after a frame is shown, the
// innermost dialog on the GUI's active path once it is fully shown (working), or, with no dialog
// on the path, what the game in play shows (a comics page or the credits, the diary and its tab,
// the town or small map, a search scene, a mini-game, a close-up, a place), whenever that
// changes. Scripts that drive the program from outside wait on these lines.

#include <string>

// The name of the screen in front: the innermost working dialog on the active path, else the
// game's ("place/NAME", "closeup/NAME", "minigame/NAME", "diary/TAB", "map/town", "map/small",
// "map/travel", "search/SCENE", "comics/PAGE", "credits"); empty when there is none yet or a
// dialog is still appearing or going.
std::string FrontScreenName();

// Logs "screen in front: NAME" when the front screen differs from the one logged last.
void ReportFrontScreen();
