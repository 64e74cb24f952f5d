#include "tools/content/models/ModelShapes.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kTwoPi = 6.2831853f;

ModelFileVertex Corner(float x, float y, float z, float u, float v) {
  return ModelFileVertex{u, v, Vector3(0, 0, -1), Vector3(x, y, z)};
}

// The box of vertices `first` to `first + count`.
ModelBox BoxOf(const std::vector<ModelFileVertex>& vertices, std::size_t first, std::size_t count) {
  ModelBox box{vertices[first].position, vertices[first].position};
  for (std::size_t i = first; i < first + count; ++i) {
    const Vector3& p = vertices[i].position;
    box.minimum = {std::min(box.minimum.x, p.x), std::min(box.minimum.y, p.y), std::min(box.minimum.z, p.z)};
    box.maximum = {std::max(box.maximum.x, p.x), std::max(box.maximum.y, p.y), std::max(box.maximum.z, p.z)};
  }
  return box;
}

// Two triangles over corners a (bottom left), b (bottom right), c (top left), d (top right),
// wound the same way as every other face.
void AddQuadIndices(std::vector<uint16_t>& indices, uint16_t a, uint16_t b, uint16_t c, uint16_t d) {
  indices.insert(indices.end(), {a, c, b, b, c, d});
}

Quaternion TurnAboutZ(float angle) { return Quaternion(0, 0, std::sin(angle * 0.5f), std::cos(angle * 0.5f)); }

}  // namespace

ModelFileData MakeQuad(float x, float y, float width, float height, float z, float u, float v) {
  ModelFileData d;
  d.flags = kModelStatic | kModelTriangleList;
  d.vertices = {Corner(x, y, z, 0, 0), Corner(x + width, y, z, u, 0), Corner(x, y + height, z, 0, v),
                Corner(x + width, y + height, z, u, v)};
  d.vertex_count = 4;
  AddQuadIndices(d.indices, 0, 1, 2, 3);
  d.bounds = {BoxOf(d.vertices, 0, 4)};
  return d;
}

ModelFileData MakeSails(uint32_t blades, float length, float width, uint32_t frames, uint32_t first_frame) {
  ModelFileData d;
  d.flags = kModelNodes | kModelTriangleList;
  d.frame_count = std::max(frames, 2u);
  d.first_frame = first_frame;
  const float mast = length * 0.6f;
  d.nodes = {ModelFileNode{0, "mast", ModelBox{{-width * 0.2f, -mast, -1}, {width * 0.2f, 0, 1}}, 0, 0},
             ModelFileNode{0, "hub", ModelBox{{-length, -length, -1}, {length, length, 1}}, 0, 0}};
  for (uint32_t f = 0; f < d.frame_count; ++f) {
    const float angle = kTwoPi * static_cast<float>(f) / static_cast<float>(d.frame_count - 1);
    d.node_keys.push_back(ModelKey{Vector3(), Quaternion(), Vector3(1, 1, 1)});
    d.node_keys.push_back(ModelKey{Vector3(), TurnAboutZ(-angle), Vector3(1, 1, 1)});  // clockwise
  }
  const auto add = [&d](uint16_t node, float x, float y, float u, float v) {
    ModelFileSkinnedVertex vertex{u, v, {ModelInfluence{node, 1.0f, Vector3(0, 0, -1), Vector3(x, y, 0)}}};
    d.skinned.push_back(vertex);
    return static_cast<uint16_t>(d.skinned.size() - 1);
  };
  // The mast: a thin post under the hub; its picture is the sails' picture's left column.
  const float post = width * 0.2f;
  const uint16_t m0 = add(0, -post, -mast, 0.0f, 0.0f), m1 = add(0, post, -mast, 0.1f, 0.0f);
  const uint16_t m2 = add(0, -post, 0, 0.0f, 0.3f), m3 = add(0, post, 0, 0.1f, 0.3f);
  AddQuadIndices(d.indices, m0, m1, m2, m3);
  // Each blade leaves the hub along its own angle, widening towards its tip.
  for (uint32_t b = 0; b < blades; ++b) {
    const float a = kTwoPi * static_cast<float>(b) / static_cast<float>(blades);
    const float cx = std::cos(a), cy = std::sin(a), nx = -cy, ny = cx;
    const float root = length * 0.12f, half_root = width * 0.2f, half_tip = width * 0.5f;
    const uint16_t r0 = add(1, cx * root - nx * half_root, cy * root - ny * half_root, 0.2f, 0.0f);
    const uint16_t r1 = add(1, cx * root + nx * half_root, cy * root + ny * half_root, 1.0f, 0.0f);
    const uint16_t t0 = add(1, cx * length - nx * half_tip, cy * length - ny * half_tip, 0.2f, 1.0f);
    const uint16_t t1 = add(1, cx * length + nx * half_tip, cy * length + ny * half_tip, 1.0f, 1.0f);
    AddQuadIndices(d.indices, r0, r1, t0, t1);
  }
  d.vertex_count = static_cast<uint32_t>(d.skinned.size());
  d.bounds = {ModelBox{{-length, -mast, 0}, {length, length, 0}}};
  return d;
}

