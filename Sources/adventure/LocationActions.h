#pragma once
// The parts of a location's script engine that its files share: finding what a node's
// parameters name, the value of a condition, and the log lines of names that are missing.

#include <string>

#include "Sources/adventure/Location.h"

class MiniGame;
class PhraseSequence;

struct LocationActions {
  static constexpr const char* kSource = "Sources\\Location";

  // The object a path names, or null; with `report`, a missing one is logged with the node.
  static LocationCharacter* ObjectOf(const Location& location, const CommandNode& node, const std::string& path,
                                     bool report);
  // The close-up, game or phrase sequence a path names (from `location`), or null, logged as the
  // node and "<what> not found".
  static Location* SubLocationOf(Location& location, const CommandNode& node);
  static MiniGame* GameOf(Location& location, const CommandNode& node, std::string* name = nullptr);
  static PhraseSequence* SequenceOf(Location& location, const CommandNode& node, std::string* key = nullptr);

  // "true" or "false" of an "isvisible", "isenable", "isininventory" or "isinjournal" node;
  // missing objects are skipped (and logged with `report`).
  static std::string Condition(const Location& location, const CommandNode& node, bool report);
  static bool IsCondition(const std::string& type);

  // The first parameter's value, or empty.
  static const std::string& FirstParameter(const CommandNode& node);
  // A count of the inventory commands: a parameter's kind, 0 meaning 1.
  static uint32_t CountOf(const CommandParam& parameter) { return parameter.kind == 0 ? 1u : parameter.kind; }
};
