// Shaders described in resource lists: what each attribute does to the descriptor, and a shader
// that names a texture in a subfolder finds that texture from the folder and from the pack alike.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "source/Resources/cResourcePtr.h"
#include "source/path/Paths.h"
#include "source/render/RenderManager.h"
#include "source/shaders/ShaderRef.h"
#include "source/shaders/ShaderXml.h"
#include "source/stream/cMemoryStream.h"
#include "source/texture/Texture2D_D3D7.h"
#include "source/texture/TgaImageLoader.h"
#include "source/xml/XmlDocument.h"
#include "tests/source/render/RenderTestSupport.h"
#include "tests/source/texture/ImageTestUtil.h"
#include "tests/support/Found.h"
#include "tests/support/fixtures/ResourceFixtures.h"

namespace {

ShaderDescriptor FromXml(const std::string& attributes) {
  const std::string text = "<resource name=\"s\" type=\"shader\" " + attributes + "/>";
  cMemoryStream stream;
  stream.Write(text.data(), static_cast<uint32_t>(text.size()));
  stream.Seek(0, 0);
  XmlDocument document;
  EXPECT_TRUE(document.Load(stream)) << text;
  return ShaderDescriptorFromXml(document.GetRoot());
}

struct XmlCase {
  const char* attributes;
  uint32_t flags, stages, stage_flags, animation, address_u, address_v;
  const char* diffuse;
};

TEST(ShaderXmlTest, AttributesShapeTheDescriptor) {
  const XmlCase cases[] = {
      // An opacity texture alone: blending and no stage.
      {"opacity=\"gui\\mask\"", kShaderBlend, 0, 0, 0, 1, 1, ""},
      // A plain shader ignores "mipmap"; its stage takes the descriptor's flags of that moment.
      {"diffuse=\"gui\\sky\" mipmap=\"true\"", 0, 1, 0, 0, 1, 1, "gui\\sky"},
      {"diffuse=\"gui\\sky\" opacity=\"gui\\sky_a\" mipmap=\"false\"", kShaderBlend, 1, kStageMipMap, 0, 1, 1, "gui\\sky"},
      {"diffuse=\"gui\\sky\" clamp=\"true\"", 0, 1, 0, 0, 0, 0, "gui\\sky"},
      // Animated: "mipmap" counts, "clamp" clamps both ways, names are exact.
      {"diffuse=\"a\" animation=\"SSAT_NET\" mipmap=\"true\" clamp=\"true\"", 0, 1, kStageMipMap, kAnimationNet, 0, 0, "a"},
      {"diffuse=\"a\" animation=\"ssat_net\"", 0, 1, 0, kAnimationNone, 1, 1, "a"},
      {"diffuse=\"a\" animation=\"SSAT_ROTATORY_DIFFUSE_AND_OPACITY_MAPS\"", 0, 1, 0, kAnimationRotatoryBoth, 1, 1, "a"},
      // "random" marks the descriptor, not its stage.
      {"diffuse=\"a\" random=\"true\"", kShaderRandom, 1, 0, 0, 1, 1, "a"},
      // Folders stay, case and extension go, '/' becomes '\'.
      {"diffuse=\"Textures/FX/Glow.TGA\"", 0, 1, 0, 0, 1, 1, "textures\\fx\\glow"},
      {"diffuse=\"fx/glow.v2.tga\"", 0, 1, 0, 0, 1, 1, "fx\\glow.v2"},  // a dot of the name stays
      {"diffuse=\"fx\\glow.v2\"", 0, 1, 0, 0, 1, 1, "fx\\glow.v2"},
      {"diffuse=\"a\" border=\"\" clamp_u=\"true\"", 0, 1, 0, 0, 0, 1, "a"},
  };
  for (const XmlCase& c : cases) {
    const ShaderDescriptor d = FromXml(c.attributes);
    EXPECT_EQ(d.m_flags, c.flags) << c.attributes;
    ASSERT_EQ(d.GetStageCount(), c.stages) << c.attributes;
    EXPECT_EQ(d.m_source_blend, (c.flags & kShaderBlend) ? 4u : 0u) << c.attributes;
    EXPECT_EQ(d.m_dest_blend, (c.flags & kShaderBlend) ? 5u : 0u) << c.attributes;
    if (c.stages == 0) continue;
    const ShaderStage& s = d.GetStage(0);
    EXPECT_EQ(s.flags, c.stage_flags) << c.attributes;
    EXPECT_EQ(s.animation, c.animation) << c.attributes;
    EXPECT_EQ(s.address_u, c.address_u) << c.attributes;
    EXPECT_EQ(s.address_v, c.address_v) << c.attributes;
    EXPECT_EQ(s.diffuse, c.diffuse) << c.attributes;
  }
}

TEST(ShaderXmlTest, NetsAndBordersTakeTheirNumbers) {
  const ShaderStage s = FromXml(
      "diffuse=\"fx\\net\" animation=\"SSAT_NET\" net_width=\"4\" net_height=\"2\" fcount=\"8\" speed=\"8.5\" "
      "border=\"1\" texture_scale=\"0.25 0.5\" texture_offset=\"0.1 0.2\" clamp_v=\"true\"").GetStage(0);
  EXPECT_EQ(std::vector<uint32_t>({s.net_width, s.net_height, s.frame_count, s.address_u, s.address_v}),
            std::vector<uint32_t>({4, 2, 8, 1, 0}));
  EXPECT_EQ(s.speed, 8.5f);
  EXPECT_EQ(s.scale, Vector2(0.25f, 0.5f));
  EXPECT_EQ(s.offset, Vector2(0.1f, 0.2f));
  // Without "border" the transform stays the identity.
  EXPECT_EQ(FromXml("diffuse=\"a\" texture_scale=\"3 3\"").GetStage(0).scale, Vector2(1.0f, 1.0f));
}

class ShaderPackTest : public RenderTest {
 protected:
  void TearDown() override {
    SetCurrentDir(m_previous_dir);
    RenderTest::TearDown();
  }
  static std::string Tga(const Image& image) {
    cMemoryStream file;
    TgaImageLoader().Save(image, file);
    return std::string(reinterpret_cast<const char*>(file.GetData()), file.GetSize());
  }
  // The stage texture's first pixel's red, as drawn, and its colour file's name.
  static std::string SeenThrough(const std::string& shader) {
    ShaderRef ref = ShaderRef::FromResource(shader);
    if (!ref || ref->GetStageTexture(0) == nullptr) return "no texture";
    const TextureHandle* texture = ref->GetStageTexture(0);
    Texture2D_D3D7& drawn = Found(texture->GetTexture());
    drawn.Bind(0);
    gfx::SurfaceDesc locked;
    if (!drawn.GetSurface() || gfx::Failed(drawn.GetSurface()->Lock(nullptr, locked, 0))) return "no picture";
    const int red = static_cast<const uint8_t*>(locked.memory)[2];  // B, G, R, A
    drawn.GetSurface()->Unlock(nullptr);
    return texture->GetColorFile() + " " + std::to_string(red);
  }
  std::string m_previous_dir = os::GetCurrentDirectory();
};

TEST_F(ShaderPackTest, ATextureInASubfolderIsFoundBeforeAndAfterPacking) {
  FixtureTree tree(m_dir.Path(), "data");
  tree.AddFile("textures/fx/glow.tga", Tga(Solid(4, 4, {200, 10, 10})))
      .AddFile("textures/glow.tga", Tga(Solid(4, 4, {7, 7, 7})))
      .AddFile("shaders/shaders.resource",
               "<resources><resource name=\"shaders\\glow\" type=\"shader\" diffuse=\"Textures/FX/glow.tga\" "
               "animation=\"SSAT_NET\" net_width=\"2\" net_height=\"2\" fcount=\"4\" speed=\"1\"/></resources>");
  RenderManager::GetInstance();  // registers "shader" and "texture" before the folder is read
  SetCurrentDir(m_dir.Path());
  cResourceManager::GetInstance()->AddDirectory("data");
  EXPECT_EQ(SeenThrough("shaders\\glow"), "textures\\fx\\glow 200");

  ASSERT_TRUE(tree.WritePack(m_dir.Path() + "/packed"));
  DestroySingletons();
  RenderTest::SetUp();
  RenderManager::GetInstance();
  SetCurrentDir(m_dir.Path());
  cResourceManager::GetInstance()->AddDirectory("packed");
  cResourcePtr<cShaderResource> shader;
  ASSERT_TRUE(shader.Assign("shaders\\glow"));
  EXPECT_FALSE(shader->IsDescribedInXml());  // read from the pack's shader file
  EXPECT_EQ(shader->GetDescriptor().GetStage(0).animation, kAnimationNet);
  EXPECT_EQ(SeenThrough("shaders\\glow"), "textures\\fx\\glow 200");
}

}  // namespace
