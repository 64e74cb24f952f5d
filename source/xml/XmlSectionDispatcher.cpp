// Dispatch of XML elements to handlers by tag name.

#include "source/xml/XmlSectionDispatcher.h"

#include "source/xml/XmlNode.h"

void XmlSectionDispatcher::Register(const std::string& name, const CountedPtr<cDelegate>& handler) {
  m_handlers[name] = handler;
}

void XmlSectionDispatcher::DispatchOne(XmlNode* node) {
  if (node == nullptr) return;
  const auto found = m_handlers.find(node->GetName());
  if (found == m_handlers.end() || !found->second) return;
  // Held by a copy, so a handler may replace its own registration while it runs.
  CountedPtr<cDelegate> handler = found->second;
  handler->Invoke(reinterpret_cast<DelegateArg>(node));
}

void XmlSectionDispatcher::Dispatch(XmlNode* node) {
  while (node != nullptr) {
    XmlNode* next = node->GetNext();  // taken first: a handler may remove its own node
    DispatchOne(node);
    node = next;
  }
}

void XmlSectionDispatcher::DispatchAttributes(XmlNode* node) {
  if (node != nullptr) Dispatch(node->GetFirstAttribute());
}
