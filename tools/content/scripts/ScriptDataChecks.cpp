#include "tools/content/scripts/ScriptDataChecks.h"

#include <memory>

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// A name that lies in another location ("desk.drawer", "parent.lamp") is checked there.
bool IsPlain(const std::string& name) { return name.find('.') == std::string::npos; }

std::string FolderOf(const std::string& script) { return script.substr(0, script.rfind('\\') + 1); }

bool IsObjectWord(const std::string& type) {
  return type == "show" || type == "hide" || type == "flashshow" || type == "flashhide" || type == "enable" ||
         type == "disable" || type == "isenable" || type == "isvisible";
}

// Objects the script names are objects of its scene, and the objects clicked too.
class SceneObjectCheck : public ScriptCheck {
 public:
  explicit SceneObjectCheck(const ScriptData& data) : m_data(data) {}
  void CheckNode(const CommandNode& node, const ScriptUnderCheck& script,
                 std::vector<ScriptFault>& faults) const override {
    auto scene = m_data.scene_objects.find(script.name);
    if (scene == m_data.scene_objects.end() || node.parent == nullptr) return;
    const auto check = [&](const std::string& name, const char* what) {
      if (IsPlain(name) && !name.empty() && scene->second.count(name) == 0) {
        faults.push_back({script.LineOf(node), std::string(what) + Quoted(name) + " is no object of the scene"});
      }
    };
    if (IsObjectWord(node.type)) {
      for (const CommandParam& parameter : node.parameters) check(parameter.value, "object ");
    }
    if (node.parent->type == "click") check(node.result, "clicked object ");
  }

 private:
  const ScriptData& m_data;
};

// Sounds, games, close-ups and stages exist.
class NamedDataCheck : public ScriptCheck {
 public:
  explicit NamedDataCheck(const ScriptData& data) : m_data(data) {}
  void CheckNode(const CommandNode& node, const ScriptUnderCheck& script,
                 std::vector<ScriptFault>& faults) const override {
    const int line = script.LineOf(node);
    if (node.type == "sound") {
      for (const CommandParam& sound : node.parameters) {
        if (m_data.sounds.count(sound.value) == 0) {
          faults.push_back({line, "sound " + Quoted(sound.value) + " is not among the game's sounds (audio\\game)"});
        }
      }
    }
    if (node.parameters.empty() || !IsPlain(node.parameters.front().value)) return;
    const std::string& name = node.parameters.front().value;
    if (node.type == "game" && m_data.games.count(name) == 0) {
      faults.push_back({line, "mini-game " + Quoted(name) + " is none the game makes"});
    }
    if (node.type == "showlocation" || node.type == "showmodallocation" || node.type == "hidelocation") {
      const bool stage = !name.empty() && name.front() == '_';
      const std::string wanted =
          stage ? "levels\\" + name.substr(1) + "\\" + name.substr(1) : FolderOf(script.name) + name;
      if (m_data.scripts.count(wanted) == 0) {
        faults.push_back({line, std::string(stage ? "stage " : "close-up ") + Quoted(name) + " has no script " +
                                    Quoted(wanted)});
      }
    }
  }

 private:
  const ScriptData& m_data;
};

// Hint keys are phrase lists of the location; items are in the inventory.
class PhraseAndItemCheck : public ScriptCheck {
 public:
  explicit PhraseAndItemCheck(const ScriptData& data) : m_data(data) {}
  void CheckNode(const CommandNode& node, const ScriptUnderCheck& script,
                 std::vector<ScriptFault>& faults) const override {
    const int line = script.LineOf(node);
    if (node.type == "hint" && !node.parameters.empty() && IsPlain(node.parameters.front().value)) {
      auto keys = m_data.hint_keys.find(script.name);
      const std::string& key = node.parameters.front().value;
      if (keys != m_data.hint_keys.end() && keys->second.count(key) == 0) {
        faults.push_back({line, "hint " + Quoted(key) + " is said in no language of the location"});
      }
    }
    if (m_data.items.empty()) return;
    const bool item_word = node.type == "addinventory" || node.type == "dropinventory" || node.type == "isininventory";
    const bool item_click = node.type == "click";
    if (!item_word && !item_click) return;
    for (const CommandParam& item : node.parameters) {
      if (m_data.items.count(item.value) == 0) {
        faults.push_back({line, "item " + Quoted(item.value) + " is not in the inventory scene"});
      }
    }
  }

 private:
  const ScriptData& m_data;
};

// The location shows a tooltip for every object the player can point at: one without a tooltip in
// some language would show none there. Checked once, at the script's root.
class TooltipCheck : public ScriptCheck {
 public:
  explicit TooltipCheck(const ScriptData& data) : m_data(data) {}
  void CheckNode(const CommandNode& node, const ScriptUnderCheck& script,
                 std::vector<ScriptFault>& faults) const override {
    if (node.parent != nullptr) return;
    auto objects = m_data.pointed_objects.find(script.name);
    if (objects == m_data.pointed_objects.end()) return;
    for (const auto& [language, scripts] : m_data.tooltips) {
      auto given = scripts.find(script.name);
      for (const std::string& object : objects->second) {
        if (given == scripts.end() || given->second.count(object) == 0) {
          faults.push_back({0, "object " + Quoted(object) + " can be pointed at but has no tooltip in " +
                                   Quoted(language)});
        }
      }
    }
  }

 private:
  const ScriptData& m_data;
};

// A game that can be won says what its win gives: a win that changes nothing leaves the player
// with a closed game and no word.
class WinReactionCheck : public ScriptCheck {
 public:
  explicit WinReactionCheck(const ScriptData& data) : m_data(data) {}
  void CheckNode(const CommandNode& node, const ScriptUnderCheck& script,
                 std::vector<ScriptFault>& faults) const override {
    if (node.type != "game" || node.parameters.empty()) return;
    const std::string& name = node.parameters.front().value;
    if (!IsPlain(name) || m_data.games.count(name) == 0 || m_data.read_only_games.count(name) != 0) return;
    for (const auto& child : node.children) {
      if (child->result == "win") return;
    }
    faults.push_back({script.LineOf(node), "mini-game " + Quoted(name) +
                                               " can be won, but no \"win:\" branch says what its win gives"});
  }

 private:
  const ScriptData& m_data;
};

}  // namespace

void AddScriptDataChecks(const ScriptData& data, ScriptChecks& checks) {
  checks.push_back(std::make_unique<SceneObjectCheck>(data));
  checks.push_back(std::make_unique<NamedDataCheck>(data));
  checks.push_back(std::make_unique<PhraseAndItemCheck>(data));
  checks.push_back(std::make_unique<TooltipCheck>(data));
  checks.push_back(std::make_unique<WinReactionCheck>(data));
}
