#include "Sources/adventure/script/ScriptNames.h"

#include <array>
#include <utility>

void ScriptNames::Clear() {
  hints.clear();
  games.clear();
  locations.clear();
  objects.clear();
  sounds.clear();
}

ScriptNameKind NameKindOfWord(std::string_view type) {
  static constexpr std::array<std::pair<std::string_view, ScriptNameKind>, 13> kWords{{
      {"show", ScriptNameKind::kObject},
      {"hide", ScriptNameKind::kObject},
      {"flashhide", ScriptNameKind::kObject},
      {"enable", ScriptNameKind::kObject},
      {"disable", ScriptNameKind::kObject},
      {"isenable", ScriptNameKind::kObject},
      {"isvisible", ScriptNameKind::kObject},
      {"game", ScriptNameKind::kGame},
      {"showlocation", ScriptNameKind::kLocation},
      {"showmodallocation", ScriptNameKind::kLocation},
      {"hidelocation", ScriptNameKind::kLocation},
      {"hint", ScriptNameKind::kHint},
      {"sound", ScriptNameKind::kSound},
  }};
  for (const auto& [word, kind] : kWords) {
    if (word == type) return kind;
  }
  return ScriptNameKind::kNone;
}

bool TakesOneName(ScriptNameKind kind) {
  return kind == ScriptNameKind::kHint || kind == ScriptNameKind::kGame || kind == ScriptNameKind::kLocation;
}

void AddScriptNames(const CommandNode& node, ScriptNames& names) {
  const ScriptNameKind kind = NameKindOfWord(node.type);
  std::set<std::string>* set = nullptr;
  switch (kind) {
    case ScriptNameKind::kNone: return;
    case ScriptNameKind::kHint: set = &names.hints; break;
    case ScriptNameKind::kGame: set = &names.games; break;
    case ScriptNameKind::kLocation: set = &names.locations; break;
    case ScriptNameKind::kObject: set = &names.objects; break;
    case ScriptNameKind::kSound: set = &names.sounds; break;
  }
  if (TakesOneName(kind)) {
    if (!node.parameters.empty()) set->insert(node.parameters.front().value);
    return;
  }
  for (const CommandParam& parameter : node.parameters) set->insert(parameter.value);
}
