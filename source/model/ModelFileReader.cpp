#include "source/model/ModelFileReader.h"

#include "source/model/ModelFileBytes.h"

namespace {

constexpr uint32_t kKeyBytes = 40;
constexpr uint32_t kVertexBytes = 32;
constexpr uint32_t kBoxBytes = 24;
// The smallest node record (flag, empty name, box, two values) and weighted vertex (u, v, count).
constexpr uint32_t kMinNodeBytes = 1 + 4 + kBoxBytes + 4;
constexpr uint32_t kMinSkinnedVertexBytes = 10;
constexpr uint32_t kInfluenceBytes = 2 + 4 + 12 + 12;

class Reader {
 public:
  Reader(const uint8_t* bytes, std::size_t size, ModelFileData& data, std::string& error)
      : m_in(bytes, size), m_data(data), m_error(error) {}

  ModelFileStatus Read(std::size_t size) {
    if (!Header(size)) return ModelFileStatus::kNotModelFile;
    const bool read = Animation() && Nodes() && Indices() && VertexSection() && Bounds() && IndicesInRange();
    return read ? ModelFileStatus::kRead : ModelFileStatus::kDamaged;
  }

 private:
  bool Fail(std::string why) {
    m_error = std::move(why);
    return false;
  }

  bool Header(std::size_t size) {
    uint32_t stored_size = 0, version = 0;
    char magic[5] = {};
    if (!m_in.U32(stored_size) || stored_size != size) return Fail("its stored size is not its size (cut short or padded)");
    if (!m_in.Bytes(magic, 5) || std::memcmp(magic, kModelFileMagic, 5) != 0) return Fail("no EEMLF magic");
    if (!m_in.U32(version)) return Fail("the header is cut short");
    if (version != kModelFileVersion) return Fail("it is of version " + std::to_string(version));
    return m_in.U32(m_data.flags) || Fail("no flags");
  }

  bool Animation() {
    if ((m_data.flags & kModelAnimated) == 0) return true;
    return (m_in.U32(m_data.frame_count) && m_in.U32(m_data.first_frame) && m_in.F32(m_data.header_value)) ||
           Fail("the animation header is cut short");
  }

  bool Nodes() {
    if ((m_data.flags & kModelNodes) == 0) return true;
    uint16_t count = 0;
    if (!m_in.U16(count) || !m_in.Holds(count, kMinNodeBytes)) return Fail("more nodes than the file holds");
    m_data.nodes.resize(count);
    for (ModelFileNode& node : m_data.nodes) {
      if (!m_in.U8(node.bounds_flag) || !m_in.String(node.name) || !m_in.Box(node.box) ||
          !m_in.U16(node.first_value) || !m_in.U16(node.second_value)) {
        return Fail("a node record is cut short");
      }
    }
    const uint64_t keys = uint64_t{count} * m_data.frame_count;
    if (!m_in.Holds(keys, kKeyBytes)) return Fail("more node keys than the file holds");
    m_data.node_keys.resize(static_cast<std::size_t>(keys));
    for (ModelKey& key : m_data.node_keys) m_in.Key(key);
    return true;
  }

  bool Indices() {
    if (m_data.flags & kModelTransformTrack) return true;
    uint32_t index_count = 0;
    if (!m_in.U32(index_count) || !m_in.U32(m_data.vertex_count)) return Fail("no index and vertex counts");
    if (!m_in.Holds(index_count, 2)) return Fail("more indices than the file holds");
    m_data.indices.resize(index_count);
    for (uint16_t& index : m_data.indices) m_in.U16(index);
    return true;
  }

  bool VertexSection() {
    const uint32_t vertices = m_data.vertex_count;
    switch (KindOfModel(m_data.flags)) {
      case ModelKind::kStatic:
        return ReadVertices(vertices);
      case ModelKind::kMorph:
        if (!m_in.Holds(vertices, kVertexBytes) ||
            (vertices != 0 && !m_in.Holds(m_data.frame_count, uint64_t{vertices} * kVertexBytes))) {
          return Fail("more morph frames than the file holds");
        }
        return ReadVertices(uint64_t{vertices} * m_data.frame_count);
      case ModelKind::kNodes:
        return SkinnedVertices();
      case ModelKind::kTransform:
        if (!m_in.Holds(m_data.frame_count, kKeyBytes)) return Fail("more transform keys than the file holds");
        m_data.transform_keys.resize(m_data.frame_count);
        for (ModelKey& key : m_data.transform_keys) m_in.Key(key);
        return true;
      case ModelKind::kNone:
        return VertexCountBackedByIndices();
    }
    return false;
  }

  bool ReadVertices(uint64_t count) {
    if (!m_in.Holds(count, kVertexBytes)) return Fail("more vertices than the file holds");
    m_data.vertices.resize(static_cast<std::size_t>(count));
    for (ModelFileVertex& v : m_data.vertices) m_in.Vertex(v);
    return count != 0 || VertexCountBackedByIndices();
  }

  // A file that stores no vertex data still gives its model vertex_count vertices; only as many as
  // it has indices are believed.
  bool VertexCountBackedByIndices() {
    return m_data.vertex_count <= m_data.indices.size() || Fail("a vertex count that no data backs");
  }

  bool SkinnedVertices() {
    if (!m_in.Holds(m_data.vertex_count, kMinSkinnedVertexBytes)) return Fail("more weighted vertices than the file holds");
    m_data.skinned.resize(m_data.vertex_count);
    for (ModelFileSkinnedVertex& vertex : m_data.skinned) {
      uint16_t count = 0;
      if (!m_in.F32(vertex.u) || !m_in.F32(vertex.v) || !m_in.U16(count)) return Fail("a weighted vertex is cut short");
      if (count > kMaxInfluences) return Fail("a vertex with more than four influences");
      if (!m_in.Holds(count, kInfluenceBytes)) return Fail("a weighted vertex is cut short");
      vertex.influences.resize(count);
      for (ModelInfluence& influence : vertex.influences) {
        m_in.U16(influence.node);
        m_in.F32(influence.weight);
        m_in.Vec3(influence.normal);
        m_in.Vec3(influence.position);
        if (influence.node >= m_data.nodes.size()) return Fail("an influence of a node the file does not have");
      }
    }
    return m_data.vertex_count != 0 || VertexCountBackedByIndices();
  }

  bool Bounds() {
    if (m_data.flags & kModelTransformTrack) return true;
    const uint64_t boxes = (m_data.flags & kModelMorph) ? m_data.frame_count : 1;
    if (!m_in.Holds(boxes, kBoxBytes)) return Fail("the bounds are cut short");
    m_data.bounds.resize(static_cast<std::size_t>(boxes));
    for (ModelBox& box : m_data.bounds) m_in.Box(box);
    return true;
  }

  bool IndicesInRange() {
    for (uint16_t index : m_data.indices) {
      if (index >= m_data.vertex_count) return Fail("an index of a vertex the file does not have");
    }
    return true;
  }

  ModelByteReader m_in;
  ModelFileData& m_data;
  std::string& m_error;
};

}  // namespace

ModelKind KindOfModel(uint32_t flags) {
  if (flags & kModelNodes) return ModelKind::kNodes;
  if (flags & kModelMorph) return ModelKind::kMorph;
  if (flags & kModelTransformTrack) return ModelKind::kTransform;
  if (flags & kModelStatic) return ModelKind::kStatic;
  return ModelKind::kNone;
}

ModelFileStatus ReadModelFile(const uint8_t* bytes, std::size_t size, ModelFileData& data, std::string& error) {
  data = ModelFileData();
  error.clear();
  return Reader(bytes, size, data, error).Read(size);
}
