#pragma once
// Makes a location's mini-games by name. Every name the game's scripts may use is listed here;
// a name of a game not made yet, or any other name, makes the plain mini-game, which a click
// beside it leaves.

#include <string>
#include <vector>

class GUIWindow;
class MiniGame;

// A new mini-game owned by the caller, attached to `parent`; null when it cannot be made.
MiniGame* CreateMiniGame(GUIWindow* parent, const std::string& name);

// The names a script's "game" node may use.
const std::vector<std::string>& KnownMiniGameNames();

// The names of the games that are read and left, never won (the documents and the notebook): a
// script reacts to their close.
const std::vector<std::string>& ReadOnlyMiniGameNames();
