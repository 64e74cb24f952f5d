#include "source/model/ModelResource.h"

#include "source/stream/cMemoryStream.h"

void ModelResource::RegisterType() {
  cResourceManager* manager = cResourceManager::GetInstance();
  manager->RegisterResourceType<ModelResource>();
  manager->RegisterResourceExtension("mlf", kTypeName);
}

bool ModelResource::Load() {
  cMemoryStream data;
  LoadData(data);
  m_model.Reset(new Model(GetName()));
  return m_model->Load(GetName(), data);
}

bool ModelResource::Unload() {
  m_model.Release();
  return true;
}
