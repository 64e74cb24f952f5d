#include <gtest/gtest.h>

#include "platform/gfx/gfx.h"
#include "source/render/DeviceList.h"
#include "source/render/RenderSettings.h"

namespace {

gfx::SurfaceDesc Mode(uint32_t w, uint32_t h, uint32_t bpp) {
  gfx::SurfaceDesc d;
  d.width = w;
  d.height = h;
  d.format.bit_count = bpp;
  return d;
}

DeviceRecord DeviceWithModes(std::initializer_list<VideoMode> modes) {
  DeviceRecord device;
  device.modes = modes;
  return device;
}

RenderSettings Wanted(int w, int h, int bpp) {
  RenderSettings s;
  s.width = w;
  s.height = h;
  s.bpp = bpp;
  return s;
}

DesktopModeRecord Desktop(uint32_t w, uint32_t h, uint32_t bpp = 32) {
  return DesktopModeRecord{w, h, bpp, IsWideDesktop(w, h)};
}

const VideoMode* Chosen(const DeviceRecord& d) { return d.CurrentMode(); }

// The usual list, largest first as the device list keeps it.
DeviceRecord Usual() {
  return DeviceWithModes({{1600, 1200, 32, 0}, {1600, 1200, 16, 1}, {1280, 1024, 32, 2}, {1280, 960, 32, 3},
                          {1024, 768, 32, 4}, {1024, 768, 16, 5}, {800, 600, 32, 6}, {640, 480, 32, 7}});
}

// Full screen takes the wanted mode (on a wide desktop the desktop's own), else the same size at
// another depth, else the desktop's own mode, else none. A window keeps the settings' size when it
// fits on the desktop, else takes the largest 4:3 mode below the desktop.
TEST(VideoModeChoice, PicksTheModeForTheWantedSizeAndDesktop) {
  const DeviceRecord wide = DeviceWithModes({{1920, 1080, 32, 0}, {1024, 768, 32, 1}});
  struct Case {
    const char* name;
    DeviceRecord device;
    RenderSettings wanted;
    DesktopModeRecord desktop;
    bool full_screen;
    int mode;  // the index chosen; -1: none
  } const cases[] = {
      {"full screen: the first exact match", Usual(), Wanted(1024, 768, 16), Desktop(1280, 1024), true, 5},
      {"full screen on a wide desktop: its own mode", wide, Wanted(1024, 768, 32), Desktop(1920, 1080), true, 0},
      {"windowed on a wide desktop: it fits", wide, Wanted(1024, 768, 32), Desktop(1920, 1080), false, -1},
      {"full screen: the same size at another depth", Usual(), Wanted(800, 600, 24), Desktop(1280, 1024), true, 6},
      {"full screen, no such size: the desktop's mode", Usual(), Wanted(1000, 700, 32), Desktop(1280, 1024), true, 2},
      {"full screen, neither listed", Usual(), Wanted(1000, 700, 32), Desktop(1366, 768), true, -1},
      {"full screen, no modes at all", DeviceRecord{}, Wanted(1024, 768, 32), Desktop(1280, 1024), true, -1},
      {"windowed, too large: largest 4:3 below", Usual(), Wanted(1024, 768, 32), Desktop(1024, 768), false, 6},
      // 1280 x 1024 is not 4:3 (1024 is no multiple of 3): 1280 x 960 is taken.
      {"windowed, too large: 4:3 only", Usual(), Wanted(1600, 1200, 32), Desktop(1600, 1200), false, 3},
      {"windowed on a tiny desktop: nothing above 640", Usual(), Wanted(1024, 768, 32), Desktop(700, 500), false, -1},
  };
  for (const Case& c : cases) {
    DeviceRecord d = c.device;
    d.current_mode = 1;  // left from an earlier choice
    ChooseVideoMode(d, c.wanted, c.desktop, c.full_screen);
    EXPECT_EQ(d.current_mode, c.mode) << c.name;
    EXPECT_EQ(Chosen(d) != nullptr, c.mode >= 0) << c.name;
    EXPECT_EQ(d.full_screen, c.full_screen) << c.name;
  }
}

TEST(DesktopWidth, TheRatioMustExceedOnePointFour) {
  EXPECT_FALSE(IsWideDesktop(1280, 1024));
  EXPECT_TRUE(IsWideDesktop(1440, 900));
  EXPECT_FALSE(IsWideDesktop(1400, 1000));
  EXPECT_TRUE(IsWideDesktop(1920, 1080));
  EXPECT_FALSE(IsWideDesktop(1920, 0));
}

TEST(DisplayModes, SortLargestFirstByWidthHeightAndDepth) {
  std::vector<gfx::SurfaceDesc> modes = {Mode(800, 600, 16), Mode(1024, 768, 16), Mode(1024, 768, 32),
                                         Mode(800, 600, 32), Mode(1024, 600, 32)};
  SortDisplayModes(modes);
  const uint32_t expected[][3] = {{1024, 768, 32}, {1024, 768, 16}, {1024, 600, 32}, {800, 600, 32}, {800, 600, 16}};
  for (std::size_t i = 0; i < modes.size(); ++i) {
    EXPECT_EQ(modes[i].width, expected[i][0]);
    EXPECT_EQ(modes[i].height, expected[i][1]);
    EXPECT_EQ(modes[i].format.bit_count, expected[i][2]);
  }
}

DeviceRecord Device(const gfx::Guid& guid, bool hardware) {
  DeviceRecord d;
  d.guid = guid;
  d.hardware = hardware;
  d.modes.push_back(VideoMode{640, 480, 32, 0});
  return d;
}

DriverRecord Driver(bool windowed, std::initializer_list<DeviceRecord> devices) {
  DriverRecord r;
  r.can_render_windowed = windowed;
  r.devices = devices;
  return r;
}

TEST(DeviceChoice, PrefersTransformAndLightingThenHardwareThenSoftwareThenReference) {
  std::vector<DriverRecord> drivers = {Driver(true, {Device(gfx::kDeviceRef, false), Device(gfx::kDeviceRgb, false),
                                                     Device(gfx::kDeviceHal, true), Device(gfx::kDeviceTnLHal, true)})};
  EXPECT_EQ(ChooseDevice(drivers, false).device, 3);
  drivers[0].devices.pop_back();
  EXPECT_EQ(ChooseDevice(drivers, false).device, 2);
  drivers[0].devices.pop_back();
  EXPECT_EQ(ChooseDevice(drivers, false).device, 1);
  drivers[0].devices.pop_back();
  EXPECT_EQ(ChooseDevice(drivers, false).device, 0);
  drivers[0].devices.pop_back();
  EXPECT_FALSE(ChooseDevice(drivers, false).Found());
}

TEST(DeviceChoice, SoftwareOnlySkipsBothHardwareClasses) {
  std::vector<DriverRecord> drivers = {
      Driver(true, {Device(gfx::kDeviceRgb, false), Device(gfx::kDeviceHal, true), Device(gfx::kDeviceTnLHal, true)})};
  const DeviceChoice choice = ChooseDevice(drivers, true);
  EXPECT_EQ(choice.device, 0);
}

TEST(DeviceChoice, TakesTheLastOfAClassAndIgnoresDriversThatCannotRenderWindowed) {
  std::vector<DriverRecord> drivers = {Driver(true, {Device(gfx::kDeviceHal, true)}),
                                       Driver(false, {Device(gfx::kDeviceTnLHal, true)}),
                                       Driver(true, {Device(gfx::kDeviceHal, true)})};
  const DeviceChoice choice = ChooseDevice(drivers, false);
  EXPECT_EQ(choice.driver, 2);
  EXPECT_EQ(choice.device, 0);
}

}  // namespace
