// The sample game's first location drawn through the real render manager on OpenGL, from the
// content the content tool made, mounted from folders and then from the pack "-pack" writes: the
// frame read back shows the textured background, the windmill's sails turned by their node
// animation, the banner bent by its morph and the picked gem faded; a frame 0.3 s later differs
// only where the lighthouse's animated flame and the hint's rising stars are. Each frame is kept as a
// PNG in the build folder ("scene-frames") for a person to look at.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/e2e/ProgramUnderTest.h"
#include "tests/support/PngFile.h"
#include "tests/support/fixtures/ResourceFixtures.h"

namespace fs = std::filesystem;

namespace {

constexpr int kTimeout = 60000;

struct Frame {
  uint32_t width = 0, height = 0;
  std::vector<uint8_t> rgb;  // top row first

  struct Pixel {
    int r, g, b;
  };
  Pixel At(int x, int y) const {
    const uint8_t* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
    return {p[0], p[1], p[2]};
  }
  // Whether some pixel within `reach` of (x, y) passes the test.
  template <class Test>
  bool Near(int x, int y, int reach, Test test) const {
    for (int dy = -reach; dy <= reach; ++dy) {
      for (int dx = -reach; dx <= reach; ++dx) {
        if (test(At(x + dx, y + dy))) return true;
      }
    }
    return false;
  }
};

bool ReadFrame(const std::string& path, Frame& frame) {
  const std::string bytes = ReadWholeFile(path);
  unsigned width = 0, height = 0, depth = 0;
  int header = 0;
  // One byte of white space ends the header: a "\n" in the format would also swallow pixels that
  // happen to read as white space.
  if (std::sscanf(bytes.c_str(), "P6\n%u %u\n%u%n", &width, &height, &depth, &header) != 3 || header <= 0) return false;
  if (static_cast<std::size_t>(header) >= bytes.size() || bytes[header] != '\n') return false;
  ++header;
  if (bytes.size() != static_cast<std::size_t>(header) + std::size_t{width} * height * 3) return false;
  frame.width = width;
  frame.height = height;
  frame.rgb.assign(bytes.begin() + header, bytes.end());
  return true;
}

// The colours of the pictures the content tool painted.
bool Cream(Frame::Pixel p) { return p.r > 190 && p.g > 175 && p.b > 130; }       // the sails' canvas
bool BannerRed(Frame::Pixel p) { return p.r > 100 && p.g < 80 && p.r > 2 * p.g; }  // the banner's cloth
bool Greenish(Frame::Pixel p) { return p.g > p.r + 40; }                           // the emerald

class SceneTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    if (IsSkipped()) return;
    const std::string missing = program.AddBuiltProgram("velmaris-scene");
    if (!missing.empty()) GTEST_SKIP() << missing;
    program.WriteConfiguration({{"video_fullscreen", "false"}, {"video_vsync", "false"}});
  }

  // Runs the driver and reads what it drew and picked, and the frame it drew 0.3 s later.
  Frame Draw(const std::string& name, std::string& picked, Frame& later) {
    const std::string report = program.Sandbox() / name;
    // The OpenGL driver allocates a great deal while it draws: with the leak checker's slow stack
    // walk on every allocation a frame would take minutes. The engine's own leaks are the unit
    // tests' to find.
    const pid_t child = program.StartProgram("velmaris-scene", {report}, {"ASAN_OPTIONS=detect_leaks=0"});
    EXPECT_EQ(ProgramUnderTest::ExitStatus(child, kTimeout), 0) << name << ": the driver failed; its log:\n" << program.Log();
    Frame frame;
    EXPECT_TRUE(ReadFrame(report + ".ppm", frame)) << name;
    EXPECT_TRUE(ReadFrame(report + "-later.ppm", later)) << name;
    picked = ReadWholeFile(report + ".txt");
    const fs::path kept = ProgramUnderTest::FramesFolder("scene");
    WritePng((kept / (name + ".png")).string(), frame.width, frame.height, frame.rgb);
    WritePng((kept / (name + "-later.png")).string(), later.width, later.height, later.rgb);
    return frame;
  }

  // Between the two frames only the flame (a 40-pixel quad in the lighthouse's lamp) and the stars
  // (rising from a box of 60 pixels over the barrel) change, and both do.
  static void ExpectOnlyTheEffectsMoved(const Frame& frame, const Frame& later) {
    ASSERT_EQ(frame.rgb.size(), later.rgb.size());
    struct Area {
      const char* what;
      int left, top, right, bottom;  // pixels, top row 0
      int changed = 0;
    };
    Area areas[] = {{"the flame", 80, 266, 120, 306}, {"the stars", 150, 480, 430, 768}};
    int elsewhere = 0;
    for (int y = 0; y < static_cast<int>(frame.height); ++y) {
      for (int x = 0; x < static_cast<int>(frame.width); ++x) {
        const Frame::Pixel a = frame.At(x, y), b = later.At(x, y);
        if (a.r == b.r && a.g == b.g && a.b == b.b) continue;
        Area* inside = nullptr;
        for (Area& area : areas) {
          if (x >= area.left && x < area.right && y >= area.top && y < area.bottom) inside = &area;
        }
        ++(inside != nullptr ? inside->changed : elsewhere);
      }
    }
    for (const Area& area : areas) EXPECT_GT(area.changed, 20) << area.what << " did not move";
    EXPECT_EQ(elsewhere, 0) << "pixels changed away from the flame and the stars";
  }

  static void ExpectTheHarbour(const Frame& frame, const std::string& picked) {
    ASSERT_EQ(frame.width, 1024u);
    ASSERT_EQ(frame.height, 768u);
    // The background: night-blue sky at the top, the sun low on the right, brown quay below.
    const Frame::Pixel sky = frame.At(512, 15), sun = frame.At(720, 352), quay = frame.At(700, 745);
    EXPECT_TRUE(sky.b > sky.r + 20 && sky.b > 60) << "sky " << sky.r << "," << sky.g << "," << sky.b;
    EXPECT_TRUE(sun.r > 235 && sun.g > 210) << "sun " << sun.r << "," << sun.g << "," << sun.b;
    EXPECT_TRUE(quay.r > quay.b + 15 && quay.r < 140) << "quay " << quay.r << "," << quay.g << "," << quay.b;
    // The sails turned a little clockwise: canvas where the turned blade lies, sky where the
    // blade lay before it turned.
    EXPECT_TRUE(frame.Near(350, 335, 3, Cream)) << "no sail where the turned blade lies";
    EXPECT_FALSE(frame.Near(360, 302, 2, Cream)) << "a sail still where the blade started";
    // The banner's free end hangs lower than a flat banner would reach.
    EXPECT_TRUE(frame.Near(950, 486, 1, BannerRed)) << "the banner's end is not bent down";
    EXPECT_TRUE(frame.Near(880, 462, 2, BannerRed)) << "no banner by its pole";
    // The pointer picked the left gem only; it is drawn fading out, the right one whole.
    EXPECT_EQ(picked, "left gem\n");
    EXPECT_TRUE(frame.Near(590, 700, 3, Greenish)) << "the right gem";
    EXPECT_FALSE(frame.Near(470, 700, 3, Greenish)) << "the picked gem is not faded";
  }
};

