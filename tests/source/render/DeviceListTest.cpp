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

TEST(VideoModeChoice, FullScreenTakesTheFirstExactMatch) {
  DeviceRecord d = Usual();
  ChooseVideoMode(d, Wanted(1024, 768, 16), Desktop(1280, 1024), true);
  ASSERT_NE(Chosen(d), nullptr);
  EXPECT_EQ(d.current_mode, 5);
  EXPECT_TRUE(d.full_screen);
}

TEST(VideoModeChoice, FullScreenOnAWideDesktopAsksForTheDesktopsOwnMode) {
  DeviceRecord d = DeviceWithModes({{1920, 1080, 32, 0}, {1024, 768, 32, 1}});
  ChooseVideoMode(d, Wanted(1024, 768, 32), Desktop(1920, 1080), true);
  ASSERT_NE(Chosen(d), nullptr);
  EXPECT_EQ(Chosen(d)->width, 1920u);
}

TEST(VideoModeChoice, WindowedOnAWideDesktopKeepsTheSettingsSize) {
  DeviceRecord d = DeviceWithModes({{1920, 1080, 32, 0}, {1024, 768, 32, 1}});
  ChooseVideoMode(d, Wanted(1024, 768, 32), Desktop(1920, 1080), false);
  EXPECT_EQ(Chosen(d), nullptr);  // it fits: the settings' size is used
  EXPECT_FALSE(d.full_screen);
}

TEST(VideoModeChoice, FullScreenWithoutAnExactMatchTakesTheSameSizeAtAnotherDepth) {
  DeviceRecord d = Usual();
  ChooseVideoMode(d, Wanted(800, 600, 24), Desktop(1280, 1024), true);
  ASSERT_NE(Chosen(d), nullptr);
  EXPECT_EQ(d.current_mode, 6);
}

TEST(VideoModeChoice, FullScreenWithNoSuchSizeTakesTheDesktopsOwnMode) {
  DeviceRecord d = Usual();
  ChooseVideoMode(d, Wanted(1000, 700, 32), Desktop(1280, 1024), true);
  ASSERT_NE(Chosen(d), nullptr);
  EXPECT_EQ(Chosen(d)->width, 1280u);
  EXPECT_EQ(Chosen(d)->height, 1024u);
}

TEST(VideoModeChoice, FullScreenWithNeitherTheSizeNorTheDesktopListedEndsWithNoMode) {
  DeviceRecord d = Usual();
  ChooseVideoMode(d, Wanted(1000, 700, 32), Desktop(1366, 768), true);
  EXPECT_EQ(Chosen(d), nullptr);
  DeviceRecord empty;
  ChooseVideoMode(empty, Wanted(1024, 768, 32), Desktop(1280, 1024), true);
  EXPECT_EQ(Chosen(empty), nullptr);
}

TEST(VideoModeChoice, WindowedThatDoesNotFitTakesTheLargestFourByThreeModeBelowTheDesktop) {
  DeviceRecord d = Usual();
  ChooseVideoMode(d, Wanted(1024, 768, 32), Desktop(1024, 768), false);
  ASSERT_NE(Chosen(d), nullptr);
  EXPECT_EQ(Chosen(d)->width, 800u);
  EXPECT_EQ(Chosen(d)->height, 600u);
}

TEST(VideoModeChoice, WindowedSkipsModesThatAreNotMultiplesOfFourByThree) {
  // 1280 x 1024: 1024 is not a multiple of 3; 1280 x 960 is taken.
  DeviceRecord d = Usual();
  ChooseVideoMode(d, Wanted(1600, 1200, 32), Desktop(1600, 1200), false);
  ASSERT_NE(Chosen(d), nullptr);
  EXPECT_EQ(Chosen(d)->width, 1280u);
  EXPECT_EQ(Chosen(d)->height, 960u);
}

TEST(VideoModeChoice, WindowedOnATinyDesktopFindsNothingAboveSixForty) {
  DeviceRecord d = Usual();
  ChooseVideoMode(d, Wanted(1024, 768, 32), Desktop(700, 500), false);
  EXPECT_EQ(Chosen(d), nullptr);
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
