#include <cstdio>
#include <string>

#include "tools/content/scripts/ScriptSource.h"
#include "tools/content/scripts/ScriptSyntax.h"

namespace {

void AppendAtom(const std::string& text, std::string& out) {
  bool bare = !text.empty();
  for (char c : text) bare = bare && IsBareScriptChar(static_cast<unsigned char>(c));
  if (bare) {
    out += text;
    return;
  }
  out += kScriptQuote;
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == kScriptQuote || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || byte == 0x7F) {
      char escape[5];
      std::snprintf(escape, sizeof escape, "\\x%02X", byte);
      out += escape;
    } else {
      out += c;
    }
  }
  out += kScriptQuote;
}

void AppendNode(const CommandNode& node, std::size_t indent, std::string& out) {
  out.append(indent * 2, ' ');
  if (!node.result.empty()) {
    AppendAtom(node.result, out);
    out += kScriptResultMark;
    out += ' ';
  }
  AppendAtom(node.type, out);
  for (const CommandParam& parameter : node.parameters) {
    out += ' ';
    AppendAtom(parameter.value, out);
    if (parameter.kind != 0) out += kScriptKindMark + std::to_string(parameter.kind);
  }
  if (node.children.empty()) {
    out += '\n';
    return;
  }
  out += " {\n";
  for (const auto& child : node.children) AppendNode(*child, indent + 1, out);
  out.append(indent * 2, ' ');
  out += "}\n";
}

}  // namespace

std::string PrintScriptSource(const CommandNode& root) {
  std::string out;
  AppendNode(root, 0, out);
  return out;
}
