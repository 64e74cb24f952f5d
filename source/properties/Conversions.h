#pragma once
// Small text helpers of loaders and widgets: values of XML attributes with a default, and number
// formatting.

#include <string>

class XmlNode;

// The named attribute's text, or `fallback` for a null node or a missing attribute.
std::string GetAttributeValue(const XmlNode* node, const std::string& name, const std::string& fallback);
// The same converted from UTF-8 to UTF-16 (the fallback is returned as it is).
std::u16string GetAttributeValueW(const XmlNode* node, const std::string& name,
                                  const std::u16string& fallback);

// "%i" as UTF-16, and "%u".
std::u16string IntToWideString(int value);
std::string UIntToString(unsigned value);
