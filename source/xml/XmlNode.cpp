// The XML node tree. Nothing here recurses: trees built by code can be arbitrarily deep, so
// deletion and path walks are loops.

#include "source/xml/XmlNode.h"

XmlNode::XmlNode(std::string name) : m_name(std::move(name)) {}

// A node deleted while still linked leaves its list first, so the list never points at freed
// memory.
XmlNode::~XmlNode() {
  Unlink();
  Clear();
}

bool XmlNode::IsInSubtreeOf(const XmlNode* ancestor) const {
  for (const XmlNode* node = this; node != nullptr; node = node->m_parent) {
    if (node == ancestor) return true;
  }
  return false;
}

void XmlNode::Unlink() {
  if (m_parent == nullptr) return;
  XmlNode*& head = m_is_attribute ? m_parent->m_first_attribute : m_parent->m_first_child;
  XmlNode*& tail = m_is_attribute ? m_parent->m_last_attribute : m_parent->m_last_child;
  if (m_previous != nullptr) {
    m_previous->m_next = m_next;
  } else {
    head = m_next;
  }
  if (m_next != nullptr) {
    m_next->m_previous = m_previous;
  } else {
    tail = m_previous;
  }
  m_parent = nullptr;
  m_next = nullptr;
  m_previous = nullptr;
  m_is_attribute = false;
}

bool XmlNode::AppendChild(XmlNode* child) {
  if (child == nullptr || child == this) return false;
  // Only a node with something below it can be an ancestor; a fresh leaf skips the walk up.
  const bool has_subtree = child->m_first_child != nullptr || child->m_first_attribute != nullptr;
  if (has_subtree && IsInSubtreeOf(child)) return false;
  child->Unlink();
  child->m_parent = this;
  child->m_previous = m_last_child;
  if (m_last_child != nullptr) {
    m_last_child->m_next = child;
  } else {
    m_first_child = child;
  }
  m_last_child = child;
  return true;
}

XmlNode* XmlNode::AddAttribute(std::string name) {
  auto* attribute = new XmlNode(std::move(name));
  attribute->m_parent = this;
  attribute->m_is_attribute = true;
  attribute->m_previous = m_last_attribute;
  if (m_last_attribute != nullptr) {
    m_last_attribute->m_next = attribute;
  } else {
    m_first_attribute = attribute;
  }
  m_last_attribute = attribute;
  return attribute;
}

bool XmlNode::RemoveChild(XmlNode* child) {
  if (child == nullptr || child->m_parent != this || child->m_is_attribute) return false;
  child->Unlink();
  delete child;
  return true;
}

// Deletes a chain of siblings with everything below them. Each node's children and attributes
// are spliced onto the pending chain before the node goes, so the node's own destructor finds
// nothing left to delete and the stack never grows with the depth.
void XmlNode::DeleteChain(XmlNode* pending) {
  while (pending != nullptr) {
    XmlNode* node = pending;
    pending = node->m_next;
    if (node->m_first_child != nullptr) {
      node->m_last_child->m_next = pending;
      pending = node->m_first_child;
    }
    if (node->m_first_attribute != nullptr) {
      node->m_last_attribute->m_next = pending;
      pending = node->m_first_attribute;
    }
    node->m_first_child = node->m_last_child = nullptr;
    node->m_first_attribute = node->m_last_attribute = nullptr;
    node->m_parent = node->m_next = node->m_previous = nullptr;
    delete node;
  }
}

void XmlNode::Clear() {
  XmlNode* children = m_first_child;
  m_first_child = m_last_child = nullptr;
  DeleteChain(children);
  XmlNode* attributes = m_first_attribute;
  m_first_attribute = m_last_attribute = nullptr;
  DeleteChain(attributes);
}

const XmlNode* XmlNode::FindAttribute(std::string_view name) const {
  for (const XmlNode* attribute = m_first_attribute; attribute != nullptr; attribute = attribute->m_next) {
    if (attribute->m_name == name) return attribute;
  }
  return nullptr;
}

XmlNode* XmlNode::FindAttribute(std::string_view name) {
  return const_cast<XmlNode*>(static_cast<const XmlNode*>(this)->FindAttribute(name));
}

namespace {

const XmlNode* FindChildNamed(const XmlNode* parent, std::string_view name) {
  for (const XmlNode* child = parent->GetFirstChild(); child != nullptr; child = child->GetNext()) {
    if (child->GetName() == name) return child;
  }
  return nullptr;
}

// Splits "first\rest" into its first name and the rest; the rest is empty when nothing follows
// the separator.
std::string_view TakeSegment(std::string_view& path) {
  const size_t separator = path.find('\\');
  const std::string_view segment = path.substr(0, separator);
  path = separator == std::string_view::npos ? std::string_view() : path.substr(separator + 1);
  return segment;
}

}  // namespace

const XmlNode* XmlNode::FindChildByPath(std::string_view path) const {
  if (path.empty()) return m_first_child;
  const XmlNode* node = this;
  while (true) {
    const std::string_view segment = TakeSegment(path);
    node = FindChildNamed(node, segment);
    if (node == nullptr || path.empty()) return node;
  }
}

XmlNode* XmlNode::FindChildByPath(std::string_view path) {
  return const_cast<XmlNode*>(static_cast<const XmlNode*>(this)->FindChildByPath(path));
}

XmlNode* XmlNode::CreateChildByPath(std::string_view path) {
  XmlNode* node = this;
  while (true) {
    const std::string_view segment = TakeSegment(path);
    const bool last = path.empty();
    if (!last) {
      if (const XmlNode* existing = FindChildNamed(node, segment)) {
        node = const_cast<XmlNode*>(existing);
        continue;
      }
    }
    auto* made = new XmlNode(std::string(segment));
    node->AppendChild(made);
    if (last) return made;
    node = made;
  }
}

void XmlNode::Reparent(XmlNode* first, XmlNode* parent) {
  for (XmlNode* node = first; node != nullptr; node = node->m_next) node->m_parent = parent;
}

bool XmlNode::Swap(XmlNode& other) {
  if (&other == this) return true;
  if (IsInSubtreeOf(&other) || other.IsInSubtreeOf(this)) return false;
  std::swap(m_name, other.m_name);
  std::swap(m_value, other.m_value);
  std::swap(m_first_child, other.m_first_child);
  std::swap(m_last_child, other.m_last_child);
  std::swap(m_first_attribute, other.m_first_attribute);
  std::swap(m_last_attribute, other.m_last_attribute);
  Reparent(m_first_child, this);
  Reparent(m_first_attribute, this);
  Reparent(other.m_first_child, &other);
  Reparent(other.m_first_attribute, &other);
  return true;
}
