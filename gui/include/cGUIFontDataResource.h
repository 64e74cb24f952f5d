#pragma once
// The "font_file" resource (files with the extension "fnt"): the glyph table of a bitmap font,
// read from its "EEFNT" file. Font descriptions ("font" resources) copy it when they load.

#include "gui/include/FontFile.h"
#include "source/Resources/cTypedResource.h"

class cGUIFontDataResource : public cTypedResource<cGUIFontDataResource> {
 public:
  static constexpr const char* kTypeName = "font_file";
  using cTypedResource::cTypedResource;

  // A file of the wrong size, magic or version is logged and leaves the table empty.
  bool Load() override;
  bool Unload() override;

  const GUIGlyphTable& GetGlyphs() const { return m_glyphs; }

 private:
  GUIGlyphTable m_glyphs;
};
