#pragma once
// The mesh a widget's text is drawn from: glyph quads in order, four vertices and six indices
// each. It starts with room for a few words and grows as the text laid into it needs, up to
// kGlyphModelQuads: most widgets show a few words or none, and a form holds dozens of them.

#include <cstdint>

#include "source/model/Model.h"

class GUIGlyphMesh : public Model {
 public:
  static constexpr uint32_t kStartQuads = 32;

  GUIGlyphMesh();

  // Gives the mesh room for `quads` quads (at most kGlyphModelQuads), keeping the quads laid in
  // it; answers the room it has now.
  uint32_t MakeRoom(uint32_t quads);
};
