#pragma once
// The data of a location for tests and benchmarks: a scene of flat rectangles (one model file an
// object) declared in a resource list, and a script compiled from its source text, written file
// by file through a writer the caller gives (a fixture folder, a benchmark's temporary folder).

#include <functional>
#include <string>
#include <vector>

#include "source/model/ModelFile.h"
#include "source/model/ModelFileWriter.h"
#include "source/stream/cMemoryStream.h"
#include "Sources/adventure/script/LocationScriptFile.h"
#include "tools/content/scripts/ScriptSource.h"

// One object of a test scene: a rectangle in GUI units (y upward) with its kind letter and, as
// XML text, its animation states.
struct SceneObject {
  SceneObject(std::string name_, std::string kind_, float x_, float y_, float w_, float h_, std::string states_ = "")
      : name(std::move(name_)), kind(std::move(kind_)), x(x_), y(y_), w(w_), h(h_), states(std::move(states_)) {}
  std::string name;
  std::string kind;
  float x, y, w, h;
  std::string states;
};

using WriteDataFile = std::function<void(const std::string& relative, const std::string& bytes)>;

inline std::string StreamBytes(cMemoryStream& stream) {
  return std::string(reinterpret_cast<const char*>(stream.GetData()), stream.GetSize());
}

// A rectangle model as the content tool makes one, at z 0.
inline std::string QuadModelBytes(float x, float y, float w, float h) {
  ModelFileData d;
  d.flags = kModelStatic | kModelTriangleList;
  const auto corner = [](float px, float py, float u, float v) {
    return ModelFileVertex{u, v, Vector3(0, 0, -1), Vector3(px, py, 0)};
  };
  d.vertices = {corner(x, y, 0, 0), corner(x + w, y, 1, 0), corner(x, y + h, 0, 1), corner(x + w, y + h, 1, 1)};
  d.vertex_count = 4;
  d.indices = {0, 2, 1, 1, 2, 3};
  d.bounds = {ModelBox{Vector3(x, y, 0), Vector3(x + w, y + h, 0)}};
  cMemoryStream file;
  WriteModelFile(d, file);
  return StreamBytes(file);
}

// The "cnf" bytes of a script source; empty when it does not parse.
inline std::string ScriptBytesOf(const std::string& source) {
  ParsedScript parsed;
  std::vector<ScriptFault> faults;
  if (!ParseScriptSource(source, parsed, faults)) return std::string();
  cMemoryStream file;
  WriteLocationScript(*parsed.root, file);
  return StreamBytes(file);
}

// The scene "levels\<folder>\<name>" with its models, and its script when `source` is not empty.
inline void WriteLocationData(const WriteDataFile& write, const std::string& folder, const std::string& name,
                              const std::vector<SceneObject>& objects, const std::string& source) {
  std::string models;
  for (const SceneObject& object : objects) {
    models += "<model name=\"" + object.name + "\" kind=\"" + object.kind + "\">" + object.states + "</model>";
    write("levels/" + folder + "/" + object.name + ".mlf", QuadModelBytes(object.x, object.y, object.w, object.h));
  }
  write("levels/" + folder + "/" + name + "_scene.resource",
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<resources><resource name=\"levels\\" + folder + "\\" + name +
            "\" type=\"scene\"><models>" + models + "</models></resource></resources>\n");
  if (!source.empty()) write("levels/" + folder + "/" + name + ".cnf", ScriptBytesOf(source));
}
