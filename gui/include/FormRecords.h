#pragma once
// The element tree of a form: each element is a widget to make (its type word), its name, its
// attributes and the elements nested in it. The root element is only a container.
//
// Binary form of an element (recursive; the children come before the element's own fields):
//   u32 child count, the children; u32 attribute count, per attribute in byte order of the
//   names: name, value; name; type. Strings are a u32 byte length and the bytes.

#include <map>
#include <string>
#include <vector>

class cStream;
class XmlNode;

struct FormElement {
  std::vector<FormElement> children;
  std::map<std::string, std::string> attributes;  // every attribute but "name"
  std::string name;
  std::string type;
  bool operator==(const FormElement&) const = default;
};

// Elements nest at most this deep; deeper ones are not read (nor built).
inline constexpr int kMaxFormDepth = 64;

// True for the attributes that name a model of the form's scene part; their values are stored
// with the form's folder in front.
bool IsFormModelAttribute(const std::string& name);

// Every "form" element below `node` adds its child elements to the root's children.
void ReadFormXml(const XmlNode& node, const std::string& folder, FormElement& root);

bool WriteFormElement(const FormElement& element, cStream& stream);
// False, with `element` untouched, when the bytes are short, damaged or nest too deep.
bool ReadFormElement(cStream& stream, FormElement& element, std::string& error);
