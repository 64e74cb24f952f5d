// Textures on the headless device: surface sizes, formats and mip chains, the pixels each level
// gets (resampled, spread from grey, red mip levels on request), the rebuild after a lost device,
// the "texture" resource and textures combined from a colour and an alpha file.

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>

#include "platform/os/os.h"
#include "source/Resources/cResourcePtr.h"
#include "source/path/Paths.h"
#include "source/render/DeviceResource.h"
#include "source/render/FrameStats.h"
#include "source/render/RenderManager.h"
#include "source/render/RenderSystem_D3D7.h"
#include "source/shaders/CombinedTextures.h"
#include "source/shaders/Shader.h"
#include "source/texture/JpegWriter.h"
#include "source/texture/Texture2D_D3D7.h"
#include "source/texture/TextureCombine.h"
#include "source/texture/TextureHandle.h"
#include "source/texture/TextureResource.h"
#include "source/texture/TgaImageLoader.h"
#include "tests/source/render/RenderTestSupport.h"
#include "tests/source/texture/ImageTestUtil.h"
#include "tests/support/Found.h"
#include "tests/support/fixtures/ResourceFixtures.h"

namespace {

struct Level {
  uint32_t width = 0, height = 0;
};

class TextureTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    ASSERT_TRUE(RenderManager::GetInstance()->IsStarted());
  }

  // A new device that offers what the script says.
  void RestartWith(const gfx::headless::Script& script) {
    DestroySingletons();
    gfx::headless::SetScript(script);
    cProperties::GetInstance()->SetValue("short_name", "tarvel");
    cProperties::GetInstance()->SetValue("log_directory", m_dir.Path());
    cLog::GetInstance()->Open();
    ASSERT_TRUE(RenderManager::GetInstance()->IsStarted());
  }

  std::unique_ptr<Texture2D_D3D7> Make(const Image& image, bool mip_maps) {
    auto texture = std::make_unique<Texture2D_D3D7>("t", mip_maps);
    texture->CreateSurface(&image);
    return texture;
  }

  static std::vector<Level> Chain(const Texture2D_D3D7& texture) {
    std::vector<Level> levels;
    for (std::shared_ptr<gfx::Surface> s = texture.GetSurface(); s;) {
      levels.push_back({s->Desc().width, s->Desc().height});
      std::shared_ptr<gfx::Surface> next;
      s->GetAttachedSurface(gfx::DDSCAPS_TEXTURE | gfx::DDSCAPS_MIPMAP, next);
      s = next;
    }
    return levels;
  }

  // Pixel (x, y) of a level as B, G, R, A bytes (32-bit formats).
  static Bytes Texel(const Texture2D_D3D7& texture, uint32_t level, uint32_t x, uint32_t y) {
    std::shared_ptr<gfx::Surface> s = texture.GetSurface();
    for (uint32_t i = 0; i < level && s; ++i) {
      std::shared_ptr<gfx::Surface> next;
      s->GetAttachedSurface(gfx::DDSCAPS_TEXTURE | gfx::DDSCAPS_MIPMAP, next);
      s = next;
    }
    gfx::SurfaceDesc locked;
    if (!s || gfx::Failed(s->Lock(nullptr, locked, 0))) return {};
    const uint8_t* p = static_cast<const uint8_t*>(locked.memory) + y * locked.pitch + x * 4;
    Bytes texel(p, p + 4);
    s->Unlock(nullptr);
    return texel;
  }
};

TEST_F(TextureTest, MipChainsHalveEachSideDownToOne) {
  struct Case {
    uint32_t width, height;
    std::vector<Level> chain;
  };
  const Case cases[] = {
      {256, 256, {{256, 256}, {128, 128}, {64, 64}, {32, 32}, {16, 16}, {8, 8}, {4, 4}, {2, 2}, {1, 1}}},
      {256, 64, {{256, 64}, {128, 32}, {64, 16}, {32, 8}, {16, 4}, {8, 2}, {4, 1}, {2, 1}, {1, 1}}},
  };
  for (const Case& c : cases) {
    auto texture = Make(Pattern(c.width, c.height, 24), true);
    const std::vector<Level> chain = Chain(*texture);
    ASSERT_EQ(chain.size(), c.chain.size()) << c.width << "x" << c.height;
    uint32_t memory = 0;
    for (std::size_t i = 0; i < chain.size(); ++i) {
      EXPECT_EQ(chain[i].width, c.chain[i].width);
      EXPECT_EQ(chain[i].height, c.chain[i].height);
      memory += 3 * c.chain[i].width * c.chain[i].height;
    }
    EXPECT_EQ(texture->GetMemory(), memory);
  }
  EXPECT_EQ(Chain(Found(Make(Pattern(256, 256, 24), false))).size(), 1u);
}

