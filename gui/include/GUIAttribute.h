#pragma once
// Window attributes by name: a cAttribute whose getter and setter delegates call small functions
// of the window (or of its visual), so that forms and game code set them from text. Every window
// registers a dozen of these, so the delegates hold their functions directly.

#include <string>
#include <type_traits>
#include <utility>

#include "source/properties/cAttribute.h"

namespace gui_detail {

// A delegate around a function of the attribute's value, handed over by address.
template <class T, class F>
class ValueDelegate : public cDelegate {
 public:
  explicit ValueDelegate(F function) : m_function(std::move(function)) {}
  const void* GetObject() const override { return this; }
  const void* GetFunction() const override { return nullptr; }
  DelegateArg Invoke(DelegateArg argument) override {
    m_function(*reinterpret_cast<T*>(argument));
    return 0;
  }

 private:
  F m_function;
};

template <class T, class F>
DelegatePtr MakeValueDelegate(F function) {
  return DelegatePtr(new ValueDelegate<T, F>(std::move(function)));
}

}  // namespace gui_detail

// Puts the attribute under `name`, replacing what was there. `getter` answers the value (or is
// nullptr: write-only, it reads as ""); `setter` takes it (or is nullptr: read-only).
template <class T, class Get, class Set>
void AddGuiAttribute(PropertyMap& map, const std::string& name, Get getter, Set setter) {
  DelegatePtr get;
  DelegatePtr set;
  if constexpr (!std::is_null_pointer_v<Get>) {
    get = gui_detail::MakeValueDelegate<T>([getter](T& value) { value = getter(); });
  }
  if constexpr (!std::is_null_pointer_v<Set>) {
    set = gui_detail::MakeValueDelegate<T>([setter](T& value) { setter(value); });
  }
  map[name] = PropertyPtr(new cAttribute<T>(get, set));
}
