// Model files: every flag combination written and read back, files made byte by byte, and damaged
// files (every truncation, absurd counts, indices naming nothing) refused without allocating what
// they merely claim.

#include <gtest/gtest.h>

#include <cstring>
#include <typeinfo>

#include "source/model/ColorController.h"
#include "source/model/ModelFileReader.h"
#include "source/model/MorphController.h"
#include "source/model/NodeAnimationController.h"
#include "source/model/TransformController.h"
#include "tests/source/model/ModelTestUtil.h"
#include "tests/source/render/RenderTestSupport.h"
#include "tests/support/DamagedCopies.h"
#include "tests/support/Found.h"

namespace {

using Bytes = std::vector<uint8_t>;

const uint32_t kFlagBits[] = {kModelStatic, kModelMorph, kModelNodes, kModelTriangleList, kModelTransformTrack,
                              kModelColorTrack};

Bytes BytesOf(const ModelFileData& data) {
  cMemoryStream file = FileOf(data);
  return Bytes(file.GetData(), file.GetData() + file.GetSize());
}

ModelFileStatus Read(const Bytes& bytes, ModelFileData& data) {
  std::string error;
  return ReadModelFile(bytes.data(), bytes.size(), data, error);
}

// Little-endian pieces of a file made by hand; the size field is filled in last.
struct HandFile {
  HandFile() {
    static const uint8_t kStart[13] = {0, 0, 0, 0, 'E', 'E', 'M', 'L', 'F', 202, 0, 0, 0};
    Raw(kStart, sizeof kStart);
  }
  Bytes bytes;
  HandFile& U16(uint16_t v) { return Raw(&v, 2); }
  HandFile& U32(uint32_t v) { return Raw(&v, 4); }
  HandFile& F32s(std::initializer_list<float> values) {
    for (float v : values) Raw(&v, 4);
    return *this;
  }
  HandFile& Raw(const void* p, std::size_t n) {
    bytes.insert(bytes.end(), static_cast<const uint8_t*>(p), static_cast<const uint8_t*>(p) + n);
    return *this;
  }
  Bytes Done(int size_error = 0) const {
    Bytes out = bytes;
    const uint32_t size = static_cast<uint32_t>(out.size()) + size_error;
    std::memcpy(out.data(), &size, 4);
    return out;
  }
};

TEST(ModelFile, EveryFlagCombinationReadsBackAsWritten) {
  for (uint32_t mask = 0; mask < 64; ++mask) {
    uint32_t flags = 0;
    for (int bit = 0; bit < 6; ++bit) {
      if (mask & (1u << bit)) flags |= kFlagBits[bit];
    }
    const ModelFileData written = SampleModel(flags);
    std::string why;
    ASSERT_TRUE(IsWritableModel(written, &why)) << std::hex << flags << ": " << why;
    ModelFileData read;
    ASSERT_EQ(Read(BytesOf(written), read), ModelFileStatus::kRead) << std::hex << flags;
    EXPECT_EQ(read, written) << std::hex << flags;

    CountedPtr<Model> model = ModelOf(read);
    EXPECT_EQ(model->m_flags, flags == 0 ? kModelBufferUsage : flags);
    EXPECT_EQ(model->m_primitive, (flags & kModelTriangleList) ? uint32_t{kTriangleList} : uint32_t{kTriangleStrip});
    std::vector<const std::type_info*> kinds;
    for (const auto& c : model->m_controllers) kinds.push_back(&typeid(*c));
    std::vector<const std::type_info*> expected;
    if (flags & kModelNodes) expected.push_back(&typeid(NodeAnimationController));
    else if (flags & kModelMorph) expected.push_back(&typeid(MorphController));
    else if (flags & kModelTransformTrack) expected.push_back(&typeid(TransformController));
    if (flags & kModelColorTrack) expected.push_back(&typeid(ColorController));
    EXPECT_EQ(kinds, expected) << std::hex << flags;
  }
}

TEST(ModelFile, HandMadeFilesLoadAsLaidOut) {
  // Flags 0: a strip with indices and bounds and no vertex data.
  CountedPtr<Model> model(new Model("m"));
  cMemoryStream plain;
  const Bytes flags_zero = HandFile().U32(0).U32(3).U32(3).U16(0).U16(1).U16(2).F32s({0, 0, 0, 1, 2, 3}).Done();
  plain.Write(flags_zero.data(), static_cast<uint32_t>(flags_zero.size()));
  ASSERT_TRUE(model->Load("m", plain));
  EXPECT_EQ(model->m_flags, kModelBufferUsage);
  EXPECT_EQ(model->m_primitive, uint32_t{kTriangleStrip});
  EXPECT_EQ(model->m_frame_count, 1u);
  EXPECT_EQ(model->m_box.m_local_max, Vector3(1, 2, 3));
  EXPECT_EQ(Found(model->m_vertices->GetVertex(2)).diffuse, 0xFFFFFFFFu) << "vertices are white";

  // Flags 0x9: a static list, 32 bytes a vertex in the order u, v, normal, position.
  const Bytes static_list = HandFile().U32(0x9).U32(3).U32(1).U16(0).U16(0).U16(0)
                                .F32s({0.25f, 0.75f, 0, 0, -1, 5, 6, 7}).F32s({0, 0, 0, 1, 1, 1}).Done();
  ModelFileData data;
  ASSERT_EQ(Read(static_list, data), ModelFileStatus::kRead);
  CountedPtr<Model> list = ModelOf(data);
  const Vertex& v = Found(list->m_vertices->GetVertex(0));
  EXPECT_EQ((std::vector<float>{v.u, v.v, v.nz, v.x, v.y, v.z}), (std::vector<float>{0.25f, 0.75f, -1, 5, 6, 7}));
  EXPECT_EQ(list->m_primitive, uint32_t{kTriangleList});

  // A node model of 0 frames reads no keys.
  const Bytes no_frames = HandFile().U32(0xC).U32(0).U32(7).F32s({0}).U16(1).Raw("\0\0\0\0\0", 5)
                              .F32s({0, 0, 0, 1, 1, 1}).U16(0).U16(0).U32(0).U32(0).F32s({0, 0, 0, 0, 0, 0}).Done();
  ASSERT_EQ(Read(no_frames, data), ModelFileStatus::kRead);
  EXPECT_EQ(data.frame_count, 0u);
  EXPECT_TRUE(data.node_keys.empty());

  // A transform track only: no counts, no bounds, one key a frame.
  const Bytes transform = HandFile().U32(kModelTransformTrack).U32(1).U32(0).F32s({0})
                              .F32s({1, 2, 3, 0, 0, 0, 1, 1, 1, 1}).Done();
  ASSERT_EQ(Read(transform, data), ModelFileStatus::kRead);
  EXPECT_EQ(data.transform_keys.front().position, Vector3(1, 2, 3));

  EXPECT_EQ(Read(HandFile().U32(0x9).U32(0).U32(0).F32s({0, 0, 0, 0, 0, 0}).Done(1), data),
            ModelFileStatus::kNotModelFile) << "a stored size one byte off";
  Bytes version = flags_zero;
  version[9] = 201;
  EXPECT_EQ(Read(version, data), ModelFileStatus::kNotModelFile);
}

std::size_t OffsetOf(const Bytes& file, float marker) {
  for (std::size_t i = 0; i + 4 <= file.size(); ++i) {
    float f;
    std::memcpy(&f, &file[i], 4);
    if (f == marker) return i;
  }
  return 0;
}

TEST(ModelFile, DamagedFilesAreRefused) {
  // Good files changed in one place: the marker weight finds the first influence (a vertex is u,
  // v, a u16 influence count, then u16 node and f32 weight per influence).
  ModelFileData marked = SampleModel(kModelNodes | kModelTriangleList);
  marked.skinned[0].influences[0].weight = 123.5f;
  const Bytes node_file = BytesOf(marked);
  const std::size_t weight = OffsetOf(node_file, 123.5f);
  ASSERT_GT(weight, 4u);
  Bytes missing_node = node_file;
  missing_node[weight - 2] = 9;
  Bytes five_influences = node_file;
  five_influences[weight - 4] = 5;
  Bytes missing_vertex = BytesOf(SampleModel(kModelStatic | kModelTriangleList));
  missing_vertex[25] = 4;  // the first index (after size, magic, version, flags and two counts)
  struct Case {
    const char* name;
    Bytes file;
  };
  const Case cases[] = {
      {"index count beyond the file", HandFile().U32(0x9).U32(0xFFFFFFFF).U32(1).Done()},
      {"vertex count beyond the file", HandFile().U32(0x9).U32(0).U32(0x7FFFFFFF).Done()},
      {"morph frames beyond the file", HandFile().U32(0xA).U32(0xFFFFFFFF).U32(0).F32s({0}).U32(0).U32(0x10000).Done()},
      {"node keys beyond the file", HandFile().U32(0x4).U32(0x10000000).U32(0).F32s({0}).U16(1).Raw("\0\0\0\0\0", 5)
                                        .F32s({0, 0, 0, 0, 0, 0}).U16(0).U16(0).Done()},
      {"a node name longer than the file", HandFile().U32(0x4).U32(1).U32(0).F32s({0}).U16(1).Raw("\0", 1)
                                               .U32(0xFFFFFF00).Done()},
      {"vertices claimed without data", HandFile().U32(0x8).U32(0).U32(1000000).F32s({0, 0, 0, 0, 0, 0}).Done()},
      {"five influences", five_influences},
      {"an influence of a missing node", missing_node},
      {"an index of a missing vertex", missing_vertex},
  };
  for (const Case& c : cases) {
    ModelFileData data;
    EXPECT_EQ(Read(c.file, data), ModelFileStatus::kDamaged) << c.name;
  }
}

// The line that says a model was not read names what was wrong with its file.
class ModelLoadLog : public RenderTest {};

TEST_F(ModelLoadLog, ARefusedModelIsLoggedWithItsCause) {
  Bytes older = HandFile().U32(0x9).U32(0).U32(0).F32s({0, 0, 0, 0, 0, 0}).Done();
  older[9] = 201;
  Bytes cut = BytesOf(SampleModel(kModelStatic | kModelTriangleList));
  cut.resize(cut.size() / 2);
  struct Case {
    const char* name;
    Bytes file;
    const char* said;
  } const cases[] = {
      {"damaged", HandFile().U32(0x9).U32(0xFFFFFFFF).U32(1).Done(),
       "model damaged: not read (the file is damaged: more indices than the file holds)"},
      {"older", older, "model older: not read (it is of version 201; the game reads EEMLF model files of version 202)"},
      {"cut", cut, "model cut: not read (its stored size is not its size (cut short or padded);"},
      {"text", Bytes{'h', 'e', 'l', 'l', 'o'}, "model text: not read (its stored size is not its size"},
  };
  for (const Case& c : cases) {
    CountedPtr<Model> model(new Model(c.name));
    cMemoryStream stream;
    stream.Write(c.file.data(), static_cast<uint32_t>(c.file.size()));
    stream.Seek(0, 0);
    EXPECT_FALSE(model->Load(c.name, stream)) << c.name;
    EXPECT_TRUE(LogHas(c.said)) << c.name << "\n" << LogText();
  }
  EXPECT_FALSE(LogHas("model damaged: not read (the game reads")) << "a damaged file of the right version";
}

TEST(ModelFile, EveryTruncationIsRefusedAndEveryFlippedByteIsSafe) {
  for (uint32_t flags : {0x9u, 0xAu | kModelColorTrack, 0xCu, kModelTransformTrack}) {
    const Bytes file = BytesOf(SampleModel(flags));
    ForEachDamagedCopy(file, 1, 0xFF, [&file](const Bytes& damaged) {
      ModelFileData data;
      const ModelFileStatus status = Read(damaged, data);
      // A cut file never reads; a changed byte may still give a model, which must then build.
      EXPECT_TRUE(damaged.size() == file.size() || status != ModelFileStatus::kRead) << damaged.size();
      if (status == ModelFileStatus::kRead) ModelOf(data);
    });
  }
}

TEST(ModelFile, TheWriterRefusesRecordsTheReaderWouldNotTakeBack) {
  struct Case {
    const char* name;
    ModelFileData data;
  };
  ModelFileData short_vertices = SampleModel(kModelStatic);
  short_vertices.vertices.pop_back();
  ModelFileData stray_index = SampleModel(kModelStatic);
  stray_index.indices[0] = 4;
  ModelFileData frames = SampleModel(kModelStatic);
  frames.frame_count = 2;
  ModelFileData keys = SampleModel(kModelNodes);
  keys.node_keys.pop_back();
  ModelFileData five = SampleModel(kModelNodes);
  five.skinned[0].influences.resize(5);
  ModelFileData mesh = SampleModel(kModelTransformTrack);
  mesh.indices = {0};
  const Case cases[] = {{"vertices missing", short_vertices}, {"an index beyond", stray_index},
                        {"frames without animation", frames}, {"a node key missing", keys},
                        {"five influences", five}, {"a mesh in a transform track", mesh}};
  for (const Case& c : cases) {
    cMemoryStream out;
    EXPECT_FALSE(IsWritableModel(c.data)) << c.name;
    EXPECT_FALSE(WriteModelFile(c.data, out)) << c.name;
    EXPECT_EQ(out.GetSize(), 0u) << c.name;
  }
}

}  // namespace