TEST_F(TextureTest, SurfaceSizeAndFormatFollowTheImage) {
  struct Case {
    Image image;
    uint32_t width, height;
    gfx::PixelFormat format;
  };
  const Case cases[] = {
      {Pattern(300, 300, 24), 256, 256, gfx::FormatX8R8G8B8()},
      {Pattern(1024, 768, 24), 1024, 1024, gfx::FormatX8R8G8B8()},  // a tie goes to the larger power
      {Pattern(4096, 2, 32), 2048, 2, gfx::FormatA8R8G8B8()},       // cut to the device's largest
      {Pattern(5, 3, 8), 4, 4, gfx::FormatX8R8G8B8()},
  };
  for (const Case& c : cases) {
    auto texture = Make(c.image, false);
    ASSERT_TRUE(texture->GetSurface());
    EXPECT_EQ(Found(texture->GetSurface()).Desc().width, c.width);
    EXPECT_EQ(Found(texture->GetSurface()).Desc().height, c.height);
    EXPECT_EQ(Found(texture->GetSurface()).Desc().format, c.format);
  }
  EXPECT_FALSE(Found(Make(Image(), true)).GetSurface());
}

TEST_F(TextureTest, LevelsGetTheirPictureAndMipLevelsShowRedWhenAsked) {
  // Image rows go to surface rows in order; sides that are not powers of two are resampled, not
  // painted white; grey is spread to colour; alpha is kept.
  Image two_rows = Solid(4, 2, {10, 20, 30, 40});
  two_rows.Row(1)[0] = 99;
  auto texture = Make(two_rows, false);
  EXPECT_EQ(Texel(*texture, 0, 0, 0), (Bytes{30, 20, 10, 40}));
  EXPECT_EQ(Texel(*texture, 0, 0, 1), (Bytes{30, 20, 99, 40}));
  EXPECT_EQ(Texel(Found(Make(Solid(300, 200, {200, 100, 50}), false)), 0, 255, 255), (Bytes{50, 100, 200, 255}));
  auto grey = Make(Solid(4, 4, {77}), false);
  EXPECT_EQ(Texel(*grey, 0, 3, 3), (Bytes{77, 77, 77, 255}));
  EXPECT_EQ(grey->GetMemory(), 3u * 16u);
  // Mip levels show red when asked.
  g_render_settings.show_mip_maps = true;
  auto mipped = Make(Solid(8, 8, {0, 255, 0}), true);
  EXPECT_EQ(Texel(*mipped, 0, 1, 1), (Bytes{0, 255, 0, 255}));
  EXPECT_EQ(Texel(*mipped, 1, 1, 1), (Bytes{0, 0, 255, 255}));
  EXPECT_EQ(Texel(*mipped, 3, 0, 0), (Bytes{0, 0, 255, 255}));
}

TEST_F(TextureTest, SixteenBitDevicesAndDevicesWithoutAFormat) {
  gfx::headless::Script script = gfx::headless::DefaultScript();
  script.texture_formats = {gfx::FormatA4R4G4B4(), gfx::FormatR5G6B5(), gfx::FormatA1R5G5B5()};
  RestartWith(script);
  EXPECT_EQ(Found(Found(Make(Pattern(4, 4, 24), false)).GetSurface()).Desc().format, gfx::FormatR5G6B5());
  EXPECT_EQ(Found(Found(Make(Pattern(4, 4, 32), false)).GetSurface()).Desc().format, gfx::FormatA1R5G5B5());
  script.texture_formats = {gfx::FormatA4R4G4B4()};
  RestartWith(script);
  EXPECT_FALSE(Found(Make(Pattern(4, 4, 24), false)).GetSurface());
  EXPECT_TRUE(LogHas("Failed to find texture format"));
}

