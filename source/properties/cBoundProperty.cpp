#include "source/properties/cBoundProperty.h"

#include "source/properties/NumberText.h"

bool ParseBool(const std::string& text) { return text == "1" || text == "true"; }

template <>
void cBoundProperty<int>::SetFromString(const std::string& text) {
  *m_variable = ParseDecimalInt(text);
}
template <>
std::string cBoundProperty<int>::GetAsString() const {
  return FormatInt(*m_variable);
}

template <>
void cBoundProperty<bool>::SetFromString(const std::string& text) {
  *m_variable = ParseBool(text);
}
template <>
std::string cBoundProperty<bool>::GetAsString() const {
  return *m_variable ? "true" : "false";
}

template <>
void cBoundProperty<float>::SetFromString(const std::string& text) {
  *m_variable = static_cast<float>(ParseDouble(text));
}
template <>
std::string cBoundProperty<float>::GetAsString() const {
  return FormatFloat(*m_variable);
}

namespace {

template <class T>
void Bind(PropertyMap& map, const std::string& name, T* variable) {
  SetPropertyBinding(map, name, PropertyPtr(new cBoundProperty<T>(variable)));
}

}  // namespace

void BindProperty(PropertyMap& map, const std::string& name, int* variable) { Bind(map, name, variable); }
void BindProperty(PropertyMap& map, const std::string& name, bool* variable) { Bind(map, name, variable); }
void BindProperty(PropertyMap& map, const std::string& name, float* variable) { Bind(map, name, variable); }
