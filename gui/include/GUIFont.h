#pragma once
// A usable bitmap font made from a "font" resource: measures wide texts and writes them as glyph
// quads into a render object's mesh. The GUI keeps fonts by index in its GUIFontTable; text
// widgets name them by that index.

#include <string_view>

#include "gui/include/FontFile.h"
#include "gui/include/GlyphLookup.h"
#include "gui/include/cFontResource.h"
#include "source/Resources/cResourcePtr.h"
#include "source/math/Vector.h"
#include "source/shaders/ShaderHolder.h"

class Model;
class RenderObject;
class TextureHandle;
struct Vertex;

class GUIFont {
 public:
  // Takes the resource's glyphs, size, space and shift (1.0 each without a resource). A font with
  // capitals only also draws the lower-case form of each of its letters with the capital's glyph,
  // unless it has a glyph of its own for it; the case mapping is "C.UTF-8"'s whatever the
  // process locale, so Cyrillic and Latin-1 letters map as well as ASCII.
  explicit GUIFont(const cResourcePtr<cFontResource>& resource);
  // A font of these glyphs and measures, without a texture (text measured or laid out by code).
  GUIFont(const GUIGlyphTable& glyphs, const FontDescription& description);
  virtual ~GUIFont();
  GUIFont(const GUIFont&) = delete;
  GUIFont& operator=(const GUIFont&) = delete;

  bool HasCharacter(char16_t code) const { return m_lookup.Find(code) != nullptr; }
  // Sum of the advances: a glyph's advance x scale x shift, a missing one's space x scale. A
  // negative scale means the font's size.
  float GetTextWidth(std::u16string_view text, float scale = -1.0f) const;
  // (width at the font's size, size, 1).
  Vector3 GetTextExtent(std::u16string_view text) const;

  // Writes the glyph quad of `code` standing on (x, y) into four vertices: false, nothing
  // written, for a line feed, white space or a character without a glyph (that one is logged).
  bool AddCharacter(Vertex* vertices, char16_t code, float x, float y) const;

  // The object takes the colour and the font's shader, and its mesh is emptied.
  void BeginText(RenderObject& object, const Vector4& color) const;
  // BeginText, then the text as one line from (0, 0). Answers the end x.
  float BuildText(RenderObject& object, const Vector4& color, std::u16string_view text) const;
  // Appends the text's quads after those the mesh holds, the first standing on (x, y); answers the
  // pen's end x. Spaces and characters without a glyph write nothing (the latter advance by the
  // space). Quads the mesh has no room for are dropped (logged), the pen still moves.
  float LayoutText(Model& mesh, std::u16string_view text, float x, float y) const;

  float GetSize() const { return m_size; }
  float GetSpace() const { return m_space; }
  float GetShift() const { return m_shift; }
  const GUIGlyphTable& GetGlyphs() const { return m_glyphs; }
  const GUIGlyph* FindGlyph(char16_t code) const { return m_lookup.Find(code); }
  ShaderHolder& GetShader() { return m_shader; }
  const ShaderHolder& GetShader() const { return m_shader; }
  // The texture of the font's shader; null without one.
  const TextureHandle* GetTexture() const;

 private:
  void Take(const GUIGlyphTable& glyphs, const FontDescription& description);
  void MirrorCase();

  ShaderHolder m_shader;
  cResourcePtr<cFontResource> m_resource;
  GUIGlyphTable m_glyphs;
  GlyphLookup m_lookup;
  float m_size = 1.0f;
  float m_space = 1.0f;
  float m_shift = 1.0f;
};
