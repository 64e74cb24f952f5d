#pragma once
// Window attributes by name: a cAttribute whose getter and setter delegates call small functions
// of the window (or of its visual), so that forms and game code set them from text.

#include <functional>
#include <string>
#include <utility>

#include "source/properties/cAttribute.h"

namespace gui_detail {

// A delegate around a function of the attribute's value, handed over by address.
template <class T>
class ValueDelegate : public cDelegate {
 public:
  explicit ValueDelegate(std::function<void(T&)> function) : m_function(std::move(function)) {}
  const void* GetObject() const override { return this; }
  const void* GetFunction() const override { return nullptr; }
  DelegateArg Invoke(DelegateArg argument) override {
    m_function(*reinterpret_cast<T*>(argument));
    return 0;
  }

 private:
  std::function<void(T&)> m_function;
};

}  // namespace gui_detail

// Puts the attribute under `name`, replacing what was there. A null getter makes it write-only
// (it reads as ""), a null setter read-only.
template <class T>
void AddGuiAttribute(PropertyMap& map, const std::string& name, std::function<T()> getter,
                     std::function<void(const T&)> setter) {
  DelegatePtr get;
  DelegatePtr set;
  if (getter) get.Reset(new gui_detail::ValueDelegate<T>([getter](T& value) { value = getter(); }));
  if (setter) set.Reset(new gui_detail::ValueDelegate<T>([setter](T& value) { setter(value); }));
  map[name] = PropertyPtr(new cAttribute<T>(get, set));
}