TEST_F(TextureTest, ALostDeviceRebuildsEveryTexture) {
  auto texture = Make(Solid(16, 16, {1, 2, 3}), true);
  const std::shared_ptr<gfx::Surface> before = texture->GetSurface();
  RenderManager* manager = RenderManager::GetInstance();
  gfx::headless::LoseDevice(gfx::DDERR_WRONGMODE);
  manager->RenderFrame();
  EXPECT_FALSE(texture->GetSurface() && texture->GetSurface() != before) << "rebuilt before the device is back";
  gfx::headless::RegainDevice();
  // A reset tried while the device was still lost failed; the next ones wait a few frames.
  for (int frame = 0; frame < 100 && !texture->GetSurface(); ++frame) manager->RenderFrame();
  ASSERT_TRUE(texture->GetSurface());
  EXPECT_NE(texture->GetSurface(), before);
  EXPECT_EQ(Chain(*texture).size(), 5u);
  EXPECT_EQ(Texel(*texture, 0, 15, 15), (Bytes{3, 2, 1, 255}));
  EXPECT_EQ(Texel(*texture, 4, 0, 0), (Bytes{3, 2, 1, 255}));
}

class TextureResourceTest : public TextureTest {
 protected:
  void TearDown() override {
    TextureTest::TearDown();
    SetCurrentDir(m_previous_dir);
  }
  static std::string Tga(const Image& image) {
    cMemoryStream file;
    TgaImageLoader().Save(image, file);
    const Bytes bytes = BytesOf(file);
    return std::string(bytes.begin(), bytes.end());
  }
  static std::string Jpeg(const Image& image) {
    cMemoryStream file;
    WriteJpeg(image, file);
    const Bytes bytes = BytesOf(file);
    return std::string(bytes.begin(), bytes.end());
  }
  void Mount() {
    FixtureTree(m_dir.Path(), "data")
        .AddFile("textures/color.tga", Tga(Solid(8, 8, {200, 100, 0})))
        .AddFile("textures/alpha.tga", Tga(Solid(8, 8, {60})))
        .AddFile("textures/small_alpha.tga", Tga(Solid(4, 4, {60})))
        .AddFile("textures/odd_alpha.tga", Tga(Solid(6, 8, {60})))
        .AddFile("textures/photo.jpg", Jpeg(Solid(16, 8, {0, 0, 255})))
        .AddFile("textures/disguised.tga", Jpeg(Solid(8, 8, {255, 255, 255})))
        .AddFile("textures/broken.tga", "not a picture");
    SetCurrentDir(m_dir.Path());
    cResourceManager::GetInstance()->AddDirectory("data");
  }
  std::string m_previous_dir = os::GetCurrentDirectory();
};

// The texture's surface once it has been drawn: it is built on its first bind.
bool SurfaceWhenBound(Texture2D_D3D7* texture) {
  texture->Bind(0);
  return texture->GetSurface() != nullptr;
}

TEST_F(TextureResourceTest, ImageFilesBecomeTextures) {
  Mount();
  struct Case {
    const char* name;
    uint32_t width, bits;
  };
  const Case cases[] = {{"textures\\color", 8, 24}, {"textures\\photo", 16, 24}, {"textures\\disguised", 8, 24}};
  for (const Case& c : cases) {
    cResourcePtr<TextureResource> texture;
    ASSERT_TRUE(texture.Assign(c.name)) << c.name;
    ASSERT_TRUE(texture->GetImage()) << c.name;
    EXPECT_EQ(Found(texture->GetImage()).GetWidth(), c.width) << c.name;
    EXPECT_EQ(Found(texture->GetImage()).GetBitsPerPixel(), c.bits) << c.name;
    EXPECT_FALSE(Found(Found(texture->GetHandle()).GetTexture()).GetSurface())
        << c.name << ": built before it was drawn";
    EXPECT_TRUE(SurfaceWhenBound(Found(texture->GetHandle()).GetTexture())) << c.name;
  }
  cResourcePtr<TextureResource> broken;
  ASSERT_TRUE(broken.Assign("textures\\broken"));
  EXPECT_TRUE(Found(broken->GetImage()).IsEmpty());
  EXPECT_FALSE(SurfaceWhenBound(Found(broken->GetHandle()).GetTexture()));
  EXPECT_TRUE(LogHas("texture textures\\broken: no picture"));
}

