#pragma once
// A flat rectangle that moves, turns and stretches over its frames (vertex morphing): the pieces
// of the arcade mini-games whose named animations carry their motion (a bat that gives, a
// doughnut that drops, a stone pulled back and shot, a gauge that fills).

#include <cstdint>
#include <vector>

#include "source/model/ModelFile.h"

// The pose at one key frame: an offset, a scale about the rectangle's centre and a turn about it
// (radians, counter-clockwise).
struct QuadKey {
  uint32_t frame = 0;
  Vector3 offset;
  float scale_x = 1.0f;
  float scale_y = 1.0f;
  float angle = 0.0f;
};

// The rectangle (x, y) to (x + width, y + height) at depth z, posed at each of `frames` frames by
// the keys (sorted by frame; frames between two keys blend them linearly, frames beyond the last
// key hold it). At least one key. The texture spans u_extent x v_extent of its picture (one cell of
// a net of frames, for one).
ModelFileData MakeKeyedQuad(float x, float y, float width, float height, float z, uint32_t frames,
                            uint32_t first_frame, std::vector<QuadKey> keys, float u_extent = 1.0f,
                            float v_extent = 1.0f);
