// Surfaces through the headless backend: creation rules, mip chains, lock and pitch for every
// colour format, blits between memory surfaces, and the cooperative level and display modes.

#include <gtest/gtest.h>

#include "platform/gfx/Backend.h"
#include "platform/gfx/headless/Headless.h"
#include "tests/platform/gfx/GfxFixture.h"

namespace gfx {
namespace {

class Surfaces : public ::testing::Test {
 protected:
  void SetUp() override {
    detail::ResetBackend();
    headless::Reset();
    ASSERT_EQ(CreateDirectDraw(nullptr, dd), DD_OK);
  }
  void TearDown() override {
    dd.reset();
    headless::Reset();
  }

  // A memory texture unless other caps are asked for; a target the device renders to.
  SurfaceDesc Plain(uint32_t width, uint32_t height, const PixelFormat& format,
                    uint32_t caps = DDSCAPS_SYSTEMMEMORY | DDSCAPS_TEXTURE) {
    SurfaceDesc desc;
    desc.flags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
    desc.caps = caps;
    desc.width = width;
    desc.height = height;
    desc.format = format;
    return desc;
  }
  SurfaceDesc Target(uint32_t width, uint32_t height) {
    return Plain(width, height, FormatX8R8G8B8(), DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE);
  }

  std::shared_ptr<DirectDraw> dd;
};

TEST_F(Surfaces, EveryColourFormatLocksWithItsPitch) {
  const struct {
    PixelFormat format;
    int32_t pitch;  // for 3 pixels a row
  } formats[] = {{FormatA8R8G8B8(), 12}, {FormatX8R8G8B8(), 12}, {FormatR5G6B5(), 8},
                 {FormatA1R5G5B5(), 8},  {FormatA4R4G4B4(), 8}};
  for (const auto& f : formats) {
    std::shared_ptr<Surface> surface;
    ASSERT_EQ(dd->CreateSurface(Plain(3, 2, f.format), surface), DD_OK);
    SurfaceDesc locked;
    ASSERT_EQ(surface->Lock(nullptr, locked, DDLOCK_WAIT), DD_OK);
    EXPECT_EQ(locked.pitch, f.pitch) << f.format.bit_count;
    EXPECT_EQ(locked.format, f.format);
    EXPECT_NE(locked.memory, nullptr);
    std::memset(locked.memory, 0xAB, static_cast<size_t>(locked.pitch) * 2);  // all of it is ours
    EXPECT_EQ(surface->Lock(nullptr, locked, 0), DDERR_SURFACEBUSY);
    EXPECT_EQ(surface->Unlock(nullptr), DD_OK);
    EXPECT_EQ(surface->Unlock(nullptr), DDERR_NOTLOCKED);
  }
}

TEST_F(Surfaces, ALockedRectangleStartsAtItsCorner) {
  std::shared_ptr<Surface> surface;
  ASSERT_EQ(dd->CreateSurface(Plain(8, 8, FormatA8R8G8B8()), surface), DD_OK);
  SurfaceDesc whole, part;
  ASSERT_EQ(surface->Lock(nullptr, whole, 0), DD_OK);
  uint8_t* base = static_cast<uint8_t*>(whole.memory);
  ASSERT_EQ(surface->Unlock(nullptr), DD_OK);
  const Rect rect{2, 3, 5, 7};
  ASSERT_EQ(surface->Lock(&rect, part, 0), DD_OK);
  EXPECT_EQ(static_cast<uint8_t*>(part.memory), base + 3 * whole.pitch + 2 * 4);
  ASSERT_EQ(surface->Unlock(nullptr), DD_OK);
  const Rect outside{4, 4, 9, 5};
  EXPECT_EQ(surface->Lock(&outside, part, 0), DDERR_INVALIDRECT);
  const Rect empty{4, 4, 4, 5};
  EXPECT_EQ(surface->Lock(&empty, part, 0), DDERR_INVALIDRECT);
}

// A chain of halving levels; a count beyond the chain, or mip levels without "complex", is refused.
TEST_F(Surfaces, AMipMappedTextureIsAChainOfHalvingLevels) {
  SurfaceDesc desc = Plain(256, 64, FormatX8R8G8B8());
  desc.flags |= DDSD_MIPMAPCOUNT;
  desc.caps = DDSCAPS_TEXTURE | DDSCAPS_MIPMAP | DDSCAPS_COMPLEX;
  desc.mip_map_count = 9;
  std::shared_ptr<Surface> level;
  ASSERT_EQ(dd->CreateSurface(desc, level), DD_OK);
  std::vector<std::pair<uint32_t, uint32_t>> sizes;
  while (level) {
    SurfaceDesc d;
    ASSERT_EQ(level->GetSurfaceDesc(d), DD_OK);
    sizes.emplace_back(d.width, d.height);
    std::shared_ptr<Surface> next;
    const Result r = level->GetAttachedSurface(DDSCAPS_TEXTURE | DDSCAPS_MIPMAP, next);
    if (Failed(r)) {
      EXPECT_EQ(r, DDERR_NOTFOUND);
    }
    level = next;
  }
  const std::vector<std::pair<uint32_t, uint32_t>> expected = {
      {256, 64}, {128, 32}, {64, 16}, {32, 8}, {16, 4}, {8, 2}, {4, 1}, {2, 1}, {1, 1}};
  EXPECT_EQ(sizes, expected);
  desc.mip_map_count = 10;
  std::shared_ptr<Surface> texture;
  EXPECT_EQ(dd->CreateSurface(desc, texture), DDERR_INVALIDPARAMS);
  desc.mip_map_count = 9;
  desc.caps = DDSCAPS_TEXTURE | DDSCAPS_MIPMAP;
  EXPECT_EQ(dd->CreateSurface(desc, texture), DDERR_DDSCAPSCOMPLEXREQUIRED);
  EXPECT_EQ(texture, nullptr);
}

TEST_F(Surfaces, SizesAndFormatsAreCheckedBeforeAnythingIsAllocated) {
  std::shared_ptr<Surface> surface;
  EXPECT_EQ(dd->CreateSurface(Plain(0, 4, FormatA8R8G8B8()), surface), DDERR_INVALIDPARAMS);
  EXPECT_EQ(dd->CreateSurface(Plain(100000, 4, FormatA8R8G8B8()), surface), DDERR_TOOBIGWIDTH);
  EXPECT_EQ(dd->CreateSurface(Plain(4, 0xFFFFFFFF, FormatA8R8G8B8()), surface), DDERR_TOOBIGHEIGHT);
  PixelFormat luminance;
  luminance.flags = DDPF_LUMINANCE;
  luminance.bit_count = 8;
  EXPECT_EQ(dd->CreateSurface(Plain(4, 4, luminance), surface), DDERR_INVALIDPIXELFORMAT);
  SurfaceDesc no_caps = Plain(4, 4, FormatA8R8G8B8());
  no_caps.flags = DDSD_WIDTH | DDSD_HEIGHT;
  EXPECT_EQ(dd->CreateSurface(no_caps, surface), DDERR_INVALIDPARAMS);
  EXPECT_EQ(surface, nullptr);
}

TEST_F(Surfaces, ABlitCopiesAndScalesBetweenMemorySurfaces) {
  std::shared_ptr<Surface> source, dest;
  ASSERT_EQ(dd->CreateSurface(Plain(2, 2, FormatA8R8G8B8()), source), DD_OK);
  ASSERT_EQ(dd->CreateSurface(Plain(4, 4, FormatA8R8G8B8()), dest), DD_OK);
  SurfaceDesc locked;
  ASSERT_EQ(source->Lock(nullptr, locked, 0), DD_OK);
  const uint32_t texels[4] = {1, 2, 3, 4};
  for (int y = 0; y < 2; ++y) {
    std::memcpy(static_cast<uint8_t*>(locked.memory) + y * locked.pitch, texels + y * 2, 8);
  }
  ASSERT_EQ(source->Unlock(nullptr), DD_OK);
  ASSERT_EQ(dest->Blt(nullptr, source.get(), nullptr, DDBLT_WAIT), DD_OK);
  ASSERT_EQ(dest->Lock(nullptr, locked, 0), DD_OK);
  auto at = [&](int x, int y) {
    return reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(locked.memory) +
                                             y * locked.pitch)[x];
  };
  EXPECT_EQ(at(0, 0), 1u);
  EXPECT_EQ(at(1, 1), 1u);
  EXPECT_EQ(at(3, 0), 2u);
  EXPECT_EQ(at(0, 3), 3u);
  EXPECT_EQ(at(3, 3), 4u);
  EXPECT_EQ(dest->Blt(nullptr, source.get(), nullptr, 0), DDERR_SURFACEBUSY) << "locked";
  ASSERT_EQ(dest->Unlock(nullptr), DD_OK);

