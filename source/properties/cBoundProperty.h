#pragma once
// A value bound to a variable that its binder owns (a manager's setting): setting the text parses
// into the variable, reading it formats the variable. Forms: int ("%i", read like atoi), bool
// ("true"/"false", read by ParseBool) and float ("%f", read like atof).

#include <string>

#include "source/properties/PropertyMap.h"

// True only for exactly "1" or exactly "true": "TRUE", "yes" and " 1" are false.
bool ParseBool(const std::string& text);

template <class T>
class cBoundProperty : public cProperty {
 public:
  // The variable must outlive the binding (or be unbound first).
  explicit cBoundProperty(T* variable) : m_variable(variable) {}
  void SetFromString(const std::string& text) override;
  std::string GetAsString() const override;

 private:
  T* m_variable;
};

template <>
void cBoundProperty<int>::SetFromString(const std::string& text);
template <>
std::string cBoundProperty<int>::GetAsString() const;
template <>
void cBoundProperty<bool>::SetFromString(const std::string& text);
template <>
std::string cBoundProperty<bool>::GetAsString() const;
template <>
void cBoundProperty<float>::SetFromString(const std::string& text);
template <>
std::string cBoundProperty<float>::GetAsString() const;

// Binds the variable to the name (see SetPropertyBinding): a text already under the name is
// parsed into the variable.
void BindProperty(PropertyMap& map, const std::string& name, int* variable);
void BindProperty(PropertyMap& map, const std::string& name, bool* variable);
void BindProperty(PropertyMap& map, const std::string& name, float* variable);
