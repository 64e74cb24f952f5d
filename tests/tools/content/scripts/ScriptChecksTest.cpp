// The rules a script must keep to be built, one table row a rule and its exceptions.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/content/scripts/ScriptChecks.h"
#include "tools/content/scripts/ScriptDataChecks.h"

namespace {

struct Expected {
  int line;
  std::string fault;
};

std::vector<ScriptFault> Check(const std::string& source) {
  ParsedScript parsed;
  std::vector<ScriptFault> faults;
  if (!ParseScriptSource(source, parsed, faults)) return faults;
  return CheckScript("levels\\test\\test", parsed, ScriptOnlyChecks());
}

// The faults found are the ones expected, in their order, each on its line.
void ExpectFaults(const std::string& name, const std::vector<ScriptFault>& faults, const std::vector<Expected>& expected) {
  ASSERT_EQ(faults.size(), expected.size()) << name << (faults.empty() ? "" : ": " + faults[0].text);
  for (std::size_t i = 0; i < faults.size(); ++i) {
    EXPECT_EQ(faults[i].line, expected[i].line) << name;
    EXPECT_NE(faults[i].text.find(expected[i].fault), std::string::npos) << name << ": " << faults[i].text;
  }
}

TEST(ScriptChecks, EachRuleFindsItsFaultOnItsLine) {
  struct Case {
    std::string name;
    std::string source;
    std::vector<Expected> expected;
  };
  const std::vector<Case> cases = {
      {"a well-formed script", "s {\n  enable key desk\n  click key*2 {\n    desk: showlocation desk\n  }\n"
                               "  click {\n    key: addinventory key*2 {\n      flashhide key\n    }\n  }\n}\n", {}},
      {"the root's word is never run", "wait wait {\n  onload\n}\n", {}},
      {"unknown word", "s {\n  shwo lamp\n}\n", {{2, "unknown command word \"shwo\""}}},
      {"a word is matched exactly", "s {\n  Show lamp\n}\n", {{2, "unknown command word \"Show\""}}},
      {"flingtojournal is not run", "s {\n  flingtojournal card\n}\n", {{2, "unknown command word"}}},
      {"wait as a word", "s {\n  wait game safe\n}\n", {{2, "\"wait\" is no command"}}},
      {"wait as a result", "s {\n  show a {\n    wait: hide a\n  }\n}\n", {{3, "\"wait\" is no result"}}},
      {"one name, two given", "s {\n  game safe clock\n}\n", {{2, "\"game\" takes exactly 1 parameter, not 2"}}},
      {"a show of nothing", "s {\n  show\n}\n", {{2, "\"show\" takes at least 1 parameter, not 0"}}},
      {"a click needs at most one item", "s {\n  click key coin\n}\n", {{2, "\"click\" takes at most 1 parameter, not 2"}}},
      {"onload takes nothing", "s {\n  onload now\n}\n", {{2, "\"onload\" takes no parameters, not 1"}}},
      {"a clicked object no command names", "s {\n  click {\n    key: addinventory key\n  }\n}\n",
       {{3, "clicked object \"key\""}}},
      {"a condition names the clicked object", "s {\n  isvisible key\n  click {\n    key: addinventory key\n  }\n}\n", {}},
      {"a click's empty branch is no object", "s {\n  click {\n    hint nothing_here\n  }\n}\n", {}},
      {"a close-up opened from another object", "s {\n  enable desk table\n  click {\n    table: sound creak {\n"
                                                "      showmodallocation desk\n    }\n  }\n}\n",
       {{5, "close-up \"desk\" opens from a click on \"table\""}}},
      {"a stage, a path or no click is no close-up",
       "s {\n  enable door\n  showlocation desk\n  click {\n    door: showlocation _location_2 {\n"
       "      showlocation parent.desk\n    }\n  }\n}\n", {}},
      {"faults come in the order of the nodes", "s {\n  wait\n  hint\n}\n",
       {{2, "\"wait\" is no command"}, {3, "\"hint\" takes exactly 1 parameter, not 0"}}},
  };
  for (const Case& c : cases) ExpectFaults(c.name, Check(c.source), c.expected);
}

TEST(ScriptChecks, ScriptsAreCheckedAgainstTheGamesData) {
  ScriptData data;
  data.scene_objects["levels\\hall\\hall"] = {"key", "desk", "lamp"};
  data.sounds = {"creak"};
  data.games = {"safe"};
  data.scripts = {"levels\\hall\\hall", "levels\\hall\\desk", "levels\\quay\\quay"};
  data.items = {"coin", "bulb"};
  data.hint_keys["levels\\hall\\hall"] = {"intro"};
  ScriptChecks checks = ScriptOnlyChecks();
  AddScriptDataChecks(data, checks);
  struct Case {
    std::string name;
    std::string script;  // the resource the source is built as
    std::string source;
    std::vector<Expected> expected;
  };
  const std::vector<Case> cases = {
      {"everything there", "levels\\hall\\hall",
       "h {\n  enable key desk\n  click {\n    key: sound creak\n    desk: showlocation desk {\n"
       "      game safe {\n        win: showlocation _quay\n      }\n    }\n  }\n}\n", {}},
      {"an object not in the scene", "levels\\hall\\hall", "h {\n  flashshow key rug\n}\n",
       {{2, "object \"rug\" is no object of the scene"}}},
      {"a clicked object not in the scene", "levels\\hall\\hall",
       "h {\n  isenable rug\n  click {\n    rug: sound creak\n  }\n}\n",
       {{2, "object \"rug\""}, {4, "clicked object \"rug\""}}},
      {"another location's object is checked there", "levels\\hall\\hall", "h {\n  hide desk.letter\n}\n", {}},
      {"a script without a known scene", "levels\\attic\\attic", "h {\n  hide ghost\n}\n", {}},
      {"a sound that is not made", "levels\\hall\\hall", "h {\n  sound creak squeak\n}\n",
       {{2, "sound \"squeak\""}}},
      {"a game the factory does not make", "levels\\hall\\hall", "h {\n  game chess\n}\n",
       {{2, "mini-game \"chess\""}}},
      {"a close-up without a script", "levels\\hall\\hall", "h {\n  showmodallocation cellar\n}\n",
       {{2, "close-up \"cellar\" has no script \"levels\\hall\\cellar\""}}},
      {"a stage without a script", "levels\\hall\\hall", "h {\n  hidelocation _moon\n}\n",
       {{2, "stage \"_moon\" has no script \"levels\\moon\\moon\""}}},
      {"phrases and items there", "levels\\hall\\hall",
       "h {\n  hint intro\n  enable key\n  click coin {\n    key: dropinventory coin {\n      addinventory bulb\n    }\n  }\n}\n", {}},
      {"a phrase the location does not say", "levels\\hall\\hall", "h {\n  hint outro\n}\n",
       {{2, "hint \"outro\" is said in no language"}}},
      {"phrases of a location without texts are not checked", "levels\\attic\\attic", "h {\n  hint any\n}\n", {}},
      {"items not in the inventory", "levels\\hall\\hall",
       "h {\n  enable key\n  isininventory ring\n  click gem {\n    key: addinventory coin pearl\n  }\n}\n",
       {{3, "item \"ring\""}, {4, "item \"gem\""}, {5, "item \"pearl\""}}},
  };
  for (const Case& c : cases) {
    ParsedScript parsed;
    std::vector<ScriptFault> faults;
    ASSERT_TRUE(ParseScriptSource(c.source, parsed, faults)) << c.name;
    ExpectFaults(c.name, CheckScript(c.script, parsed, checks), c.expected);
  }
}

}  // namespace
