#pragma once
// The "cnf" file of a location script: one node, the root, and its subtree. A node is its command
// word (string), a u32 parameter count, per parameter a u32 kind and a string value, its result
// (string), a u32 child count and the children. Strings are a u32 byte length and the bytes.
// There is no magic and no version.
//
// The reader trusts nothing: every count and length is checked against the bytes left before
// anything is made for it, and a tree may be at most kMaxScriptDepth levels deep. The writer
// refuses what the reader would refuse, so that every file it writes reads back.

#include <cstdint>
#include <memory>
#include <string>

#include "Sources/adventure/script/CommandNode.h"

class cStream;

// Levels of nodes a script may have, the root's included.
inline constexpr uint32_t kMaxScriptDepth = 256;

struct LocationScriptRead {
  std::unique_ptr<CommandNode> root;  // null when the file is damaged
  std::string fault;                  // what was wrong, for the log; empty when read whole
  uint32_t node_count = 0;
  uint32_t trailing_bytes = 0;        // bytes after the root's last child
};

// Reads the tree from the stream's position, numbering the nodes in reading order.
LocationScriptRead ReadLocationScript(cStream& stream);

// False when the stream does not take every byte or the tree is deeper than kMaxScriptDepth.
bool WriteLocationScript(const CommandNode& root, cStream& stream);
