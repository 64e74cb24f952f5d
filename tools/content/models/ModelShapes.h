#pragma once
// The shapes the sample game's models are made of, as model-file records: each takes its sizes in
// the GUI's units (y up) around its own origin, with texture coordinates over its picture (v = 0
// at the bottom: an image's first row is its bottom row).

#include <cstdint>

#include "source/model/ModelFile.h"

// A flat static rectangle from (x, y) to (x + width, y + height) at depth z: two triangles, its
// texture coordinates from (0, 0) to (u, v).
ModelFileData MakeQuad(float x, float y, float width, float height, float z, float u = 1.0f, float v = 1.0f);

// Windmill sails on a hub: `blades` blades of `length` x `width` turning once around the hub over
// `frames` frames (node animation; the last frame is the first again, so the turn loops), a short
// mast below the hub that stays still.
ModelFileData MakeSails(uint32_t blades, float length, float width, uint32_t frames, uint32_t first_frame);

// A banner hanging from its pole at x = 0: a `columns` x `rows` grid of `width` x `height` whose
// free end ripples `wave` units up and down as a wave runs along it over `frames` frames (vertex
// morphing; the last frame is the first again).
ModelFileData MakeBanner(uint32_t columns, uint32_t rows, float width, float height, float wave, uint32_t frames,
                         uint32_t first_frame);

// A cut gem seen from the front: a fan of `facets` triangles around its centre, `radius` across.
ModelFileData MakeGem(uint32_t facets, float radius);
