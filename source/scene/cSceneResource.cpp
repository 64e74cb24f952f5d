#include "source/scene/cSceneResource.h"

#include "source/log/cLog.h"
#include "source/model/AnimationController.h"
#include "source/render/RenderObject.h"
#include "source/scene/SceneHost.h"
#include "source/shaders/ShaderFile.h"
#include "source/shaders/ShaderRef.h"

namespace {

constexpr const char* kSource = "source\\scene\\cSceneResource";

// The shader the scene describes for the record, else the "shader" resource of its name.
ShaderRef ShaderOf(const SceneModelDesc& record) {
  if (record.inline_shader.empty()) return ShaderRef::FromResource(record.shader_name);
  cMemoryStream block;
  block.Write(record.inline_shader.data(), static_cast<uint32_t>(record.inline_shader.size()));
  block.Seek(0, 0);
  ShaderDescriptor descriptor;
  ReadShaderFile(block, record.name, descriptor);
  return ShaderRef::FromDescriptor(descriptor);
}

}  // namespace

cSceneResource::~cSceneResource() { cSceneResource::Unload(); }

void cSceneResource::RegisterType() { cResourceManager::GetInstance()->RegisterResourceType<cSceneResource>(); }

void cSceneResource::LoadFromXml(const XmlNode& node) {
  SceneRecords records;
  ReadSceneXml(node, ResourceFolder(GetName()), records);
  m_records = std::move(records);
  ClearMore();
  ReadMoreXml(node);
  m_binary.Resize(0);
  m_binary.Seek(0, 0);
  WriteSceneRecords(m_records, m_binary);
  WriteMore(m_binary);
}

bool cSceneResource::WriteDeclaredData(cStream& stream) {
  const uint32_t size = m_binary.GetSize();
  m_binary.Seek(0, 0);
  return stream.CopyFrom(m_binary, cStream::kWholeStream) == size;
}

bool cSceneResource::ReadBinary(cMemoryStream& data) {
  if (GetSource().HasData()) return LoadData(data);
  data = cMemoryStream(m_binary);
  return true;
}

bool cSceneResource::Load() {
  cMemoryStream data;
  ReadBinary(data);
  std::string error;
  SceneRecords records;
  m_records = SceneRecords();
  ClearMore();
  if (data.GetSize() != 0) {
    if (ReadSceneRecords(data, records, error) && ReadMore(data, error)) {
      m_records = std::move(records);
    } else {
      ClearMore();
      LogReport(kLogError, kSource, __LINE__, "scene %s: damaged data (%s)", GetName().c_str(), error.c_str());
    }
  }
  CreateObjects();
  HideObjects();
  return true;
}

void cSceneResource::CreateObjects() {
  SceneHost* host = SceneHost::GetCurrent();
  for (const SceneModelDesc& record : m_records.models) {
    cResourcePtr<ModelResource> model;
    if (!model.Assign(record.model_name) || !model->GetModel()) continue;
    auto* object = new RenderObject(model->GetModel(), host != nullptr ? host->GetSceneCamera() : nullptr, 0);
    object->SetName(record.name);
    object->GetShaderHolder().SetShader(ShaderOf(record));
    for (const SceneAnimationState& state : record.states) {
      object->GetAnimation().AddAnimation(
          state.name, AnimationEntry::FromSpeed(state.name, state.first_frame, state.last_frame, state.loop, state.speed));
    }
    if (host != nullptr) host->EnterSceneModel(record.name, object);
    m_objects.push_back(object);
    m_models.push_back(model);
  }
}

void cSceneResource::HideObjects() {
  m_visible = false;
  for (RenderObject* object : m_objects) object->SetVisible(false);
}

bool cSceneResource::Unload() {
  for (RenderObject* object : m_objects) {
    if (SceneHost* host = SceneHost::GetCurrent()) host->LeaveSceneModel(object);
    delete object;
  }
  m_objects.clear();
  m_models.clear();
  return true;
}