// A picture cut short is drawn as far as it goes, and the log names its file and how far that is.
TEST_F(TextureResourceTest, APictureCutShortIsDrawnAndItsFileNamedInTheLog) {
  const std::string tga = Tga(Pattern(16, 8, 24));
  const std::string jpeg = Jpeg(Pattern(64, 64, 24));
  FixtureTree(m_dir.Path(), "data")
      .AddFile("textures/half_tga.tga", tga.substr(0, 18 + 16 * 3 * 4))
      .AddFile("textures/half_jpeg.jpg", jpeg.substr(0, jpeg.size() / 2))
      .AddFile("textures/whole.tga", tga);
  Mount();
  struct Case {
    const char* name;
    const char* logged;  // null: a whole picture, nothing said
  };
  const Case cases[] = {
      {"textures\\half_tga", "half_tga.tga): TGA pixel data ends early: 4 of 8 rows are whole, the rest is drawn black"},
      {"textures\\half_jpeg", "half_jpeg.jpg): JPEG image damaged, drawn as far as it goes"},
      {"textures\\whole", nullptr},
  };
  for (const Case& c : cases) {
    cResourcePtr<TextureResource> texture;
    ASSERT_TRUE(texture.Assign(c.name)) << c.name;
    ASSERT_TRUE(texture->GetImage()) << c.name;
    EXPECT_FALSE(texture->GetImage()->IsEmpty()) << c.name << ": drawn as far as it goes";
    if (c.logged != nullptr) {
      EXPECT_TRUE(LogHas(c.logged)) << c.name;
    }
  }
  EXPECT_FALSE(LogHas("whole.tga)"));
}

TEST_F(TextureResourceTest, CombinedTexturesMergeAlphaOrSayWhyNot) {
  Mount();
  struct Case {
    const char* alpha;
    Bytes texel;  // as the device holds it (B, G, R, A): the alpha file's 60 when merged
    const char* logged;
  };
  const Case cases[] = {
      {"textures\\alpha", {0, 100, 200, 60}, nullptr},
      {"", {0, 100, 200, 255}, nullptr},
      {"textures\\small_alpha", {0, 100, 200, 255}, "image size should be the same as"},
      {"textures\\odd_alpha", {0, 100, 200, 255}, "image size should be power of two"},
  };
  for (const Case& c : cases) {
    TextureHandle handle("combined", "textures\\color", c.alpha);
    Texture2D_D3D7* texture = handle.GetTexture();
    ASSERT_NE(texture, nullptr);
    ASSERT_TRUE(SurfaceWhenBound(texture)) << c.alpha;
    EXPECT_EQ(Texel(*texture, 0, 3, 3), c.texel) << c.alpha;
    EXPECT_TRUE(c.logged == nullptr || LogHas(c.logged)) << c.alpha;
  }
  // Drawn frame after frame, and after the device came back, a texture whose file is missing says
  // so once and is not read again.
  TextureHandle missing("combined", "textures\\nowhere", "textures\\alpha");
  for (int frame = 0; frame < 3; ++frame) {
    EXPECT_FALSE(SurfaceWhenBound(missing.GetTexture()));
    for (DeviceResource* resource : DeviceResource::List()) resource->OnDeviceRelease();
    for (DeviceResource* resource : DeviceResource::List()) resource->OnDeviceRestore();
  }
  const std::string said = "\"combined\" has no colour image \"textures\\nowhere\"";
  const std::string log = LogText();
  ASSERT_NE(log.find(said), std::string::npos);
  EXPECT_EQ(log.find(said, log.find(said) + 1), std::string::npos) << log;
}

std::map<std::string, int> g_decodes;
void CountDecode(const std::string& name) { ++g_decodes[name]; }

