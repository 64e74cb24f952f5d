#include "source/properties/Conversions.h"

#include "source/properties/NumberText.h"
#include "source/text/TextConversion.h"
#include "source/xml/XmlNode.h"

std::string GetAttributeValue(const XmlNode* node, const std::string& name, const std::string& fallback) {
  if (node == nullptr) return fallback;
  const XmlNode* attribute = node->FindAttribute(name);
  return attribute != nullptr ? attribute->GetValue() : fallback;
}

std::u16string GetAttributeValueW(const XmlNode* node, const std::string& name,
                                  const std::u16string& fallback) {
  if (node == nullptr) return fallback;
  const XmlNode* attribute = node->FindAttribute(name);
  return attribute != nullptr ? ToWideString(attribute->GetValue()) : fallback;
}

std::u16string IntToWideString(int value) {
  const std::string narrow = FormatInt(value);
  return std::u16string(narrow.begin(), narrow.end());
}

std::string UIntToString(unsigned value) { return FormatUInt(value); }
