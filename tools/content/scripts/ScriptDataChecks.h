#pragma once
// The checks of a location script against the game's other data: the objects of its scene, the
// sounds, the mini-games the factory makes, and the close-ups and stages it opens. Each takes
// what it checks against when it is made; a script whose scene is not known is not checked
// against one.

#include <map>
#include <set>
#include <string>

#include "tools/content/scripts/ScriptChecks.h"

struct ScriptData {
  // Per script resource name ("levels\<folder>\<name>"), the objects of its scene.
  std::map<std::string, std::set<std::string>> scene_objects;
  // The sounds under "audio\game\" (names without the folder).
  std::set<std::string> sounds;
  // The mini-game names, and those of them that are read and left, never won.
  std::set<std::string> games;
  std::set<std::string> read_only_games;
  // Every script resource being built.
  std::set<std::string> scripts;
  // The items of the inventory scene; empty: items are not checked.
  std::set<std::string> items;
  // Per script resource name, the phrase lists its location has in every language; a script
  // without an entry is not checked.
  std::map<std::string, std::set<std::string>> hint_keys;
  // Per script resource name, the objects of its scene the player can point at (kind "i", without
  // their highlights), and per language the objects its location gives a tooltip.
  std::map<std::string, std::set<std::string>> pointed_objects;
  std::map<std::string, std::map<std::string, std::set<std::string>>> tooltips;
};

// Object commands and clicks name objects of the scene; sounds, games, close-ups ("name", a
// script of the same folder) and stages ("_name", the script "levels\name\name") exist; the
// phrases a "hint" names are said in the location, and the items given, taken or asked for are
// items of the inventory; every object the player can point at has a tooltip in every language;
// a game that can be won has a "win" branch that gives the story something.
void AddScriptDataChecks(const ScriptData& data, ScriptChecks& checks);
