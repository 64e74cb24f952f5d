#pragma once
// Model records made in code for the model tests: a small quad with whatever its flags ask for.

#include <cstdint>
#include <vector>

#include "source/core/CountedPtr.h"
#include "source/model/Model.h"
#include "source/model/ModelFile.h"
#include "source/model/ModelFileLoader.h"
#include "source/model/ModelFileWriter.h"
#include "source/stream/cMemoryStream.h"

inline ModelKey Key(float x, float y, float z, Quaternion rotation = Quaternion(), float scale = 1.0f) {
  return ModelKey{Vector3(x, y, z), rotation, Vector3(scale, scale, scale)};
}

// A quad of four vertices (x 0..1, y 0..1 at z 0) with every section its flags ask for, `frames`
// frames when animated; values differ from frame to frame so that mix-ups show.
inline ModelFileData SampleModel(uint32_t flags, uint32_t frames = 3) {
  ModelFileData d;
  d.flags = flags;
  if (flags & kModelAnimated) {
    d.frame_count = frames;
    d.first_frame = 10;
    d.header_value = 0.5f;
  }
  if (flags & kModelNodes) {
    d.nodes = {ModelFileNode{0, "root", {{-1, -1, -1}, {1, 1, 1}}, 1, 2}, ModelFileNode{1, "arm", {{0, 0, 0}, {2, 1, 1}}, 3, 4}};
    for (uint32_t f = 0; f < d.frame_count; ++f) {
      d.node_keys.push_back(Key(0, 0, 0));
      d.node_keys.push_back(Key(float(f), 0, 0));
    }
  }
  const bool transform_only = (flags & kModelTransformTrack) != 0;
  if (!transform_only) {
    d.vertex_count = 4;
    d.indices = (flags & kModelTriangleList) ? std::vector<uint16_t>{0, 1, 2, 2, 1, 3} : std::vector<uint16_t>{0, 1, 2, 3};
    const uint32_t boxes = (flags & kModelMorph) ? d.frame_count : 1;
    for (uint32_t f = 0; f < boxes; ++f) d.bounds.push_back(ModelBox{{0, 0, 0}, {1.0f + f, 1, 0}});
  }
  const auto corner = [](uint32_t i, float grow) {
    const float x = float(i & 1) * grow, y = float(i >> 1) * grow;
    return ModelFileVertex{float(i & 1), float(i >> 1), {0, 0, -1}, {x, y, 0}};
  };
  // A transform-only file stores no vertex count, so no vertex section but the transform keys.
  const ModelKind kind = KindOfModel(flags);
  if (transform_only && kind != ModelKind::kTransform) return d;
  switch (kind) {
    case ModelKind::kStatic:
      for (uint32_t i = 0; i < 4; ++i) d.vertices.push_back(corner(i, 1.0f));
      break;
    case ModelKind::kMorph:
      for (uint32_t f = 0; f < d.frame_count; ++f) {
        for (uint32_t i = 0; i < 4; ++i) d.vertices.push_back(corner(i, 1.0f + f));
      }
      break;
    case ModelKind::kNodes:
      for (uint32_t i = 0; i < 4; ++i) {
        ModelFileSkinnedVertex v{float(i & 1), float(i >> 1), {}};
        v.influences.push_back(ModelInfluence{uint16_t(i & 1), i == 3 ? 0.5f : 1.0f, {0, 0, -1}, corner(i, 1.0f).position});
        if (i == 3) v.influences.push_back(ModelInfluence{0, 0.5f, {0, 0, -1}, {1, 1, 0}});
        d.skinned.push_back(v);
      }
      break;
    case ModelKind::kTransform:
      for (uint32_t f = 0; f < d.frame_count; ++f) d.transform_keys.push_back(Key(float(f), 2, 0));
      break;
    case ModelKind::kNone:
      break;
  }
  return d;
}

inline cMemoryStream FileOf(const ModelFileData& data) {
  cMemoryStream file;
  WriteModelFile(data, file);
  file.Seek(0, 0);
  return file;
}

// A shared model built from a record, as the "model" resource would hold it.
inline CountedPtr<Model> ModelOf(const ModelFileData& data) {
  CountedPtr<Model> model(new Model("sample"));
  BuildModel(data, *model);
  return model;
}
