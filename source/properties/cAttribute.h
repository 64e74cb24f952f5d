#pragma once
// A widget attribute reached through a getter and a setter delegate, so that forms and game code
// can set any attribute by name from text.
//
// Both delegates are invoked with the address of a value of T (as a DelegateArg): the setter
// reads the value parsed from the text, the getter fills the value it is handed (and may leave it
// unchanged). A missing setter makes the attribute read-only, a missing getter write-only (it then
// reads as "").

#include <string>

#include "source/core/Delegate.h"
#include "source/properties/AttributeText.h"
#include "source/properties/PropertyMap.h"

template <class T>
class cAttribute : public cProperty {
 public:
  cAttribute(DelegatePtr getter, DelegatePtr setter) : m_getter(std::move(getter)), m_setter(std::move(setter)) {}

  void SetFromString(const std::string& text) override {
    T value{};
    ParseAttributeText(text, value);
    if (m_setter) m_setter->Invoke(reinterpret_cast<DelegateArg>(&value));
  }

  std::string GetAsString() const override {
    if (!m_getter) return std::string();
    T value{};
    m_getter->Invoke(reinterpret_cast<DelegateArg>(&value));
    return FormatAttributeText(value);
  }

 private:
  DelegatePtr m_getter;
  DelegatePtr m_setter;
};

// Binds an attribute of type T under the name (see SetPropertyBinding).
template <class T>
void BindAttribute(PropertyMap& map, const std::string& name, const DelegatePtr& getter,
                   const DelegatePtr& setter) {
  SetPropertyBinding(map, name, PropertyPtr(new cAttribute<T>(getter, setter)));
}