  std::shared_ptr<Surface> other;
  ASSERT_EQ(dd->CreateSurface(Plain(2, 2, FormatR5G6B5()), other), DD_OK);
  EXPECT_EQ(other->Blt(nullptr, source.get(), nullptr, 0), DDERR_INVALIDPIXELFORMAT);
  const Rect beyond{0, 0, 3, 3};
  EXPECT_EQ(dest->Blt(nullptr, source.get(), &beyond, 0), DDERR_INVALIDRECT);
  EXPECT_EQ(dest->Blt(nullptr, nullptr, nullptr, 0), DDERR_INVALIDPARAMS);
}

TEST_F(Surfaces, OnePrimaryAtATimeAndOnlyAfterACooperativeLevel) {
  SurfaceDesc desc;
  desc.flags = DDSD_CAPS;
  desc.caps = DDSCAPS_PRIMARYSURFACE;
  std::shared_ptr<Surface> primary, second;
  EXPECT_EQ(dd->CreateSurface(desc, primary), DDERR_NOCOOPERATIVELEVELSET);
  ASSERT_EQ(dd->SetCooperativeLevel(nullptr, DDSCL_NORMAL), DD_OK);
  ASSERT_EQ(dd->CreateSurface(desc, primary), DD_OK);
  EXPECT_EQ(dd->CreateSurface(desc, second), DDERR_PRIMARYSURFACEALREADYEXISTS);
  SurfaceDesc d;
  ASSERT_EQ(primary->GetSurfaceDesc(d), DD_OK);
  EXPECT_EQ(d.width, 1024u) << "the desktop's size";
  desc.caps |= DDSCAPS_FLIP | DDSCAPS_COMPLEX;
  desc.flags |= DDSD_BACKBUFFERCOUNT;
  desc.back_buffer_count = 1;
  primary.reset();
  EXPECT_EQ(dd->CreateSurface(desc, primary), DDERR_NOEXCLUSIVEMODE) << "flipping needs full screen";
}

TEST_F(Surfaces, FullScreenFlipsItsBackBufferInTheModeSet) {
  auto* window = reinterpret_cast<window::NativeWindow*>(0x1);  // headless: never dereferenced
  EXPECT_EQ(dd->SetDisplayMode(800, 600, 32, 0, 0), DDERR_NOEXCLUSIVEMODE);
  EXPECT_EQ(dd->SetCooperativeLevel(nullptr, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DDERR_NOHWND);
  EXPECT_EQ(dd->SetCooperativeLevel(window, DDSCL_EXCLUSIVE), DDERR_INVALIDPARAMS);
  EXPECT_EQ(dd->SetCooperativeLevel(window, DDSCL_NORMAL | DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN),
            DDERR_INVALIDPARAMS);
  ASSERT_EQ(dd->SetCooperativeLevel(window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT |
                                                DDSCL_FPUSETUP),
            DD_OK);
  EXPECT_EQ(dd->SetDisplayMode(801, 600, 32, 0, 0), DDERR_INVALIDMODE);
  ASSERT_EQ(dd->SetDisplayMode(800, 600, 32, 0, 0), DD_OK);
  SurfaceDesc mode;
  ASSERT_EQ(dd->GetDisplayMode(mode), DD_OK);
  EXPECT_EQ(mode.width, 800u);
  EXPECT_EQ(mode.format.bit_count, 32u);

  SurfaceDesc desc;
  desc.flags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
  desc.caps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX | DDSCAPS_3DDEVICE;
  desc.back_buffer_count = 1;
  std::shared_ptr<Surface> primary, back;
  ASSERT_EQ(dd->CreateSurface(desc, primary), DD_OK);
  ASSERT_EQ(primary->GetAttachedSurface(DDSCAPS_BACKBUFFER, back), DD_OK);
  EXPECT_EQ(back->Desc().width, 800u);
  EXPECT_EQ(back->Desc().height, 600u);
  EXPECT_TRUE(back->Desc().caps & DDSCAPS_3DDEVICE);
  ASSERT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
  ASSERT_EQ(primary->Flip(nullptr, DDFLIP_WAIT | DDFLIP_NOVSYNC), DD_OK);
  EXPECT_EQ(headless::PresentVsync(), (std::vector<bool>{true, false}));

  // Back to windowed: the display mode goes back to the desktop's.
  ASSERT_EQ(dd->SetCooperativeLevel(window, DDSCL_NORMAL), DD_OK);
  ASSERT_EQ(dd->GetDisplayMode(mode), DD_OK);
  EXPECT_EQ(mode.width, 1024u);
}

TEST_F(Surfaces, DepthBuffersAttachOnlyToRenderTargetsOfTheirSize) {
  std::shared_ptr<Surface> back, depth, small_depth, plain;
  ASSERT_EQ(dd->CreateSurface(Target(64, 32), back), DD_OK);
  SurfaceDesc z = Plain(64, 32, FormatDepth16(), DDSCAPS_ZBUFFER);
  ASSERT_EQ(dd->CreateSurface(z, depth), DD_OK);
  z.width = 32;
  ASSERT_EQ(dd->CreateSurface(z, small_depth), DD_OK);
  ASSERT_EQ(dd->CreateSurface(Plain(64, 32, FormatX8R8G8B8()), plain), DD_OK);
  EXPECT_EQ(back->AddAttachedSurface(small_depth), DDERR_CANNOTATTACHSURFACE);
  EXPECT_EQ(plain->AddAttachedSurface(depth), DDERR_CANNOTATTACHSURFACE);
  ASSERT_EQ(back->AddAttachedSurface(depth), DD_OK);
  EXPECT_EQ(back->AddAttachedSurface(depth), DDERR_SURFACEALREADYATTACHED);
  std::shared_ptr<Surface> found;
  ASSERT_EQ(back->GetAttachedSurface(DDSCAPS_ZBUFFER, found), DD_OK);
  EXPECT_EQ(found, depth);
  SurfaceDesc locked;
  EXPECT_EQ(depth->Lock(nullptr, locked, 0), DDERR_CANTLOCKSURFACE);
}

TEST_F(Surfaces, DevicesNeedA3DTargetTheyCanRender) {
  std::shared_ptr<Direct3D> d3d;
  ASSERT_EQ(dd->QueryDirect3D(d3d), DD_OK);
  std::shared_ptr<Surface> plain;
  ASSERT_EQ(dd->CreateSurface(Plain(8, 8, FormatX8R8G8B8()), plain), DD_OK);
  std::shared_ptr<Device> device;
  EXPECT_EQ(d3d->CreateDevice(kDeviceHal, plain, device), DDERR_INVALIDCAPS);
  EXPECT_EQ(d3d->CreateDevice(kDeviceHal, nullptr, device), DDERR_INVALIDPARAMS);
  std::shared_ptr<Surface> back;
  ASSERT_EQ(dd->CreateSurface(Target(8, 8), back), DD_OK);
  EXPECT_EQ(d3d->CreateDevice(kDeviceRef, back, device), DDERR_INVALIDPARAMS) << "not offered";
  ASSERT_EQ(d3d->CreateDevice(kDeviceRgb, back, device), DD_OK);
  DeviceDesc caps;
  ASSERT_EQ(device->GetCaps(caps), DD_OK);
  EXPECT_EQ(caps.guid, kDeviceRgb);
  EXPECT_EQ(caps.max_simultaneous_textures, 8u);
  std::vector<PixelFormat> formats;
  ASSERT_EQ(device->EnumTextureFormats(formats), DD_OK);
  EXPECT_EQ(formats.front(), FormatA8R8G8B8());
}

// ---- enumeration ---------------------------------------------------------------------------------

TEST(GfxEnumeration, TheDefaultScriptOffersOneDisplayWithThreeDevices) {
  detail::ResetBackend();
  headless::Reset();
  std::vector<DriverInfo> drivers;
  ASSERT_EQ(EnumerateDrivers(drivers), DD_OK);
  ASSERT_EQ(drivers.size(), 1u);
  EXPECT_FALSE(drivers[0].has_guid);
  std::shared_ptr<DirectDraw> dd;
  ASSERT_EQ(CreateDirectDraw(nullptr, dd), DD_OK);
  DriverCaps hardware, emulation;
  ASSERT_EQ(dd->GetCaps(&hardware, &emulation), DD_OK);
  EXPECT_TRUE(hardware.caps2 & DDCAPS2_CANRENDERWINDOWED);
  std::vector<SurfaceDesc> modes;
  ASSERT_EQ(dd->EnumDisplayModes(modes), DD_OK);
  EXPECT_EQ(modes.size(), 12u);
  std::shared_ptr<Direct3D> d3d;
  ASSERT_EQ(dd->QueryDirect3D(d3d), DD_OK);
  std::vector<DeviceDesc> devices;
  ASSERT_EQ(d3d->EnumDevices(devices), DD_OK);
  ASSERT_EQ(devices.size(), 3u);
  EXPECT_EQ(devices[2].guid, kDeviceTnLHal);
  EXPECT_TRUE(devices[2].dev_caps & D3DDEVCAPS_HWRASTERIZATION);
  EXPECT_FALSE(devices[0].dev_caps & D3DDEVCAPS_HWRASTERIZATION);
}

TEST(GfxEnumeration, ScriptedDriversModesAndDesktopAreReported) {
  detail::ResetBackend();
  headless::Script script = headless::DefaultScript();
  headless::ScriptedDriver second = script.drivers[0];
  second.info.has_guid = true;
  second.info.guid = Guid{7, 7, 7, {7}};
  second.info.description = "Second display";
  second.modes.clear();
  SurfaceDesc mode;
  mode.width = 1440;
  mode.height = 900;
  mode.format = FormatX8R8G8B8();
  mode.format.bit_count = 24;
  second.modes.push_back(mode);
  script.drivers.push_back(second);
  script.desktop.width = 1440;
  script.desktop.height = 900;
  headless::SetScript(script);

  std::vector<DriverInfo> drivers;
  ASSERT_EQ(EnumerateDrivers(drivers), DD_OK);
  ASSERT_EQ(drivers.size(), 2u);
  std::shared_ptr<DirectDraw> dd;
  ASSERT_EQ(CreateDirectDraw(&drivers[1].guid, dd), DD_OK);
  std::vector<SurfaceDesc> modes;
  ASSERT_EQ(dd->EnumDisplayModes(modes), DD_OK);
  ASSERT_EQ(modes.size(), 1u);
  EXPECT_EQ(modes[0].format.bit_count, 24u);
  SurfaceDesc desktop;
  ASSERT_EQ(dd->GetDisplayMode(desktop), DD_OK);
  EXPECT_EQ(desktop.width, 1440u);
  const Guid unknown{9, 9, 9, {9}};
  EXPECT_EQ(CreateDirectDraw(&unknown, dd), DDERR_INVALIDDIRECTDRAWGUID);

  headless::SetScript(headless::Script{});
  ASSERT_EQ(EnumerateDrivers(drivers), DD_OK);
  EXPECT_TRUE(drivers.empty());
  EXPECT_EQ(CreateDirectDraw(nullptr, dd), DDERR_NODIRECTDRAWHW);
  headless::Reset();
}

TEST(GfxResults, TheTableHoldsEveryCodeOnceInLookupOrder) {
  ASSERT_EQ(kResultTableSize, 117u);
  EXPECT_EQ(kResultTable[0].code, DDERR_ALREADYINITIALIZED);
  EXPECT_EQ(kResultTable[kResultTableSize - 1].code, DDERR_XALIGN);
  for (size_t i = 0; i < kResultTableSize; ++i) {
    EXPECT_TRUE(Failed(kResultTable[i].code)) << kResultTable[i].name;
    for (size_t j = i + 1; j < kResultTableSize; ++j) EXPECT_NE(kResultTable[i].code, kResultTable[j].code);
  }
  EXPECT_EQ(static_cast<uint32_t>(DDERR_SURFACELOST), 0x887601C2u);
  EXPECT_EQ(static_cast<uint32_t>(DDERR_WRONGMODE), 0x8876024Bu);
  EXPECT_EQ(static_cast<uint32_t>(DDERR_WASSTILLDRAWING), 0x8876021Cu);
  EXPECT_STREQ(ResultCodeName(DDERR_SURFACELOST), "DDERR_SURFACELOST");
  EXPECT_EQ(ResultCodeName(static_cast<Result>(0x88769999u)), nullptr);
}

}  // namespace
}  // namespace gfx
