#pragma once
// The records of a scene: named models for the GUI, each with its model file, shader, drawing
// order, animation speed, named animation states and the one-letter kind the game reads ("i",
// "b", "f"). Read from XML or from the binary form that packs keep, and written back to it.
//
// Binary form (little-endian; strings are a u32 byte length and the bytes):
//   u32 record count; per record: name; u32 state count and per state: name, u32 first frame,
//   u32 last frame, u8 loop, f32 speed; u32 order; f32 speed; model name; shader name; kind;
//   u32 length of an inline shader block and its bytes (an "EESRF" block, or none).
//   u32 shader entry count; per entry: name, then the shader as an "EESRF" block (which starts
//   with its own size).

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class cStream;
class XmlNode;

struct SceneAnimationState {
  std::string name;
  uint32_t first_frame = 0;
  uint32_t last_frame = 0;
  bool loop = false;
  float speed = 0.0f;
  bool operator==(const SceneAnimationState&) const = default;
};

struct SceneModelDesc {
  std::string model_name;   // the "model" resource
  std::string shader_name;  // the "shader" resource or shader entry
  std::string name;         // the key the GUI finds the object by
  std::vector<SceneAnimationState> states;
  int32_t order = 0;
  float speed = 0.0f;
  std::string kind = "i";
  std::vector<uint8_t> inline_shader;  // an "EESRF" block, or empty
  bool operator==(const SceneModelDesc&) const = default;
};

struct SceneRecords {
  std::vector<SceneModelDesc> models;
  std::map<std::string, std::vector<uint8_t>> shaders;  // name -> "EESRF" block
  bool operator==(const SceneRecords&) const = default;
};

// The folder part of a resource name, up to and including its last "\" (empty without one).
std::string ResourceFolder(const std::string& resource_name);

// Reads "models" and "shaders" below `node`; names are made full with `folder`. A model whose
// name is already held updates that record.
void ReadSceneXml(const XmlNode& node, const std::string& folder, SceneRecords& records);

bool WriteSceneRecords(const SceneRecords& records, cStream& stream);
// False, with `records` untouched, when the bytes are short or damaged; `error` says where.
bool ReadSceneRecords(cStream& stream, SceneRecords& records, std::string& error);
