// Particle files of each version: written and read back byte for byte, every field at its place in
// the file, older versions reading the later fields as zero, and damaged files refused.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "source/particle/ParticleFile.h"
#include "source/stream/cMemoryStream.h"
#include "tests/source/particle/ParticleTestUtil.h"
#include "tests/source/render/RenderTestSupport.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Write(const ParticleFileData& d) {
  cMemoryStream file;
  EXPECT_TRUE(WriteParticleFile(file, d));
  return Bytes(file.GetData(), file.GetData() + file.GetSize());
}

bool Read(const Bytes& bytes, ParticleFileData& d) {
  cMemoryStream file;
  if (!bytes.empty()) file.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
  file.Seek(0, 0);
  return ReadParticleFile(file, "particle systems\\spark", d);
}

float FloatAt(const Bytes& b, std::size_t at) {
  float f;
  std::memcpy(&f, b.data() + at, 4);
  return f;
}
uint32_t U32At(const Bytes& b, std::size_t at) {
  uint32_t v;
  std::memcpy(&v, b.data() + at, 4);
  return v;
}

class ParticleFileTest : public RenderTest {};

TEST_F(ParticleFileTest, EachVersionIsReadBackByteForByte) {
  for (uint32_t version : {203u, 204u, 205u, 300u}) {
    ParticleFileData original = NumberedParticleFile(version);
    const Bytes bytes = Write(original);
    EXPECT_EQ(bytes.size(), ParticleFileSize(version)) << version;
    ParticleFileData read;
    ASSERT_TRUE(Read(bytes, read)) << version;
    EXPECT_EQ(Write(read), bytes) << version;
    // What a version does not store reads as zero.
    if (version != 205) {
      for (float& f : original.rotation) f = 0.0f;
      for (float& f : original.rotation_variance) f = 0.0f;
    }
    if (version == 203) {
      for (float& f : original.speed_variance) f = 0.0f;
    }
    EXPECT_EQ(read, original) << version;
  }
}

TEST_F(ParticleFileTest, FieldsSitWhereTheFileKeepsThem) {
  struct Place {
    uint32_t version;
    std::size_t offset;
    float expected;
  };
  const ParticleFileData d = NumberedParticleFile(205);
  const Place places[] = {
      {205, 17, d.cycle_duration},        {205, 22, d.gravity},
      {205, 27, d.floor_height},          {205, 36, d.min_speed_factor},
      {205, 41, d.emission[0]},           {205, 89 + 20, d.life_max[5]},
      {205, 113 + 16, d.direction[1].y},  {205, 257 + 12, d.color[0].w},
      {205, 377, d.speed[0]},             {205, 401, d.speed_variance[0]},
      {205, 429, d.box_min.x},            {205, 441 + 8, d.box_max.z},
      {205, 453, d.rotation[0]},          {205, 477 + 20, d.rotation_variance[5]},
      {204, 429, d.box_min.x},            {203, 401 + 4, d.box_min.x},
  };
  for (const Place& p : places) {
    ParticleFileData versioned = d;
    versioned.version = p.version;
    const Bytes bytes = Write(versioned);
    EXPECT_EQ(FloatAt(bytes, p.offset), p.expected) << p.version << " at " << p.offset;
  }
  const Bytes bytes = Write(d);
  EXPECT_EQ(std::string(bytes.begin() + 4, bytes.begin() + 9), "EEPSF");
  EXPECT_EQ(U32At(bytes, 13), d.max_particles);
  EXPECT_EQ(bytes[21], d.gravity_on);
  EXPECT_EQ(bytes[40], d.interpolate_emission);
  EXPECT_EQ(U32At(bytes, 425), d.emitter_shape);
}

TEST_F(ParticleFileTest, DamagedFilesAreRefused) {
  const Bytes good = Write(NumberedParticleFile(205));
  struct Case {
    const char* what;
    Bytes bytes;
    const char* logged;
  };
  std::vector<Case> cases;
  Bytes one_short = good;
  one_short[0] -= 1;
  cases.push_back({"size one less", one_short, "Incorrect \"particle systems\\spark\" file format"});
  Bytes magic = good;
  magic[4] = 'F';
  cases.push_back({"magic", magic, "file format"});
  Bytes old = good;
  old[9] = 202;
  cases.push_back({"version 202", old, "Incorrect \"particle systems\\spark\" format version, current is 205"});
  Bytes claims_newer = good;  // 205's length under the name of a 204 file: read as 204, the rest ignored
  claims_newer[9] = 204;
  for (std::size_t cut = 0; cut < good.size(); ++cut) {
    Bytes truncated(good.begin(), good.begin() + static_cast<long>(cut));
    if (cut >= 4) std::memcpy(truncated.data(), &cut, 4);  // a size that agrees: the body is short
    cases.push_back({"truncated", truncated, "Incorrect"});
  }
  for (const Case& c : cases) {
    ParticleFileData d;
    d.max_particles = 77;
    EXPECT_FALSE(Read(c.bytes, d)) << c.what << " " << c.bytes.size();
    EXPECT_EQ(d.max_particles, 77u) << c.what;  // left alone
    EXPECT_TRUE(LogHas(c.logged)) << c.what;
  }
  ParticleFileData d;
  EXPECT_TRUE(Read(claims_newer, d));
  EXPECT_EQ(d.version, 204u);
}

}  // namespace
