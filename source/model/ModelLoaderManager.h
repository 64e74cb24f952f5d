#pragma once
// Owns the model loaders ("EEMLF" files under "mlf") and asks them, in registration order, to
// read a model.

#include <memory>
#include <string>

#include "source/core/LoaderList.h"
#include "source/core/Singleton.h"
#include "source/model/ModelLoader.h"

class Model;
class cStream;

class ModelLoaderManager : public Singleton<ModelLoaderManager> {
 public:
  ModelLoaderManager();
  ~ModelLoaderManager() override;

  // Takes the loader and maps the extension to it; a loader registered already changes nothing.
  void RegisterLoader(const std::string& extension, std::unique_ptr<ModelLoader> loader);
  ModelLoader* GetLoader(const std::string& extension) const;
  // The first loader, front to back, that reads the stream; the stream is put back after each
  // refusal. When none reads it, `refusal` (if given) says why the last one that could tell refused.
  bool Load(Model& model, cStream& stream, std::string* refusal = nullptr);

 private:
  LoaderList<ModelLoader> m_loaders;
};