// A texture made from files holds no picture before it is drawn (a close-up not opened costs no
// decoded bytes) and reads its files when first drawn; then the device's copy is the only one, and
// a lost device is rebuilt from the files, read once more. A rebuild the device refuses holds no
// picture either.
TEST_F(TextureResourceTest, TexturesLetGoOfTheirPictureOnTheDeviceAndRebuildFromTheFiles) {
  Mount();
  struct Case {
    const char* alpha;
    int decodes;  // to build, and to rebuild
    Bytes texel;  // the top-left texel after the rebuild, in the device's order (B, G, R, A)
  };
  const Case cases[] = {{"", 1, {0, 100, 200, 255}}, {"textures\\alpha", 2, {0, 100, 200, 60}}};
  TextureResource::SetDecodeObserver(&CountDecode);
  for (const Case& c : cases) {
    g_decodes.clear();
    auto handle = std::make_unique<TextureHandle>("combined", "textures\\color", c.alpha);
    Texture2D_D3D7* texture = handle->GetTexture();
    EXPECT_FALSE(texture->GetImage()) << c.alpha << ": decoded before it was drawn";
    EXPECT_TRUE(g_decodes.empty()) << c.alpha << ": read before it was drawn";
    EXPECT_EQ(texture->GetPictureWidth(), 0u) << c.alpha;
    ASSERT_TRUE(SurfaceWhenBound(texture)) << c.alpha;
    EXPECT_EQ(g_decodes["textures\\color"] + g_decodes["textures\\alpha"], c.decodes) << c.alpha;
    EXPECT_FALSE(texture->GetImage()) << c.alpha << ": a second copy beside the device's";
    EXPECT_EQ(texture->GetPictureWidth(), 8u) << c.alpha;
    // A device that stays lost refuses every rebuild: nothing made for one is kept meanwhile.
    gfx::headless::FailCall(gfx::Call::kCreateSurface, gfx::DDERR_OUTOFVIDEOMEMORY, 1000);
    for (int round = 0; round < 3; ++round) {
      for (DeviceResource* resource : DeviceResource::List()) resource->OnDeviceRelease();
      for (DeviceResource* resource : DeviceResource::List()) resource->OnDeviceRestore();
      EXPECT_FALSE(texture->GetSurface()) << c.alpha;
      EXPECT_FALSE(texture->GetImage()) << c.alpha << ": a refused rebuild kept its picture";
    }
    gfx::headless::ClearFailures();
    g_decodes.clear();
    for (DeviceResource* resource : DeviceResource::List()) resource->OnDeviceRelease();
    for (DeviceResource* resource : DeviceResource::List()) resource->OnDeviceRestore();
    ASSERT_TRUE(texture->GetSurface()) << c.alpha;
    EXPECT_EQ(Texel(*texture, 0, 0, 0), c.texel) << c.alpha;
    EXPECT_EQ(g_decodes["textures\\color"] + g_decodes["textures\\alpha"], c.decodes) << c.alpha;
    EXPECT_FALSE(texture->GetImage()) << c.alpha;
  }
  TextureResource::SetDecodeObserver(nullptr);
}

TEST_F(TextureResourceTest, ACombinedTextureIsNamedAfterBothFilesApart) {
  Mount();
  struct Case {
    const char* diffuse;
    const char* opacity;
    bool mipmap;
    const char* name;
  };
  const Case cases[] = {
      {"textures\\color", "textures\\alpha", true, "mm_textures\\color + textures\\alpha"},
      {"textures\\color", "textures\\alpha", false, "0_textures\\color + textures\\alpha"},
      {"textures\\color", "", false, "0_textures\\color"},
      {"textures\\colo", "rtextures\\alpha", false, "0_textures\\colo + rtextures\\alpha"},
  };
  for (const Case& c : cases) {
    const TextureHandle* handle = GetCombinedTexture(c.diffuse, c.opacity, c.mipmap);
    ASSERT_NE(handle, nullptr) << c.name;
    EXPECT_EQ(Found(handle->GetTexture()).GetName(), c.name);
  }
  EXPECT_EQ(CombinedTextureCache::GetInstance()->GetCount(), std::size(cases)) << "each pair its own texture";
}

