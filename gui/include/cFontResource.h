#pragma once
// The "font" resource: a font description (the glyph table's "font_file" resource, the colour and
// opacity pictures of its texture, the glyph size, the advance of a missing character, a factor on
// every advance, and whether the font has capitals only). Declared in resource lists from XML;
// packs keep it in its stored binary form. Loading builds the texture and copies the glyphs.

#include <memory>
#include <string>

#include "gui/include/FontFile.h"
#include "source/Resources/cTypedResource.h"
#include "source/shaders/ShaderRef.h"

class TextureHandle;

// What a font description says, as XML gives it and the stored form keeps it.
struct FontDescription {
  std::string font_file;
  std::string diffuse;
  std::string opacity;
  float size = 1.0f;
  float space = 1.0f;
  float shift = 1.0f;
  bool upper_case = false;
};

// The stored form: the three names as strings, size, space and shift as floats, upper_case as one
// byte. Reading wants exactly those bytes (no more), finite numbers, and strings the data holds;
// on failure `description` is left alone.
bool WriteFontDescription(cStream& stream, const FontDescription& description);
bool ReadFontDescription(cStream& stream, FontDescription& description);

class cFontResource : public cTypedResource<cFontResource> {
 public:
  static constexpr const char* kTypeName = "font";
  cFontResource(std::string name, const cResourceSource& source);
  ~cFontResource() override;

  // Registers "font" and "font_file", and maps the extension "fnt" to "font_file".
  static void RegisterTypes();

  // Attributes "fnt", "diffuse", "opacity", "size", "space", "shift" and "upper_case".
  void LoadFromXml(const XmlNode& node) override;
  // From a pack the stored form is read first; then a one-stage shader is made over the texture
  // of the two pictures and the glyphs are copied from the "font_file" resource. A missing glyph
  // table is logged and leaves the font without glyphs.
  bool Load() override;
  bool Unload() override;

  const FontDescription& GetDescription() const { return m_description; }
  const GUIGlyphTable& GetGlyphs() const { return m_glyphs; }
  const ShaderRef& GetShader() const { return m_shader; }
  // The texture of the shader's stage; null without one.
  const TextureHandle* GetTexture() const;

 protected:
  bool WriteDeclaredData(cStream& stream) override { return WriteFontDescription(stream, m_description); }

 private:
  GUIGlyphTable m_glyphs;
  ShaderRef m_shader;
  FontDescription m_description;
};
