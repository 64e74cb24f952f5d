#include "source/model/ModelFileLoader.h"

#include <vector>

#include "source/log/cLog.h"
#include "source/model/ColorController.h"
#include "source/model/Model.h"
#include "source/model/ModelFileReader.h"
#include "source/model/MorphController.h"
#include "source/model/NodeAnimationController.h"
#include "source/model/TransformController.h"
#include "source/stream/cStream.h"

namespace {

constexpr const char* kSource = "source\\model\\ModelFileLoader";
constexpr uint32_t kWhite = 0xFFFFFFFF;

void Store(const ModelFileVertex& in, Vertex& out) {
  out.x = in.position.x;
  out.y = in.position.y;
  out.z = in.position.z;
  out.nx = in.normal.x;
  out.ny = in.normal.y;
  out.nz = in.normal.z;
  out.u = in.u;
  out.v = in.v;
}

std::shared_ptr<NodeAnimationData> NodeData(ModelFileData& data) {
  auto nodes = std::make_shared<NodeAnimationData>();
  nodes->frame_count = data.frame_count;
  nodes->nodes = std::move(data.nodes);
  nodes->keys = std::move(data.node_keys);
  nodes->vertices.resize(data.skinned.size());
  for (std::size_t i = 0; i < data.skinned.size(); ++i) {
    NodeWeightedVertex& out = nodes->vertices[i];
    out.count = static_cast<uint16_t>(data.skinned[i].influences.size());
    for (uint16_t k = 0; k < out.count; ++k) {
      const ModelInfluence& in = data.skinned[i].influences[k];
      out.slots[k] = NodeInfluence{in.node, in.weight, in.normal, in.position};
    }
  }
  return nodes;
}

void FillVertices(const ModelFileData& data, ModelKind kind, Model& model) {
  VertexBuffer_D3D7* buffer = model.m_vertices.Get();
  for (uint32_t i = 0; i < model.m_vertex_count; ++i) {
    Vertex& v = *buffer->GetVertex(i);
    v.diffuse = kWhite;
    if ((kind == ModelKind::kStatic || kind == ModelKind::kMorph) && i < data.vertices.size()) {
      Store(data.vertices[i], v);
    } else if (kind == ModelKind::kNodes) {
      v.u = data.skinned[i].u;
      v.v = data.skinned[i].v;
    }
  }
}

void AttachControllers(ModelFileData& data, ModelKind kind, Model& model) {
  switch (kind) {
    case ModelKind::kNodes:
      model.m_controllers.push_back(std::make_unique<NodeAnimationController>(NodeData(data), nullptr));
      break;
    case ModelKind::kMorph: {
      auto morph = std::make_shared<MorphData>();
      morph->frame_count = data.frame_count;
      morph->vertex_count = data.vertex_count;
      morph->frames = std::move(data.vertices);
      morph->boxes = std::move(data.bounds);
      model.m_controllers.push_back(std::make_unique<MorphController>(std::move(morph), nullptr));
      break;
    }
    case ModelKind::kTransform:
      model.m_controllers.push_back(std::make_unique<TransformController>(
          std::make_shared<const std::vector<ModelKey>>(std::move(data.transform_keys)), nullptr));
      break;
    default:
      break;
  }
  if (data.flags & kModelColorTrack) model.m_controllers.push_back(std::make_unique<ColorController>(nullptr));
}

}  // namespace

void BuildModel(ModelFileData data, Model& model) {
  const uint32_t flags = data.flags == 0 ? kModelBufferUsage : data.flags;
  const ModelKind kind = KindOfModel(flags);
  model.m_flags = flags;
  model.m_primitive = (flags & kModelTriangleList) ? kTriangleList : kTriangleStrip;
  model.m_frame_count = data.frame_count;
  model.m_first_frame = data.first_frame;
  model.m_vertex_count = data.vertex_count;
  model.m_index_count = static_cast<uint32_t>(data.indices.size());
  model.m_indices = IndexBufferHolder(model.m_index_count, flags & kModelBufferUsage);
  model.m_indices.Upload(data.indices.data(), model.m_index_count);
  model.m_vertices = VertexBufferHolder(model.m_vertex_count, flags & kModelBufferUsage);
  FillVertices(data, kind, model);
  if (!data.bounds.empty()) model.m_box.Set(data.bounds[0].minimum, data.bounds[0].maximum);
  model.m_controllers.clear();
  AttachControllers(data, kind, model);
}

bool ModelFileLoader::Load(Model& model, cStream& stream) {
  const uint32_t size = stream.GetSize();
  std::vector<uint8_t> bytes(size);
  stream.Seek(0, 0);
  m_refusal.clear();
  if (size != 0 && stream.Read(bytes.data(), size) != size) {
    m_refusal = "the stream gave fewer bytes than its size";
    return false;
  }
  ModelFileData data;
  std::string error;
  switch (ReadModelFile(bytes.data(), bytes.size(), data, error)) {
    case ModelFileStatus::kNotModelFile:
      m_refusal = error + "; the game reads EEMLF model files of version " + std::to_string(kModelFileVersion);
      return false;
    case ModelFileStatus::kDamaged:
      LogReport(kLogError, kSource, __LINE__, "model file %s is damaged: %s", model.m_name.c_str(), error.c_str());
      m_refusal = "the file is damaged: " + error;
      return false;
    case ModelFileStatus::kRead:
      break;
  }
  BuildModel(std::move(data), model);
  return true;
}
