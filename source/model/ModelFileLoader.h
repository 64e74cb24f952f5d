#pragma once
// The "EEMLF" model loader: reads the file (ModelFileReader.h) and builds the model from it: its
// buffers (white vertices; static vertices in full, weighted ones with their texture coordinates
// only, morph ones at their first frame), its box and its controllers. A file of another format or
// version is refused quietly (another loader may read it); a damaged one is refused with a log
// line, and the model is left as it was.

#include "source/model/ModelLoader.h"

struct ModelFileData;

class ModelFileLoader : public ModelLoader {
 public:
  bool Load(Model& model, cStream& stream) override;
  bool Save(const Model& model, cStream& stream) override { return true; }
  std::string GetRefusal() const override { return m_refusal; }

 private:
  std::string m_refusal;
};

// Fills an empty model from a file record (for the loader, and for code that builds models in
// memory).
void BuildModel(ModelFileData data, Model& model);
