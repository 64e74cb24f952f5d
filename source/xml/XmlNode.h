#pragma once
// One node of an XML tree: an element (tag, text, children, attributes) or an attribute
// (name, value). A node owns its children and attributes; strings are kept as raw bytes.

#include <string>
#include <string_view>
#include <utility>

class XmlNode {
 public:
  XmlNode() = default;
  explicit XmlNode(std::string name);
  virtual ~XmlNode();
  XmlNode(const XmlNode&) = delete;
  XmlNode& operator=(const XmlNode&) = delete;

  const std::string& GetName() const { return m_name; }
  const std::string& GetValue() const { return m_value; }
  void SetName(std::string name) { m_name = std::move(name); }
  void SetValue(std::string value) { m_value = std::move(value); }

  XmlNode* GetParent() { return m_parent; }
  const XmlNode* GetParent() const { return m_parent; }
  XmlNode* GetNext() { return m_next; }
  const XmlNode* GetNext() const { return m_next; }
  XmlNode* GetPrevious() { return m_previous; }
  const XmlNode* GetPrevious() const { return m_previous; }
  XmlNode* GetFirstChild() { return m_first_child; }
  const XmlNode* GetFirstChild() const { return m_first_child; }
  XmlNode* GetFirstAttribute() { return m_first_attribute; }
  const XmlNode* GetFirstAttribute() const { return m_first_attribute; }
  bool IsAttribute() const { return m_is_attribute; }

  // Takes ownership of a heap node and links it at the end of the children; a node that sits in
  // another list is unlinked from it first. Refuses (false) null, this node or one of its
  // ancestors, since that would make the tree a cycle.
  bool AppendChild(XmlNode* child);
  // Creates an attribute with that name at the end of the attribute list.
  XmlNode* AddAttribute(std::string name);
  // Unlinks and deletes a child of this node; false when it is not one of its children.
  bool RemoveChild(XmlNode* child);
  // Deletes every child, then every attribute.
  void Clear();

  // The first attribute with exactly this name, or null.
  XmlNode* FindAttribute(std::string_view name);
  const XmlNode* FindAttribute(std::string_view name) const;
  // Path of names separated by backslashes; an empty path gives the first child.
  XmlNode* FindChildByPath(std::string_view path);
  const XmlNode* FindChildByPath(std::string_view path) const;
  // Walks the path like FindChildByPath, creating missing levels; the last name is always a new
  // child appended at the end.
  XmlNode* CreateChildByPath(std::string_view path);

  // Exchanges names, values, children and attributes; the moved nodes get their new parent.
  // Refused (false) when one node lies inside the other's subtree.
  bool Swap(XmlNode& other);

 private:
  // Unlinks this node from the list that holds it (children or attributes of its parent).
  void Unlink();
  bool IsInSubtreeOf(const XmlNode* ancestor) const;
  static void DeleteChain(XmlNode* first);
  static void Reparent(XmlNode* first, XmlNode* parent);

  std::string m_name;
  std::string m_value;
  XmlNode* m_parent = nullptr;
  XmlNode* m_next = nullptr;
  XmlNode* m_previous = nullptr;
  XmlNode* m_first_child = nullptr;
  XmlNode* m_first_attribute = nullptr;
  // Tails keep appends constant-time on wide elements.
  XmlNode* m_last_child = nullptr;
  XmlNode* m_last_attribute = nullptr;
  bool m_is_attribute = false;
};
