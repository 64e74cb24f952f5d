#include "gui/include/GUIFont.h"

#include <algorithm>
#include <vector>

#include "gui/include/CharacterClass.h"
#include "gui/include/GUIGlyphMesh.h"
#include "gui/include/GUIWidgetSupport.h"
#include "source/log/cLog.h"
#include "source/model/Model.h"
#include "source/render/RenderObject.h"
#include "source/render/VertexBuffer_D3D7.h"
#include "source/text/TextConversion.h"

namespace {

constexpr const char* kSource = "sources\\GUIFont";
constexpr int kUnknownCharacterLine = 146;
constexpr int kOverflowLine = 118;
constexpr char16_t kLineFeed = 10;
constexpr char16_t kSpace = 32;
constexpr uint32_t kOpaqueWhite = 0xFFFFFFFFu;

void SetVertex(Vertex& vertex, float x, float y, float u, float v) {
  vertex = Vertex{x, y, 0.0f, 0.0f, 0.0f, 0.0f, kOpaqueWhite, u, v};
}

// Quads the mesh can hold: four vertices and six indices each.
uint32_t QuadCapacity(const Model& mesh) {
  const uint32_t by_vertices = mesh.m_vertices ? mesh.m_vertices->GetCount() / 4 : 0;
  const uint32_t by_indices = mesh.m_indices ? mesh.m_indices->GetCount() / 6 : 0;
  return std::min(by_vertices, by_indices);
}

}  // namespace

GUIFont::GUIFont(const cResourcePtr<cFontResource>& resource) : m_resource(resource) {
  if (m_resource) {
    Take(m_resource->GetGlyphs(), m_resource->GetDescription());
    m_shader.SetShader(m_resource->GetShader());
  } else {
    m_lookup = GlyphLookup(m_glyphs);
  }
}

GUIFont::GUIFont(const GUIGlyphTable& glyphs, const FontDescription& description) { Take(glyphs, description); }

void GUIFont::Take(const GUIGlyphTable& glyphs, const FontDescription& description) {
  m_glyphs = glyphs;
  m_size = description.size;
  m_space = description.space;
  m_shift = description.shift;
  if (description.upper_case) MirrorCase();
  m_lookup = GlyphLookup(m_glyphs);
}

GUIFont::~GUIFont() = default;

void GUIFont::MirrorCase() {
  std::vector<std::pair<uint16_t, GUIGlyph>> mirrored;
  for (const auto& [code, glyph] : m_glyphs) {
    const char16_t lower = ToLowerCase(code);
    if (lower != code && m_glyphs.count(lower) == 0) mirrored.emplace_back(lower, glyph);
  }
  // Two capitals with one lower-case form: the first in code order wins, as in one pass.
  for (const auto& [code, glyph] : mirrored) m_glyphs.emplace(code, glyph);
}

const TextureHandle* GUIFont::GetTexture() const { return m_resource ? m_resource->GetTexture() : nullptr; }

float GUIFont::GetTextWidth(std::u16string_view text, float scale) const {
  const float s = scale < 0.0f ? m_size : scale;
  const float glyph_factor = s * m_shift;
  const float missing = m_space * s;
  float width = 0.0f;
  for (const char16_t c : text) {
    const GUIGlyph* glyph = m_lookup.Find(c);
    width += glyph != nullptr ? glyph->advance * glyph_factor : missing;
  }
  return width;
}

Vector3 GUIFont::GetTextExtent(std::u16string_view text) const { return {GetTextWidth(text, m_size), m_size, 1.0f}; }

bool GUIFont::AddCharacter(Vertex* vertices, char16_t code, float x, float y) const {
  if (code == kLineFeed || IsWhiteSpace(code)) return false;
  const GUIGlyph* glyph = m_lookup.Find(code);
  if (glyph == nullptr) {
    LogReport(kLogError, kSource, kUnknownCharacterLine, "GUIFont::AddCharacter: unknown character \"%s\" (code: %i )",
              WideToUtf8(std::u16string(1, code)).c_str(), static_cast<int>(code));
    return false;
  }
  const float right = x + glyph->advance * m_size;
  const float top = y + m_size;
  SetVertex(vertices[0], x, top, glyph->u, glyph->v + glyph->h);
  SetVertex(vertices[1], x, y, glyph->u, glyph->v);
  SetVertex(vertices[2], right, top, glyph->u + glyph->w, glyph->v + glyph->h);
  SetVertex(vertices[3], right, y, glyph->u + glyph->w, glyph->v);
  return true;
}

void GUIFont::BeginText(RenderObject& object, const Vector4& color) const {
  object.SetColor(color);
  object.GetShaderHolder() = m_shader;
  if (object.GetModel()) object.GetModel()->m_index_count = 0;
}

float GUIFont::BuildText(RenderObject& object, const Vector4& color, std::u16string_view text) const {
  BeginText(object, color);
  if (!object.GetModel()) return GetTextWidth(text);
  const float end = LayoutText(*object.GetModel(), text, 0.0f, 0.0f);
  object.MarkBoundsForRefresh();
  return end;
}

float GUIFont::LayoutText(Model& mesh, std::u16string_view text, float x, float y) const {
  // A glyph mesh grows for the text; any other mesh holds what it has room for.
  if (auto* glyphs = dynamic_cast<GUIGlyphMesh*>(&mesh)) {
    glyphs->MakeRoom(static_cast<uint32_t>(std::min<std::size_t>(mesh.m_index_count / 6 + text.size(), kGlyphModelQuads)));
  }
  const uint32_t capacity = QuadCapacity(mesh);
  uint32_t quads = std::min(mesh.m_index_count / 6, capacity);
  Vertex* vertices = mesh.m_vertices ? mesh.m_vertices->GetVertex(0) : nullptr;
  const float glyph_factor = m_size * m_shift;
  const float missing = m_space * m_size;
  bool dropped = false;
  float pen = 0.0f;
  for (const char16_t c : text) {
    const GUIGlyph* glyph = m_lookup.Find(c);
    if (glyph == nullptr) {
      pen += missing;
      continue;
    }
    if (c != kSpace) {
      if (quads < capacity) {
        if (AddCharacter(vertices + 4 * quads, c, x + pen, y)) ++quads;
      } else if (c != kLineFeed && !IsWhiteSpace(c)) {
        dropped = true;
      }
    }
    pen += glyph->advance * glyph_factor;
  }
  if (dropped) LogReport(kLogAbort, kSource, kOverflowLine, "Font: characters buffer is overflowed");
  mesh.m_index_count = quads * 6;
  return x + pen;
}
