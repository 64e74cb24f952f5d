#include "gui/include/cFontResource.h"

#include <cmath>

#include "gui/include/cGUIFontDataResource.h"
#include "source/Resources/cResourcePtr.h"
#include "source/log/cLog.h"
#include "source/properties/Conversions.h"
#include "source/properties/NumberText.h"
#include "source/stream/Encoding.h"
#include "source/stream/cMemoryStream.h"
#include "source/shaders/Shader.h"
#include "source/xml/XmlNode.h"

namespace {

constexpr const char* kSource = "sources\\cFontResource";

// A number attribute; missing, or not a finite number, gives 1.0.
float ReadScale(const XmlNode& node, const char* name, const std::string& font) {
  const XmlNode* attribute = node.FindAttribute(name);
  if (attribute == nullptr) return 1.0f;
  const float value = static_cast<float>(ParseDouble(attribute->GetValue()));
  if (std::isfinite(value)) return value;
  LogReport(kLogWarning, kSource, __LINE__, "font %s: %s \"%s\" is not a number; 1.0 is used", font.c_str(), name,
            attribute->GetValue().c_str());
  return 1.0f;
}

}  // namespace

bool WriteFontDescription(cStream& stream, const FontDescription& description) {
  const uint8_t upper = description.upper_case ? 1 : 0;
  return WriteString(stream, description.font_file) && WriteString(stream, description.diffuse) &&
         WriteString(stream, description.opacity) && WriteFloat(stream, description.size) &&
         WriteFloat(stream, description.space) && WriteFloat(stream, description.shift) &&
         stream.Write(&upper, 1) == 1;
}

bool ReadFontDescription(cStream& stream, FontDescription& description) {
  FontDescription read;
  uint8_t upper = 0;
  if (!ReadString(stream, read.font_file) || !ReadString(stream, read.diffuse) || !ReadString(stream, read.opacity) ||
      !ReadFloat(stream, read.size) || !ReadFloat(stream, read.space) || !ReadFloat(stream, read.shift) ||
      stream.Read(&upper, 1) != 1 || RemainingBytes(stream) != 0) {
    return false;
  }
  if (!std::isfinite(read.size) || !std::isfinite(read.space) || !std::isfinite(read.shift)) return false;
  read.upper_case = upper != 0;
  description = std::move(read);
  return true;
}

cFontResource::cFontResource(std::string name, const cResourceSource& source)
    : cTypedResource(std::move(name), source) {}

cFontResource::~cFontResource() = default;

void cFontResource::RegisterTypes() {
  cResourceManager* manager = cResourceManager::GetInstance();
  manager->RegisterResourceType<cFontResource>();
  manager->RegisterResourceType<cGUIFontDataResource>();
  manager->RegisterResourceExtension("fnt", cGUIFontDataResource::kTypeName);
}

void cFontResource::LoadFromXml(const XmlNode& node) {
  m_description.font_file = GetAttributeValue(&node, "fnt", "");
  m_description.diffuse = GetAttributeValue(&node, "diffuse", "");
  m_description.opacity = GetAttributeValue(&node, "opacity", "");
  m_description.size = ReadScale(node, "size", GetName());
  m_description.space = ReadScale(node, "space", GetName());
  m_description.shift = ReadScale(node, "shift", GetName());
  const std::string upper = GetAttributeValue(&node, "upper_case", "");
  m_description.upper_case = upper == "1" || upper == "true";
}

bool cFontResource::Load() {
  if (GetSource().HasData()) {
    cMemoryStream data;
    if (!LoadData(data) || !ReadFontDescription(data, m_description)) {
      LogReport(kLogError, kSource, __LINE__, "Incorrect \"%s\" file format", GetName().c_str());
      return false;
    }
  }
  // Clamped: a glyph at the picture's edge must not pick up the opposite edge when filtered.
  m_shader = ShaderRef::FromDescriptor(ShaderDescriptor(m_description.diffuse, m_description.opacity, true));
  cResourcePtr<cGUIFontDataResource> file;
  if (!file.Assign(m_description.font_file)) {
    LogReport(kLogError, kSource, __LINE__, "font %s: no glyph table \"%s\"", GetName().c_str(),
              m_description.font_file.c_str());
    m_glyphs.clear();
    return false;
  }
  m_glyphs = file->GetGlyphs();
  return true;
}

const TextureHandle* cFontResource::GetTexture() const { return m_shader ? m_shader->GetStageTexture(0) : nullptr; }

bool cFontResource::Unload() {
  m_glyphs.clear();
  m_shader = ShaderRef();
  return true;
}
