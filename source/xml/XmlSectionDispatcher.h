#pragma once
// Calls a handler registered under an element's tag name for each element of a list: the way
// loaders hand each section of a document to the code that understands it.

#include <map>
#include <string>

#include "source/core/CountedPtr.h"
#include "source/core/Delegate.h"

class XmlNode;

class XmlSectionDispatcher {
 public:
  // Stores (or replaces) the handler for a name; handlers are invoked with the node's address.
  void Register(const std::string& name, const CountedPtr<cDelegate>& handler);
  // The node and each of its following siblings, in order; names without a handler are skipped.
  void Dispatch(XmlNode* node);
  void DispatchOne(XmlNode* node);
  // Dispatch over the node's attributes, each under its own name.
  void DispatchAttributes(XmlNode* node);

 private:
  std::map<std::string, CountedPtr<cDelegate>, std::less<>> m_handlers;
};