TEST_F(SceneTest, TheHarbourIsDrawnFromFoldersAndFromThePack) {
  std::string picked;
  Frame later_from_folders;
  const Frame from_folders = Draw("harbour-from-folders", picked, later_from_folders);
  ExpectTheHarbour(from_folders, picked);
  ExpectOnlyTheEffectsMoved(from_folders, later_from_folders);

  // "-pack" packs the data folder; the pack, named as the group, then replaces the folder.
  ASSERT_EQ(ProgramUnderTest::ExitStatus(program.Start({"-pack"}), kTimeout), 0);
  fs::rename(program.BinFolder() + "/data", program.Sandbox() / "data-folder");
  fs::rename(program.BinFolder() + "/my_data", program.BinFolder() + "/data");
  ASSERT_TRUE(fs::is_regular_file(program.BinFolder() + "/data"));

  // The pack carries the shaders as shader files and the effects as particle files: the same.
  Frame later_from_pack;
  const Frame from_pack = Draw("harbour-from-pack", picked, later_from_pack);
  ExpectTheHarbour(from_pack, picked);
  EXPECT_TRUE(from_pack.rgb == from_folders.rgb) << "the pack drew another picture than the folders";
  EXPECT_TRUE(later_from_pack.rgb == later_from_folders.rgb) << "the pack's later frame is another";
}

}  // namespace
