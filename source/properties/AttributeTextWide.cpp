// The text forms of the UTF-16 attribute values (displayed texts and the edit box's cursor).

#include "source/properties/AttributeText.h"
#include "source/text/TextConversion.h"

void ParseAttributeText(const std::string& text, std::u16string& value) { value = ToWideString(text); }
std::string FormatAttributeText(const std::u16string& value) { return WideToUtf8(value); }

void ParseAttributeText(const std::string& text, char16_t& value) {
  const std::u16string wide = ToWideString(text);
  value = wide.empty() ? u'\0' : wide.front();
}
std::string FormatAttributeText(char16_t value) {
  if (value == u'\0') return std::string();
  return WideToUtf8(std::u16string(1, value));
}
