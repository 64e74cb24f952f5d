// Shader files: what the writer writes the reader reads back byte for byte, each stage keeps only
// the fields its animation uses, and short, foreign or overfull files are refused or trimmed with
// the log lines the game's data people know.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "source/shaders/ShaderFile.h"
#include "source/stream/Encoding.h"
#include "source/stream/cMemoryStream.h"
#include "tests/source/render/RenderTestSupport.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Write(const ShaderDescriptor& d) {
  cMemoryStream file;
  EXPECT_TRUE(WriteShaderFile(file, d));
  EXPECT_EQ(file.Tell(), file.GetSize());  // left at its end, for whatever a caller writes next
  return Bytes(file.GetData(), file.GetData() + file.GetSize());
}

bool Read(const Bytes& bytes, ShaderDescriptor& d) {
  cMemoryStream file;
  if (!bytes.empty()) file.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
  file.Seek(0, 0);
  return ReadShaderFile(file, "shaders\\sample", d);
}

// A file built field by field through the program's own encoding.
struct Builder {
  cMemoryStream out;
  void U32(uint32_t v) { WriteUInt32(out, v); }
  void F32(float f) { WriteFloat(out, f); }
  void String(const std::string& s) { WriteString(out, s); }
  Bytes Done() { return Bytes(out.GetData(), out.GetData() + out.GetSize()); }
};
void SetU32(Bytes& b, std::size_t at, uint32_t v) {
  if (at + 4 <= b.size()) std::memcpy(b.data() + at, &v, 4);
}

ShaderDescriptor TwoStages() {
  ShaderDescriptor d("gui\\water", "gui\\water_alpha", true, kAnimationNet, 4, 2, 8, 8.0f, true);
  d.AddStage(kStageRandomStart, kAnimationRotatoryBoth, 1, 1, 6, 2.5f, "fx\\glow", "", kAddressWrap);
  d.GetStage(1).scale = Vector2(0.5f, 2.0f);
  d.GetStage(1).offset = Vector2(0.25f, -0.75f);
  d.SetColor2(Vector4(0.1f, 0.2f, 0.3f, 0.4f));
  d.SetValueA(7.5f);
  d.SetValueB(-1.0f);
  d.AddFlags(kShaderRandom);
  return d;
}

class ShaderFileTest : public RenderTest {};

TEST_F(ShaderFileTest, WhatIsWrittenIsReadBackByteForByte) {
  ShaderDescriptor sequence("anim\\walk", "", false, kAnimationSequence, 16, 32, 12, 1.5f, false);
  sequence.SetBlend(9, 2);
  const ShaderDescriptor cases[] = {ShaderDescriptor(), ShaderDescriptor("gui\\button", "", false),
                                    ShaderDescriptor("", "gui\\mask", false), sequence, TwoStages()};
  for (const ShaderDescriptor& original : cases) {
    const Bytes bytes = Write(original);
    ShaderDescriptor read;
    ASSERT_TRUE(Read(bytes, read));
    EXPECT_TRUE(read.SameDescription(original));
    EXPECT_EQ(Write(read), bytes);
  }
}

