#pragma once
// The "xml" resource: an XML document read from a file or pack entry. The document stays after
// the last release (unloading keeps it), and a later first reference keeps it too rather than
// reading it again: code that walked the tree may still hold its nodes.

#include "source/Resources/cTypedResource.h"
#include "source/xml/XmlDocument.h"

class cXmlResource : public cTypedResource<cXmlResource> {
 public:
  static constexpr const char* kTypeName = "xml";
  using cTypedResource::cTypedResource;

  bool Load() override;
  bool Unload() override { return true; }

  XmlDocument& GetDocument() { return m_document; }
  XmlNode& GetRoot() { return m_document.GetRoot(); }

 private:
  XmlDocument m_document;
  bool m_parsed = false;
};
