#pragma once
// The rules a location script must keep before it is built. Each check looks at one node at a
// time, with the whole script at hand; checks that need more (the location's scene, its phrases,
// the items, sounds and mini-games) take what they need when they are made and join the list.

#include <memory>
#include <string>
#include <vector>

#include "Sources/adventure/script/ScriptNames.h"
#include "tools/content/scripts/ScriptSource.h"

struct ScriptUnderCheck {
  const std::string& name;  // the script's resource name, "levels\<folder>\<location>"
  const ParsedScript& parsed;
  ScriptNames names;  // the names the whole script collects, as the "cnf" resource does

  int LineOf(const CommandNode& node) const;
};

class ScriptCheck {
 public:
  virtual ~ScriptCheck() = default;
  // Adds a fault for each rule `node` breaks.
  virtual void CheckNode(const CommandNode& node, const ScriptUnderCheck& script,
                         std::vector<ScriptFault>& faults) const = 0;
};

using ScriptChecks = std::vector<std::unique_ptr<ScriptCheck>>;

// The checks that need nothing but the script: known command words with the right number of
// parameters, no "wait" as a word or a result, clicked objects among the script's objects, and
// close-ups opened from an object of their own name.
ScriptChecks ScriptOnlyChecks();

// Every fault the checks find, in the order of the nodes.
std::vector<ScriptFault> CheckScript(const std::string& name, const ParsedScript& parsed, const ScriptChecks& checks);
