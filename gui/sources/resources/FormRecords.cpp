#include "gui/include/FormRecords.h"

#include "source/stream/Encoding.h"
#include "source/xml/XmlNode.h"

namespace {

// The fewest bytes an element (no children, attributes, name or type) and an attribute take.
constexpr uint32_t kMinElementBytes = 4 * 4;
constexpr uint32_t kMinAttributeBytes = 2 * 4;

void ReadElement(const XmlNode& node, const std::string& folder, int depth, FormElement& element) {
  element.type = node.GetName();
  for (const XmlNode* attribute = node.GetFirstAttribute(); attribute != nullptr; attribute = attribute->GetNext()) {
    const std::string& name = attribute->GetName();
    if (name == "name") {
      element.name = attribute->GetValue();
    } else if (IsFormModelAttribute(name)) {
      element.attributes[name] = folder + attribute->GetValue();
    } else {
      element.attributes[name] = attribute->GetValue();
    }
  }
  if (depth >= kMaxFormDepth) return;
  for (const XmlNode* child = node.GetFirstChild(); child != nullptr; child = child->GetNext()) {
    element.children.emplace_back();
    ReadElement(*child, folder, depth + 1, element.children.back());
  }
}

bool ReadElement(cStream& stream, int depth, FormElement& element, std::string& error) {
  if (depth > kMaxFormDepth) {
    error = "elements nest too deep";
    return false;
  }
  uint32_t count = 0;
  if (!ReadUInt32(stream, count)) return false;
  if (count > RemainingBytes(stream) / kMinElementBytes) {
    error = "more elements than the data holds";
    return false;
  }
  element.children.resize(count);
  for (FormElement& child : element.children) {
    if (!ReadElement(stream, depth + 1, child, error)) return false;
  }
  if (!ReadUInt32(stream, count)) return false;
  if (count > RemainingBytes(stream) / kMinAttributeBytes) {
    error = "more attributes than the data holds";
    return false;
  }
  for (uint32_t i = 0; i < count; ++i) {
    std::string name, value;
    if (!ReadString(stream, name) || !ReadString(stream, value)) return false;
    element.attributes[std::move(name)] = std::move(value);
  }
  return ReadString(stream, element.name) && ReadString(stream, element.type);
}

}  // namespace

bool IsFormModelAttribute(const std::string& name) {
  return name == "model" || name == "helper" || name == "toddler_model" || name == "inc_model" || name == "dec_model";
}

void ReadFormXml(const XmlNode& node, const std::string& folder, FormElement& root) {
  for (const XmlNode* form = node.GetFirstChild(); form != nullptr; form = form->GetNext()) {
    if (form->GetName() != "form") continue;
    for (const XmlNode* child = form->GetFirstChild(); child != nullptr; child = child->GetNext()) {
      root.children.emplace_back();
      ReadElement(*child, folder, 1, root.children.back());
    }
  }
}

bool WriteFormElement(const FormElement& element, cStream& stream) {
  bool ok = WriteUInt32(stream, static_cast<uint32_t>(element.children.size()));
  for (const FormElement& child : element.children) ok = ok && WriteFormElement(child, stream);
  ok = ok && WriteUInt32(stream, static_cast<uint32_t>(element.attributes.size()));
  for (const auto& [name, value] : element.attributes) ok = ok && WriteString(stream, name) && WriteString(stream, value);
  return ok && WriteString(stream, element.name) && WriteString(stream, element.type);
}

bool ReadFormElement(cStream& stream, FormElement& element, std::string& error) {
  FormElement read;
  error = "the data ends early";
  if (!ReadElement(stream, 0, read, error)) return false;
  element = std::move(read);
  error.clear();
  return true;
}
