#include "Sources/adventure/script/CommandNode.h"

#include <utility>

CommandNode::CommandNode(std::string type, std::vector<CommandParam> parameters, std::string result)
    : type(std::move(type)), result(std::move(result)), parameters(std::move(parameters)) {}

CommandNode::~CommandNode() {
  std::vector<std::unique_ptr<CommandNode>> pending = std::move(children);
  while (!pending.empty()) {
    std::unique_ptr<CommandNode> node = std::move(pending.back());
    pending.pop_back();
    for (std::unique_ptr<CommandNode>& child : node->children) pending.push_back(std::move(child));
    node->children.clear();
  }
}

CommandNode* CommandNode::AddChild(std::unique_ptr<CommandNode> child) {
  child->parent = this;
  children.push_back(std::move(child));
  return children.back().get();
}

std::string DumpCommandNode(const CommandNode& node) {
  std::string text = "type: " + node.type + "\nresult: " + node.result + "\n";
  for (std::size_t i = 0; i < node.parameters.size(); ++i) {
    text += "param[" + std::to_string(i) + "]" + node.parameters[i].value + "\n";
  }
  return text;
}
