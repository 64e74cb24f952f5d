#include "tools/content/scripts/ScriptChecks.h"

#include <string>

#include "tools/content/scripts/ScriptWords.h"

namespace {

constexpr std::string_view kWait = "wait";

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string Parameters(uint32_t count) {
  return std::to_string(count) + (count == 1 ? " parameter" : " parameters");
}

// The command word is one the location runs, with as many parameters as it takes. The root's word
// is never run and may be anything.
class CommandWordCheck : public ScriptCheck {
 public:
  void CheckNode(const CommandNode& node, const ScriptUnderCheck& script,
                 std::vector<ScriptFault>& faults) const override {
    if (node.parent == nullptr) return;
    const int line = script.LineOf(node);
    if (node.type == kWait) {
      faults.push_back({line, "\"wait\" is no command: the command that starts something (show, hide, game, hint, "
                              "showhelp, showlocation, endlocation) waits for it by itself"});
      return;
    }
    const ScriptWord* word = FindScriptWord(node.type);
    if (word == nullptr) {
      faults.push_back({line, "unknown command word " + Quoted(node.type)});
      return;
    }
    const auto count = static_cast<uint32_t>(node.parameters.size());
    if (count >= word->least_parameters && count <= word->most_parameters) return;
    std::string wanted;
    if (word->least_parameters == word->most_parameters) {
      wanted = word->most_parameters == 0 ? "no parameters" : "exactly " + Parameters(word->most_parameters);
    } else if (word->most_parameters == kAnyParameterCount) {
      wanted = "at least " + Parameters(word->least_parameters);
    } else {
      wanted = "at most " + Parameters(word->most_parameters);
    }
    faults.push_back({line, Quoted(node.type) + " takes " + wanted + ", not " + std::to_string(count)});
  }
};

// No branch is chosen by "wait": a command that yields it holds the script on itself.
class WaitResultCheck : public ScriptCheck {
 public:
  void CheckNode(const CommandNode& node, const ScriptUnderCheck& script,
                 std::vector<ScriptFault>& faults) const override {
    if (node.parent != nullptr && node.result == kWait) {
      faults.push_back({script.LineOf(node), "\"wait\" is no result: the script waits on a command and then takes "
                                             "the branch of what it yields"});
    }
  }
};

// A click only finds the script's objects: those that an object command or condition names.
class ClickedObjectCheck : public ScriptCheck {
 public:
  void CheckNode(const CommandNode& node, const ScriptUnderCheck& script,
                 std::vector<ScriptFault>& faults) const override {
    if (node.parent == nullptr || node.parent->type != "click" || node.result.empty()) return;
    if (script.names.objects.count(node.result) != 0) return;
    faults.push_back({script.LineOf(node), "clicked object " + Quoted(node.result) +
                                               " is named by no show, hide, flashhide, enable, disable, isenable "
                                               "or isvisible command, so no click ever finds it"});
  }
};

// A hint points at a close-up through the object named like it: the object clicked to open a
// close-up carries the close-up's name.
class CloseUpObjectCheck : public ScriptCheck {
 public:
  void CheckNode(const CommandNode& node, const ScriptUnderCheck& script,
                 std::vector<ScriptFault>& faults) const override {
    if ((node.type != "showlocation" && node.type != "showmodallocation") || node.parameters.empty()) return;
    const std::string& name = node.parameters.front().value;
    if (name.empty() || name.front() == '_' || name.find('.') != std::string::npos) return;
    const CommandNode* clicked = ClickedAncestor(node);
    if (clicked == nullptr || clicked->result == name) return;
    faults.push_back({script.LineOf(node), "close-up " + Quoted(name) + " opens from a click on " +
                                               Quoted(clicked->result) +
                                               ": name the object like the close-up, or no hint finds it"});
  }

 private:
  // The node right below the nearest "click" above `node` (its result is the clicked object).
  static const CommandNode* ClickedAncestor(const CommandNode& node) {
    for (const CommandNode* at = &node; at->parent != nullptr; at = at->parent) {
      if (at->parent->type == "click") return at;
    }
    return nullptr;
  }
};

}  // namespace

int ScriptUnderCheck::LineOf(const CommandNode& node) const {
  return node.id < parsed.lines.size() ? parsed.lines[node.id] : 0;
}

ScriptChecks ScriptOnlyChecks() {
  ScriptChecks checks;
  checks.push_back(std::make_unique<CommandWordCheck>());
  checks.push_back(std::make_unique<WaitResultCheck>());
  checks.push_back(std::make_unique<ClickedObjectCheck>());
  checks.push_back(std::make_unique<CloseUpObjectCheck>());
  return checks;
}

std::vector<ScriptFault> CheckScript(const std::string& name, const ParsedScript& parsed, const ScriptChecks& checks) {
  std::vector<ScriptFault> faults;
  if (!parsed.root) return faults;
  ScriptUnderCheck script{name, parsed, {}};
  ForEachCommandNode(*parsed.root, [&](CommandNode& node, uint32_t) { AddScriptNames(node, script.names); });
  ForEachCommandNode(*parsed.root, [&](CommandNode& node, uint32_t) {
    for (const auto& check : checks) check->CheckNode(node, script, faults);
  });
  return faults;
}
