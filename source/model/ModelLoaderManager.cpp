#include "source/model/ModelLoaderManager.h"

#include "source/model/ModelFileLoader.h"

ModelLoaderManager::ModelLoaderManager() { RegisterLoader("mlf", std::make_unique<ModelFileLoader>()); }

ModelLoaderManager::~ModelLoaderManager() = default;

void ModelLoaderManager::RegisterLoader(const std::string& extension, std::unique_ptr<ModelLoader> loader) {
  m_loaders.Register(extension, std::move(loader));
}

ModelLoader* ModelLoaderManager::GetLoader(const std::string& extension) const { return m_loaders.Find(extension); }

bool ModelLoaderManager::Load(Model& model, cStream& stream, std::string* refusal) {
  return m_loaders.ReadWithAny(stream, false, [&](ModelLoader& loader) {
    if (loader.Load(model, stream)) return true;
    const std::string why = loader.GetRefusal();
    if (refusal != nullptr && !why.empty()) *refusal = why;
    return false;
  });
}