// Leaving a place for good lets go of the pictures that its shaders alone drew; a picture that the
// panel (or anything else) still draws stays, and still comes back after a lost device.
TEST_F(TextureResourceTest, APlaceLeftForGoodLetsGoOfThePicturesOnlyItDrew) {
  Mount();
  struct Case {
    const char* diffuse;
    const char* opacity;
    bool place, panel;  // who draws it
  };
  const Case cases[] = {
      {"textures\\color", "", true, false},
      {"textures\\photo", "", true, false},
      {"textures\\color", "textures\\alpha", true, true},
      {"textures\\disguised", "", false, true},
  };
  std::vector<std::unique_ptr<Shader>> place, panel;
  for (const Case& c : cases) {
    const ShaderDescriptor descriptor(c.diffuse, c.opacity, false);
    if (c.place) place.push_back(std::make_unique<Shader>(descriptor));
    if (c.panel) panel.push_back(std::make_unique<Shader>(descriptor));
  }
  for (const auto& shader : panel) ASSERT_TRUE(SurfaceWhenBound(Found(shader->GetStageTexture(0)).GetTexture()));
  const int64_t panel_bytes = g_texture_bytes_resident.load();
  for (const auto& shader : place) ASSERT_TRUE(SurfaceWhenBound(Found(shader->GetStageTexture(0)).GetTexture()));
  ASSERT_GT(g_texture_bytes_resident.load(), panel_bytes);

  place.clear();
  EXPECT_EQ(CombinedTextureCache::GetInstance()->ReleaseUnused(), 2u);
  EXPECT_EQ(CombinedTextureCache::GetInstance()->GetCount(), 2u);
  EXPECT_EQ(g_texture_bytes_resident.load(), panel_bytes) << "the place's surfaces are still on the device";
  for (const char* name : {"textures\\color", "textures\\photo"}) {
    cResourcePtr<TextureResource> picture;
    ASSERT_TRUE(picture.Assign(name));
    EXPECT_EQ(picture->GetRefCount(), 1) << name << " is held by something gone";
  }

  for (DeviceResource* resource : DeviceResource::List()) resource->OnDeviceRelease();
  for (DeviceResource* resource : DeviceResource::List()) resource->OnDeviceRestore();
  for (const auto& shader : panel) EXPECT_TRUE(Found(Found(shader->GetStageTexture(0)).GetTexture()).GetSurface());
  EXPECT_EQ(g_texture_bytes_resident.load(), panel_bytes);

  // Coming back to the place builds its pictures again.
  const Shader again(ShaderDescriptor("textures\\photo", "", false));
  EXPECT_TRUE(SurfaceWhenBound(Found(again.GetStageTexture(0)).GetTexture()));
  EXPECT_EQ(CombinedTextureCache::GetInstance()->ReleaseUnused(), 0u) << "a picture still drawn was let go";
}

// Textures built together (in one frame) decode a picture they share once; outside that, or beyond
// the bound of bytes kept, each texture decodes its own.
TEST_F(TextureResourceTest, PicturesSharedByTexturesOfAPlaceAreDecodedOnce) {
  Mount();
  struct Case {
    bool keep;
    std::size_t bound;
    int alpha_decodes, color_decodes;
  };
  const Case cases[] = {{false, 0, 2, 2}, {true, KeepDecodedPictures::kDefaultBound, 1, 1}, {true, 1, 2, 2}};
  TextureResource::SetDecodeObserver(&CountDecode);
  for (const Case& c : cases) {
    g_decodes.clear();
    {
      std::optional<KeepDecodedPictures> keep;
      if (c.keep) keep.emplace(c.bound);
      const TextureHandle plain("a", "textures\\color", "textures\\alpha", false);
      const TextureHandle mipped("b", "textures\\color", "textures\\alpha", true);
      ASSERT_TRUE(SurfaceWhenBound(plain.GetTexture())) << c.bound;
      ASSERT_TRUE(SurfaceWhenBound(mipped.GetTexture())) << c.bound;
      EXPECT_EQ(Texel(Found(mipped.GetTexture()), 0, 3, 3), (Bytes{0, 100, 200, 60})) << c.bound;
    }
    EXPECT_EQ(g_decodes["textures\\alpha"], c.alpha_decodes) << c.keep << " " << c.bound;
    EXPECT_EQ(g_decodes["textures\\color"], c.color_decodes) << c.keep << " " << c.bound;
    cResourcePtr<TextureResource> alpha;
    ASSERT_TRUE(alpha.Assign("textures\\alpha"));
    EXPECT_EQ(alpha->GetRefCount(), 1) << "a picture stayed kept after its scope";
  }
  TextureResource::SetDecodeObserver(nullptr);
}

}  // namespace
