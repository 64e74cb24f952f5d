#include "source/model/ModelFileWriter.h"

#include <limits>

#include "source/model/ModelFileBytes.h"
#include "source/stream/cStream.h"

namespace {

bool No(std::string* why, const char* text) {
  if (why != nullptr) *why = text;
  return false;
}

uint64_t VerticesStored(const ModelFileData& d) {
  switch (KindOfModel(d.flags)) {
    case ModelKind::kStatic: return d.vertex_count;
    case ModelKind::kMorph: return uint64_t{d.vertex_count} * d.frame_count;
    default: return 0;
  }
}

bool ListsAgree(const ModelFileData& d, std::string* why) {
  const ModelKind kind = KindOfModel(d.flags);
  const bool animated = (d.flags & kModelAnimated) != 0;
  if (!animated && (d.frame_count != 1 || d.first_frame != 0 || d.header_value != 0.0f)) {
    return No(why, "frames without an animation flag");
  }
  if ((d.flags & kModelNodes) == 0 && (!d.nodes.empty() || !d.node_keys.empty())) return No(why, "nodes without the node flag");
  if (d.nodes.size() > std::numeric_limits<uint16_t>::max()) return No(why, "more than 65535 nodes");
  if (d.node_keys.size() != uint64_t{d.nodes.size()} * d.frame_count) return No(why, "not one node key a node and frame");
  if (d.vertices.size() != VerticesStored(d)) return No(why, "the vertex list does not match the count and frames");
  if (d.skinned.size() != (kind == ModelKind::kNodes ? d.vertex_count : 0)) return No(why, "the weighted vertices do not match the count");
  if (d.transform_keys.size() != (kind == ModelKind::kTransform ? d.frame_count : 0)) return No(why, "not one transform key a frame");
  if (d.flags & kModelTransformTrack) {
    if (!d.indices.empty() || d.vertex_count != 0 || !d.bounds.empty()) return No(why, "a mesh in a transform-only model");
  } else if (d.bounds.size() != ((d.flags & kModelMorph) ? d.frame_count : 1u)) {
    return No(why, "not one box (a frame with morphing)");
  }
  return true;
}

bool ContentFits(const ModelFileData& d, std::string* why) {
  if (d.indices.size() > std::numeric_limits<uint32_t>::max()) return No(why, "too many indices");
  for (uint16_t index : d.indices) {
    if (index >= d.vertex_count) return No(why, "an index beyond the vertices");
  }
  if (d.vertices.empty() && d.skinned.empty() && d.vertex_count > d.indices.size()) return No(why, "more vertices than indices without vertex data");
  for (const ModelFileSkinnedVertex& v : d.skinned) {
    if (v.influences.size() > kMaxInfluences) return No(why, "more than four influences");
    for (const ModelInfluence& i : v.influences) {
      if (i.node >= d.nodes.size()) return No(why, "an influence of a missing node");
    }
  }
  for (const ModelFileNode& n : d.nodes) {
    if (n.name.size() > std::numeric_limits<uint32_t>::max()) return No(why, "a node name too long");
  }
  return true;
}

void WriteBody(const ModelFileData& d, ModelByteWriter& out) {
  out.Raw(kModelFileMagic, 5);
  out.U32(kModelFileVersion);
  out.U32(d.flags);
  if (d.flags & kModelAnimated) {
    out.U32(d.frame_count);
    out.U32(d.first_frame);
    out.F32(d.header_value);
  }
  if (d.flags & kModelNodes) {
    out.U16(static_cast<uint16_t>(d.nodes.size()));
    for (const ModelFileNode& n : d.nodes) {
      out.U8(n.bounds_flag);
      out.String(n.name);
      out.Box(n.box);
      out.U16(n.first_value);
      out.U16(n.second_value);
    }
    for (const ModelKey& k : d.node_keys) out.Key(k);
  }
  if ((d.flags & kModelTransformTrack) == 0) {
    out.U32(static_cast<uint32_t>(d.indices.size()));
    out.U32(d.vertex_count);
    for (uint16_t index : d.indices) out.U16(index);
  }
  for (const ModelFileVertex& v : d.vertices) out.Vertex(v);
  for (const ModelFileSkinnedVertex& v : d.skinned) {
    out.F32(v.u);
    out.F32(v.v);
    out.U16(static_cast<uint16_t>(v.influences.size()));
    for (const ModelInfluence& i : v.influences) {
      out.U16(i.node);
      out.F32(i.weight);
      out.Vec3(i.normal);
      out.Vec3(i.position);
    }
  }
  for (const ModelKey& k : d.transform_keys) out.Key(k);
  for (const ModelBox& b : d.bounds) out.Box(b);
}

}  // namespace

bool IsWritableModel(const ModelFileData& data, std::string* why) {
  return ListsAgree(data, why) && ContentFits(data, why);
}

bool WriteModelFile(const ModelFileData& data, cStream& stream) {
  if (!IsWritableModel(data)) return false;
  ModelByteWriter body;
  WriteBody(data, body);
  const uint64_t size = body.Bytes().size() + 4;
  if (size > std::numeric_limits<uint32_t>::max()) return false;
  ModelByteWriter file;
  file.U32(static_cast<uint32_t>(size));
  file.Raw(body.Bytes().data(), body.Bytes().size());
  return stream.Write(file.Bytes().data(), static_cast<uint32_t>(size)) == size;
}
