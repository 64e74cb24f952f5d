#pragma once
// The source form of a location script, one statement a node:
//
//   # a comment runs to the end of its line
//   [result:] word [parameter[*kind]]... [{]
//   }
//
// A statement takes one line; a "{" at its end opens its children, which follow one a line up to
// a "}" line. The file holds one statement, the root, and its subtree. A parameter's kind is 0
// unless "*" and a decimal number follow it. Words, results and parameters made only of letters,
// digits and "_.-/\" (or bytes above 127) stand bare; any other text is quoted: "like this", with
// \" \\ \n \t \r and \xHH escapes.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Sources/adventure/script/CommandNode.h"

struct ScriptFault {
  int line = 0;  // 1-based; 0 when the fault belongs to no line
  std::string text;
};

struct ParsedScript {
  std::unique_ptr<CommandNode> root;
  std::vector<int> lines;  // the source line of each node, by node id
};

// Builds the tree of a source text, numbering its nodes as the "cnf" reader does. On the first
// fault it stops, adds the fault and answers false.
bool ParseScriptSource(std::string_view text, ParsedScript& script, std::vector<ScriptFault>& faults);

// The source text of a tree, two spaces an indentation level; parsing it gives the same tree.
std::string PrintScriptSource(const CommandNode& root);
