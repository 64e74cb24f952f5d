#pragma once
// Resource types made for the tests: one that counts its loads, one declared in resource lists
// that writes its own pack form, and one that asks to be stored rather than compressed.

#include <string>

#include "source/Resources/cTypedResource.h"
#include "source/stream/cMemoryStream.h"
#include "source/xml/XmlNode.h"

class cCountingResource : public cTypedResource<cCountingResource> {
 public:
  static constexpr const char* kTypeName = "counting";
  using cTypedResource::cTypedResource;

  bool Load() override {
    ++loads;
    return LoadData(bytes);
  }
  bool Unload() override {
    ++unloads;
    bytes.Resize(0);
    return true;
  }
  std::string Text() {
    return std::string(reinterpret_cast<const char*>(bytes.GetData()), bytes.GetSize());
  }

  int loads = 0;
  int unloads = 0;
  cMemoryStream bytes;
};

// Declared in a resource list: <resource name=".." type="note" text=".."/>. In a pack it keeps the
// text as its bytes.
class cNoteResource : public cTypedResource<cNoteResource> {
 public:
  static constexpr const char* kTypeName = "note";
  using cTypedResource::cTypedResource;

  void LoadFromXml(const XmlNode& node) override {
    const XmlNode* text = node.FindAttribute("text");
    if (text != nullptr) m_text = text->GetValue();
    ++xml_reads;
  }
  bool WriteDeclaredData(cStream& stream) override {
    return stream.Write(m_text.data(), static_cast<uint32_t>(m_text.size())) == m_text.size();
  }
  bool Load() override {
    if (!GetSource().HasData()) return true;  // declared in a list: the text is here already
    cMemoryStream bytes;
    if (!LoadData(bytes)) return false;
    m_text.assign(reinterpret_cast<const char*>(bytes.GetData()), bytes.GetSize());
    return true;
  }
  bool Unload() override { return true; }

  const std::string& Text() const { return m_text; }
  int xml_reads = 0;

 private:
  std::string m_text;
};

class cBulkResource : public cTypedResource<cBulkResource> {
 public:
  static constexpr const char* kTypeName = "bulk";
  using cTypedResource::cTypedResource;
  bool Load() override { return true; }
  bool Unload() override { return true; }
  bool IsCompressible() override { return false; }
};
