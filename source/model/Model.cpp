#include "source/model/Model.h"

#include "source/log/cLog.h"
#include "source/model/ModelFile.h"
#include "source/model/ModelLoaderManager.h"

namespace {
constexpr const char* kSource = "source\\model\\Model";
constexpr uint32_t kVisibleFlag = 0x40000;
}  // namespace

Model::Model(std::string name) : m_name(std::move(name)) {}

Model::Model(std::string name, uint32_t vertex_count, uint32_t index_count, uint32_t flags)
    : m_name(std::move(name)),
      m_flags(flags),
      m_primitive((flags & kModelTriangleList) ? kTriangleList : kTriangleStrip),
      m_vertex_count(vertex_count),
      m_index_count(index_count),
      m_indices(index_count, flags & kModelBufferUsage),
      m_vertices(vertex_count, flags & kModelBufferUsage) {}

Model::~Model() = default;

bool Model::Load(const std::string& name, cStream& stream) {
  m_name = name;
  std::string refusal;
  const bool loaded = ModelLoaderManager::GetInstance()->Load(*this, stream, &refusal);
  if (!loaded) {
    if (refusal.empty()) refusal = "no model loader reads it";
    LogReport(kLogWarning, kSource, __LINE__, "model %s: not read (%s)", name.c_str(), refusal.c_str());
  }
  m_flags &= ~kVisibleFlag;
  return loaded;
}

uint32_t Model::GetFaceCount() const {
  if (m_primitive == kTriangleList) return m_index_count / 3;
  return m_index_count >= 3 ? m_index_count - 2 : 0;
}
