#pragma once
// The names a location script refers to, which the location prepares while it loads: phrase keys
// of "hint" nodes, mini-games of "game" nodes, sub-locations of the location-changing nodes, the
// objects of the object commands and conditions, and the sounds of "sound" nodes.

#include <set>
#include <string>
#include <string_view>

#include "Sources/adventure/script/CommandNode.h"

struct ScriptNames {
  std::set<std::string> hints;
  std::set<std::string> games;
  std::set<std::string> locations;
  std::set<std::string> objects;
  std::set<std::string> sounds;

  void Clear();
};

enum class ScriptNameKind { kNone, kHint, kGame, kLocation, kObject, kSound };

// Which set a command word's parameters go to.
ScriptNameKind NameKindOfWord(std::string_view type);
// True for the kinds whose commands name one thing: only their first parameter is taken.
bool TakesOneName(ScriptNameKind kind);

// Adds what `node` names to the sets, by its command word.
void AddScriptNames(const CommandNode& node, ScriptNames& names);
