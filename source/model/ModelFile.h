#pragma once
// The "EEMLF" model file as data: one mesh and, by its flags, one kind of animation (none, vertex
// morphing, weighted nodes, or a whole-model transform track) and optionally a colour track. The
// reader (ModelFileReader.h) turns a file into this record, checking every count and index against
// the file; the writer (ModelFileWriter.h) turns the record back into exactly those bytes.
//
// Layout (little-endian; vec3 is three floats, quat four): u32 file size, "EEMLF", u32 version 202,
// u32 flags; with any animation flag u32 frame count, u32 first frame, f32 (kept, unused); with
// nodes u16 node count, the node records and node count x frame count 40-byte keys (frame by
// frame); unless transform-only u32 index count, u32 vertex count and the 16-bit indices; the
// vertex section of the kind; unless transform-only the bounds (one box, or one a frame with the
// morph flag).

#include <cstdint>
#include <string>
#include <vector>

#include "source/math/Quaternion.h"
#include "source/math/Vector.h"

inline constexpr uint32_t kModelFileVersion = 202;
inline constexpr char kModelFileMagic[5] = {'E', 'E', 'M', 'L', 'F'};
inline constexpr uint32_t kMaxInfluences = 4;

// Flag bits of a model file (and of a Model).
inline constexpr uint32_t kModelStatic = 0x1;
inline constexpr uint32_t kModelMorph = 0x2;
inline constexpr uint32_t kModelNodes = 0x4;
inline constexpr uint32_t kModelTriangleList = 0x8;
inline constexpr uint32_t kModelBufferUsage = 0x100000;  // handed to both buffers
inline constexpr uint32_t kModelTransformTrack = 0x10000000;
inline constexpr uint32_t kModelColorTrack = 0x20000000;
inline constexpr uint32_t kModelAnimated = kModelMorph | kModelNodes | kModelTransformTrack | kModelColorTrack;

// The vertex section a file holds: the first of nodes, morph and transform track that its flags
// name, else static vertices, else none.
enum class ModelKind { kNone, kStatic, kMorph, kNodes, kTransform };
ModelKind KindOfModel(uint32_t flags);

// Position, rotation and scale of a node or of the whole model at one frame (40 bytes).
struct ModelKey {
  Vector3 position;
  Quaternion rotation;
  Vector3 scale{1.0f, 1.0f, 1.0f};
  bool operator==(const ModelKey&) const = default;
};

struct ModelBox {
  Vector3 minimum;
  Vector3 maximum;
  bool operator==(const ModelBox&) const = default;
};

struct ModelFileNode {
  uint8_t bounds_flag = 0;  // 0: the node counts for the model's bounds
  std::string name;
  ModelBox box;
  uint16_t first_value = 0;  // kept with the node; nothing reads them
  uint16_t second_value = 0;
  bool operator==(const ModelFileNode&) const = default;
};

// A static or morph vertex as stored: u, v, normal, position (32 bytes).
struct ModelFileVertex {
  float u = 0.0f;
  float v = 0.0f;
  Vector3 normal;
  Vector3 position;
  bool operator==(const ModelFileVertex&) const = default;
};

// One node's part of a weighted vertex: its position and normal in that node's space.
struct ModelInfluence {
  uint16_t node = 0;
  float weight = 0.0f;
  Vector3 normal;
  Vector3 position;
  bool operator==(const ModelInfluence&) const = default;
};

struct ModelFileSkinnedVertex {
  float u = 0.0f;
  float v = 0.0f;
  std::vector<ModelInfluence> influences;  // at most kMaxInfluences
  bool operator==(const ModelFileSkinnedVertex&) const = default;
};

struct ModelFileData {
  uint32_t flags = 0;  // as stored (the loader reads 0 as kModelBufferUsage)
  uint32_t frame_count = 1;
  uint32_t first_frame = 0;
  float header_value = 0.0f;  // the animation header's float: kept, not used
  std::vector<ModelFileNode> nodes;
  std::vector<ModelKey> node_keys;  // frame by frame: node i of frame f is f x nodes + i
  std::vector<uint16_t> indices;
  uint32_t vertex_count = 0;  // the stored count; the vertex lists below must agree with it
  std::vector<ModelFileVertex> vertices;  // static: one a vertex; morph: frame by frame
  std::vector<ModelFileSkinnedVertex> skinned;
  std::vector<ModelKey> transform_keys;  // one a frame
  std::vector<ModelBox> bounds;  // one, or one a frame with the morph flag
  bool operator==(const ModelFileData&) const = default;
};
