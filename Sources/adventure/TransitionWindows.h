#pragma once
// The windows the in-game state shows between locations: a comics page (or the credits) and the
// map that shows the travel from one location to the next.

#include <string>

class GameFlowController;
class GUIStateWindow;

// A page from the form `entry`; with `keep` it stays until the next one covers it; with `skip`
// a click while it appears shows it whole instead of closing it. Null when it has no form.
GUIStateWindow* MakeComicsWindow(const std::string& entry, bool keep, bool skip);
// The map made for the travel between two zero-based location indices; null when the map draws
// no route between their places (the travel is then passed over, with one log line).
GUIStateWindow* MakeMapTravelWindow(GameFlowController* flow, int from, int to);