TEST_F(ShaderFileTest, AHandMadeFileStoresOnlyWhatEachAnimationUses) {
  Builder f;
  f.U32(0);
  f.out.Write("EESRF", 5);
  f.U32(211);
  f.U32(kShaderBlend);
  for (int colour = 0; colour < 4; ++colour) {
    for (float c : {1.0f, 0.5f, 0.25f, 1.0f}) f.F32(c);
  }
  f.F32(2.0f);  // value A
  f.F32(3.0f);  // value B
  f.U32(4);
  f.U32(5);
  f.U32(2);
  // Stage 1: not animated, so no frame count, speed or net size.
  f.U32(kStageMipMap);
  f.U32(kAnimationNone);
  f.String("Textures/Sky.TGA");
  f.String("");
  f.U32(0);
  f.U32(1);
  for (float x : {2.0f, 1.0f, 0.5f, 0.0f}) f.F32(x);
  // Stage 2: rotatory, so frame count and speed but no net size.
  f.U32(0);
  f.U32(kAnimationRotatoryDiffuse);
  f.U32(5);
  f.F32(10.0f);
  f.String("fx\\spark.jpg");
  f.String("fx\\spark_a");
  f.U32(1);
  f.U32(1);
  for (float x : {1.0f, 1.0f, 0.0f, 0.0f}) f.F32(x);
  Bytes b = f.Done();
  SetU32(b, 0, static_cast<uint32_t>(b.size()));

  ShaderDescriptor d;
  ASSERT_TRUE(Read(b, d));
  ASSERT_EQ(d.GetStageCount(), 2u);
  EXPECT_EQ(d.m_source_blend, 4u);
  EXPECT_EQ(d.m_value_b, 3.0f);
  EXPECT_EQ(d.m_color1, Vector4(1.0f, 0.5f, 0.25f, 1.0f));
  const ShaderStage& sky = d.GetStage(0);
  EXPECT_EQ(sky.diffuse, "textures\\sky");  // folders kept, case and extension dropped
  EXPECT_EQ(sky.frame_count, 0u);
  EXPECT_EQ(sky.address_u, 0u);
  EXPECT_EQ(sky.address_v, 1u);
  EXPECT_EQ(sky.scale, Vector2(2.0f, 1.0f));
  EXPECT_EQ(sky.offset, Vector2(0.5f, 0.0f));
  const ShaderStage& spark = d.GetStage(1);
  EXPECT_EQ(spark.frame_count, 5u);
  EXPECT_EQ(spark.speed, 10.0f);
  EXPECT_EQ(spark.net_width, 1u);
  EXPECT_EQ(spark.diffuse, "fx\\spark");
  EXPECT_EQ(spark.opacity, "fx\\spark_a");
}

TEST_F(ShaderFileTest, DamagedFilesAreRefusedWithADefaultShader) {
  const Bytes good = Write(TwoStages());
  struct Case {
    const char* what;
    Bytes bytes;
    const char* logged;
  };
  std::vector<Case> cases;
  Bytes short_size = good;
  SetU32(short_size, 0, static_cast<uint32_t>(good.size() - 1));
  cases.push_back({"size one less", short_size, "Incorrect \"shaders\\sample\" file format"});
  Bytes magic = good;
  magic[8] = 'X';
  cases.push_back({"magic", magic, "Incorrect \"shaders\\sample\" file format"});
  Bytes version = good;
  SetU32(version, 9, 210);
  cases.push_back({"version", version, "Incorrect \"shaders\\sample\" version, current is 211"});
  Bytes stages = good;
  SetU32(stages, 97, 0x7FFFFFFF);
  cases.push_back({"stage count", stages, "file format"});
  Bytes name = good;
  SetU32(name, 101 + 24, 0xFFFFFFF0);  // the first stage's diffuse name length
  cases.push_back({"name length", name, "file format"});
  for (std::size_t cut = 0; cut < good.size(); ++cut) {
    Bytes truncated(good.begin(), good.begin() + static_cast<long>(cut));
    if (cut >= 4) SetU32(truncated, 0, static_cast<uint32_t>(cut));  // consistent size: the body is short
    cases.push_back({"truncated", truncated, "Incorrect"});
  }
  for (const Case& c : cases) {
    ShaderDescriptor d = TwoStages();
    EXPECT_FALSE(Read(c.bytes, d)) << c.what;
    EXPECT_TRUE(d.SameDescription(ShaderDescriptor())) << c.what;
    EXPECT_TRUE(LogHas(c.logged)) << c.what;
  }
}

TEST_F(ShaderFileTest, AThirdStageIsDroppedAndTheSecondKept) {
  Bytes b = Write(TwoStages());
  const ShaderDescriptor first_only("gui\\water", "gui\\water_alpha", true, kAnimationNet, 4, 2, 8, 8.0f, true);
  const Bytes second(b.begin() + static_cast<long>(Write(first_only).size()), b.end());  // stage 2's entry
  b.insert(b.end(), second.begin(), second.end());
  b.insert(b.end(), second.begin(), second.end());
  SetU32(b, 97, 4);
  SetU32(b, 0, static_cast<uint32_t>(b.size()));
  ShaderDescriptor d;
  ASSERT_TRUE(Read(b, d));
  EXPECT_TRUE(d.SameDescription(TwoStages()));
  EXPECT_TRUE(LogHas("Shader Stages: buffer is overflowed"));
}

}  // namespace
