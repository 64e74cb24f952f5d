#include "tools/content/models/KeyedQuad.h"

#include <algorithm>
#include <cmath>

namespace {

QuadKey Blend(const QuadKey& a, const QuadKey& b, float t) {
  QuadKey key;
  key.offset = a.offset * (1.0f - t) + b.offset * t;
  key.scale_x = a.scale_x + (b.scale_x - a.scale_x) * t;
  key.scale_y = a.scale_y + (b.scale_y - a.scale_y) * t;
  key.angle = a.angle + (b.angle - a.angle) * t;
  return key;
}

QuadKey PoseAt(const std::vector<QuadKey>& keys, uint32_t frame) {
  if (frame <= keys.front().frame) return keys.front();
  for (std::size_t i = 1; i < keys.size(); ++i) {
    if (frame <= keys[i].frame) {
      const float span = static_cast<float>(keys[i].frame - keys[i - 1].frame);
      const float t = span > 0.0f ? static_cast<float>(frame - keys[i - 1].frame) / span : 1.0f;
      return Blend(keys[i - 1], keys[i], t);
    }
  }
  return keys.back();
}

}  // namespace

ModelFileData MakeKeyedQuad(float x, float y, float width, float height, float z, uint32_t frames,
                            uint32_t first_frame, std::vector<QuadKey> keys, float u_extent, float v_extent) {
  std::stable_sort(keys.begin(), keys.end(), [](const QuadKey& a, const QuadKey& b) { return a.frame < b.frame; });
  if (keys.empty()) keys.push_back(QuadKey{});
  ModelFileData d;
  d.flags = kModelMorph | kModelTriangleList;
  d.frame_count = std::max(frames, 2u);
  d.first_frame = first_frame;
  d.vertex_count = 4;
  const float cx = x + width * 0.5f, cy = y + height * 0.5f;
  const float corners[4][4] = {{-0.5f, -0.5f, 0, 0}, {0.5f, -0.5f, 1, 0}, {-0.5f, 0.5f, 0, 1}, {0.5f, 0.5f, 1, 1}};
  for (uint32_t f = 0; f < d.frame_count; ++f) {
    const QuadKey pose = PoseAt(keys, f);
    const float c = std::cos(pose.angle), s = std::sin(pose.angle);
    ModelBox box{Vector3(1e30f, 1e30f, 1e30f), Vector3(-1e30f, -1e30f, -1e30f)};
    for (const auto& corner : corners) {
      const float px = corner[0] * width * pose.scale_x, py = corner[1] * height * pose.scale_y;
      const Vector3 p(cx + pose.offset.x + px * c - py * s, cy + pose.offset.y + px * s + py * c, z + pose.offset.z);
      d.vertices.push_back(ModelFileVertex{corner[2] * u_extent, corner[3] * v_extent, Vector3(0, 0, -1), p});
      box.minimum = Vector3(std::min(box.minimum.x, p.x), std::min(box.minimum.y, p.y), std::min(box.minimum.z, p.z));
      box.maximum = Vector3(std::max(box.maximum.x, p.x), std::max(box.maximum.y, p.y), std::max(box.maximum.z, p.z));
    }
    d.bounds.push_back(box);
  }
  d.indices = {0, 2, 1, 1, 2, 3};
  return d;
}
