#include "Sources/adventure/script/LocationScriptFile.h"


#include "source/stream/Encoding.h"

namespace {

// A command word is named in a fault at this length at most: the log is no place for a damaged
// file's contents.
constexpr std::size_t kFaultWordLength = 40;

// The least bytes a parameter takes (its kind and the length of its value) and a node takes (the
// lengths of its word and result, its parameter and child counts): no honest count is larger
// than the bytes left can hold at that rate.
constexpr uint32_t kParameterBytes = 8;
constexpr uint32_t kNodeBytes = 16;

class ScriptReader {
 public:
  explicit ScriptReader(cStream& stream) : m_stream(stream) {}

  bool ReadNode(CommandNode& node, uint32_t depth) {
    if (!ReadString(m_stream, node.type)) return Fail(node, "the file ends in its command word");
    uint32_t count = 0;
    if (!ReadUInt32(m_stream, count)) return Fail(node, "the file ends in its parameter count");
    if (count > RemainingBytes(m_stream) / kParameterBytes) return FailCount(node, "parameter", count);
    for (uint32_t i = 0; i < count; ++i) {
      CommandParam parameter;
      if (!ReadUInt32(m_stream, parameter.kind) || !ReadString(m_stream, parameter.value)) {
        return Fail(node, "the file ends in parameter " + std::to_string(i));
      }
      node.parameters.push_back(std::move(parameter));
    }
    if (!ReadString(m_stream, node.result)) return Fail(node, "the file ends in its result");
    if (!ReadUInt32(m_stream, count)) return Fail(node, "the file ends in its child count");
    if (count > RemainingBytes(m_stream) / kNodeBytes) return FailCount(node, "child", count);
    if (count > 0 && depth >= kMaxScriptDepth) {
      return Fail(node, "its children would lie deeper than " + std::to_string(kMaxScriptDepth) + " levels");
    }
    for (uint32_t i = 0; i < count; ++i) {
      auto child = std::make_unique<CommandNode>();
      child->id = m_next_id++;  // before its own children: ids follow pre-order
      if (!ReadNode(*node.AddChild(std::move(child)), depth + 1)) return false;
    }
    return true;
  }

  uint32_t NextId() const { return m_next_id; }
  const std::string& GetFault() const { return m_fault; }

 private:
  bool Fail(const CommandNode& node, const std::string& what) {
    m_fault = "node " + std::to_string(node.id) + " (\"" + node.type.substr(0, kFaultWordLength) + "\"): " + what;
    return false;
  }
  bool FailCount(const CommandNode& node, const char* what, uint32_t count) {
    return Fail(node, std::string(what) + " count " + std::to_string(count) + " is more than the " +
                          std::to_string(RemainingBytes(m_stream)) + " bytes left can hold");
  }

  cStream& m_stream;
  uint32_t m_next_id = 1;
  std::string m_fault;
};

bool WriteNode(const CommandNode& node, cStream& stream, uint32_t depth) {
  if (depth > kMaxScriptDepth || !WriteString(stream, node.type) ||
      !WriteUInt32(stream, static_cast<uint32_t>(node.parameters.size()))) {
    return false;
  }
  for (const CommandParam& parameter : node.parameters) {
    if (!WriteUInt32(stream, parameter.kind) || !WriteString(stream, parameter.value)) return false;
  }
  if (!WriteString(stream, node.result) || !WriteUInt32(stream, static_cast<uint32_t>(node.children.size()))) {
    return false;
  }
  for (const auto& child : node.children) {
    if (!WriteNode(*child, stream, depth + 1)) return false;
  }
  return true;
}

}  // namespace

LocationScriptRead ReadLocationScript(cStream& stream) {
  LocationScriptRead read;
  auto root = std::make_unique<CommandNode>();
  ScriptReader reader(stream);
  if (!reader.ReadNode(*root, 1)) {
    read.fault = reader.GetFault();
    return read;
  }
  read.root = std::move(root);
  read.node_count = reader.NextId();
  read.trailing_bytes = RemainingBytes(stream);
  return read;
}

bool WriteLocationScript(const CommandNode& root, cStream& stream) { return WriteNode(root, stream, 1); }