ModelFileData MakeBanner(uint32_t columns, uint32_t rows, float width, float height, float wave, uint32_t frames,
                         uint32_t first_frame) {
  ModelFileData d;
  d.flags = kModelMorph | kModelTriangleList;
  d.frame_count = std::max(frames, 2u);
  d.first_frame = first_frame;
  columns = std::max(columns, 1u);
  rows = std::max(rows, 1u);
  const uint32_t across = columns + 1;
  d.vertex_count = across * (rows + 1);
  for (uint32_t f = 0; f < d.frame_count; ++f) {
    const float phase = kTwoPi * static_cast<float>(f) / static_cast<float>(d.frame_count - 1);
    for (uint32_t r = 0; r <= rows; ++r) {
      for (uint32_t c = 0; c <= columns; ++c) {
        const float u = static_cast<float>(c) / static_cast<float>(columns);
        const float v = static_cast<float>(r) / static_cast<float>(rows);
        // Held at the pole, freer towards the end; the cloth bunches a little where it rises.
        const float swing = std::sin(u * 2.2f * kTwoPi * 0.5f - phase) * u;
        const float x = width * u - std::abs(swing) * wave * 0.15f;
        const float y = -height * (1.0f - v) + swing * wave;
        const float slope = std::cos(u * 2.2f * kTwoPi * 0.5f - phase) * u;
        ModelFileVertex vertex = Corner(x, y, 0, u, v);
        vertex.normal = Vector3(slope * 0.3f, 0, -1).Normalize();
        d.vertices.push_back(vertex);
      }
    }
    d.bounds.push_back(BoxOf(d.vertices, static_cast<std::size_t>(f) * d.vertex_count, d.vertex_count));
  }
  for (uint32_t r = 0; r < rows; ++r) {
    for (uint32_t c = 0; c < columns; ++c) {
      const auto at = [across](uint32_t row, uint32_t column) { return static_cast<uint16_t>(row * across + column); };
      AddQuadIndices(d.indices, at(r, c), at(r, c + 1), at(r + 1, c), at(r + 1, c + 1));
    }
  }
  return d;
}

ModelFileData MakeGem(uint32_t facets, float radius) {
  ModelFileData d;
  d.flags = kModelStatic | kModelTriangleList;
  facets = std::max(facets, 3u);
  d.vertices.push_back(Corner(0, 0, 0, 0.5f, 0.5f));
  for (uint32_t i = 0; i < facets; ++i) {
    const float a = kTwoPi * static_cast<float>(i) / static_cast<float>(facets) + kTwoPi / 4.0f;
    // The crown is flatter than the pavilion: a gem's outline.
    const float stretch = std::sin(a) > 0.0f ? 0.75f : 1.15f;
    const float x = std::cos(a) * radius, y = std::sin(a) * radius * stretch;
    d.vertices.push_back(Corner(x, y, 0, 0.5f + x / (2.0f * radius), 0.5f + y / (2.0f * radius)));
  }
  for (uint32_t i = 0; i < facets; ++i) {
    d.indices.insert(d.indices.end(), {0, static_cast<uint16_t>(1 + (i + 1) % facets), static_cast<uint16_t>(1 + i)});
  }
  d.vertex_count = static_cast<uint32_t>(d.vertices.size());
  d.bounds = {BoxOf(d.vertices, 0, d.vertices.size())};
  return d;
}
