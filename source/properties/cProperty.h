#pragma once
// A named setting or widget attribute as a value object that converts to and from text, and the
// map from names to such objects that the settings store, windows and widgets keep.

#include <map>
#include <string>

#include "source/core/CountedPtr.h"

class cProperty {
 public:
  virtual ~cProperty() = default;
  virtual void SetFromString(const std::string& text) = 0;
  virtual std::string GetAsString() const = 0;
};

using PropertyPtr = CountedPtr<cProperty>;
using PropertyMap = std::map<std::string, PropertyPtr>;

// Plain text: what a name holds until something binds a variable to it.
class cStringProperty : public cProperty {
 public:
  cStringProperty() = default;
  explicit cStringProperty(std::string text) : m_text(std::move(text)) {}
  void SetFromString(const std::string& text) override { m_text = text; }
  std::string GetAsString() const override { return m_text; }

 private:
  std::string m_text;
};
