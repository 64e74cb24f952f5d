#pragma once
// One node of a location script: a command word with its parameters, the result that selects it
// among its siblings, and the nodes beneath it (owned, in execution order).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct CommandParam {
  uint32_t kind = 0;  // its meaning belongs to the command: a count for the inventory commands
  std::string value;
};

class CommandNode {
 public:
  CommandNode() = default;
  CommandNode(std::string type, std::vector<CommandParam> parameters, std::string result = "");
  // Takes the tree down level by level, so that no depth of script can exhaust the stack.
  ~CommandNode();
  CommandNode(const CommandNode&) = delete;
  CommandNode& operator=(const CommandNode&) = delete;

  // Appends `child` as the last child and makes this node its parent; answers the child.
  CommandNode* AddChild(std::unique_ptr<CommandNode> child);

  CommandNode* parent = nullptr;
  std::string type;
  std::string result;
  std::vector<CommandParam> parameters;
  std::vector<std::unique_ptr<CommandNode>> children;
  bool done = false;  // set by the location for a node that runs once only
  uint32_t id = 0;    // the node's place in reading order (pre-order), the root 0
};

// The text a log entry gives of a node: "type: T\nresult: R\n" and "param[i]V\n" per parameter.
std::string DumpCommandNode(const CommandNode& node);

// Calls visit(node, depth) for every node of the tree in pre-order, the root at depth 1.
template <class Visit>
void ForEachCommandNode(CommandNode& root, Visit visit) {
  struct Pending {
    CommandNode* node;
    uint32_t depth;
  };
  std::vector<Pending> stack{{&root, 1}};
  while (!stack.empty()) {
    const Pending next = stack.back();
    stack.pop_back();
    visit(*next.node, next.depth);
    for (auto child = next.node->children.rbegin(); child != next.node->children.rend(); ++child) {
      stack.push_back({child->get(), next.depth + 1});
    }
  }
}
