#pragma once
// An XML document: the root node of a tree read from or written to a stream.

#include <string>

#include "source/xml/XmlNode.h"

class cStream;

class XmlDocument {
 public:
  static constexpr const char* kDefaultRootName = "default";

  XmlDocument() = default;
  // A document whose root carries a name before anything is read (kDefaultRootName, usually).
  explicit XmlDocument(std::string root_name);
  // Loads the stream; check GetRoot().GetName() or call Load yourself to learn the outcome.
  explicit XmlDocument(cStream& stream);
  virtual ~XmlDocument() = default;
  XmlDocument(const XmlDocument&) = delete;
  XmlDocument& operator=(const XmlDocument&) = delete;

  // Copies the whole stream into memory first, then parses it.
  bool Load(cStream& stream);
  // Parses from the stream's position. On a syntax error the root is left empty and false comes
  // back (the reader has printed why).
  bool Parse(cStream& stream);
  // Replaces the stream's content with the declaration line and the tree. False when the stream
  // did not take every byte.
  bool SaveXmlDocument(cStream& stream) const;

  // Why the last Load or Parse failed (the reader's report); empty after one that succeeded.
  const std::string& GetError() const { return m_error; }

  XmlNode& GetRoot() { return m_root; }
  const XmlNode& GetRoot() const { return m_root; }

 private:
  XmlNode m_root;
  std::string m_error;
};
