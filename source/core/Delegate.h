#pragma once
// Callbacks with one pointer-sized argument and a pointer-sized result: widget events
// ("on_click", "on_change" with the sender), attribute getters and setters, the close handler
// and thread bodies. Held through CountedPtr<cDelegate>.

#include <cstdint>
#include <map>

#include "source/core/CountedPtr.h"

using DelegateArg = intptr_t;

class cDelegate {
 public:
  virtual ~cDelegate() = default;
  // The bound object (for a free function: the function itself).
  virtual const void* GetObject() const = 0;
  // The bound function, or null for a free-function delegate.
  virtual const void* GetFunction() const = 0;
  virtual DelegateArg Invoke(DelegateArg argument) = 0;
};

using DelegatePtr = CountedPtr<cDelegate>;

// A member function of a known class.
template <class C>
class cMemberDelegate : public cDelegate {
 public:
  using Function = DelegateArg (C::*)(DelegateArg);
  cMemberDelegate(C* object, Function function) : m_function(function), m_object(object) {}
  const void* GetObject() const override { return m_object; }
  const void* GetFunction() const override { return &m_function; }
  DelegateArg Invoke(DelegateArg argument) override { return (m_object->*m_function)(argument); }

 private:
  Function m_function;
  C* m_object;
};

// A method reached through an untyped object pointer and a this-adjustment: the object's
// address plus the adjustment is handed to the method as its `self`.
class cMethodDelegate : public cDelegate {
 public:
  using Method = DelegateArg (*)(void* self, DelegateArg);
  cMethodDelegate(void* object, Method method, std::intptr_t adjustment)
      : m_method(method), m_adjustment(adjustment), m_object(object) {}
  static cMethodDelegate* Create(void* object, Method method, std::intptr_t adjustment = 0) {
    return new cMethodDelegate(object, method, adjustment);
  }
  const void* GetObject() const override { return m_object; }
  const void* GetFunction() const override { return reinterpret_cast<const void*>(m_method); }
  DelegateArg Invoke(DelegateArg argument) override {
    return m_method(static_cast<char*>(m_object) + m_adjustment, argument);
  }

 private:
  Method m_method;
  std::intptr_t m_adjustment;
  void* m_object;
};

// A free function.
class cFunctionDelegate : public cDelegate {
 public:
  using Function = DelegateArg (*)(DelegateArg);
  explicit cFunctionDelegate(Function function) : m_function(function) {}
  const void* GetObject() const override { return reinterpret_cast<const void*>(m_function); }
  const void* GetFunction() const override { return nullptr; }
  DelegateArg Invoke(DelegateArg argument) override { return m_function(argument); }

 private:
  Function m_function;
};

// Convenience makers.
template <class C>
DelegatePtr MakeMemberDelegate(C* object, typename cMemberDelegate<C>::Function function) {
  return DelegatePtr(new cMemberDelegate<C>(object, function));
}
inline DelegatePtr MakeFunctionDelegate(cFunctionDelegate::Function function) {
  return DelegatePtr(new cFunctionDelegate(function));
}

// The program-wide map from an integer key to a delegate (the game panel keeps its own under 0).
std::map<int, DelegatePtr>& GlobalDelegateMap();
