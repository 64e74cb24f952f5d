#pragma once
// A model file format: fills a Model from a stream.

#include <string>

class Model;
class cStream;

class ModelLoader {
 public:
  virtual ~ModelLoader() = default;
  // True when the stream held a model of this format; the model then holds it.
  virtual bool Load(Model& model, cStream& stream) = 0;
  virtual bool Save(const Model& model, cStream& stream) = 0;
  // Why the last stream it refused was refused, for the log; empty when it cannot say.
  virtual std::string GetRefusal() const { return std::string(); }
};
