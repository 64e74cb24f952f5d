// The sound a player hears: the test program plays sounds the content tool made, from a mounted
// pack, through the sound manager on the real SDL backend with SDL's disk driver, and the PCM that
// reached the "sound card" is read back.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "source/Resources/cResourceManager.h"
#include "source/core/Singleton.h"
#include "source/sound/cSoundResource.h"
#include "source/sound/cSoundStream.h"
#include "source/stream/cFileStream.h"
#include "tests/support/TempDir.h"
#include "tests/support/fixtures/ResourceFixtures.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

constexpr int kRate = 44100;

std::string BinFolder() { return fs::read_symlink("/proc/self/exe").parent_path().string(); }

class SoundOutput : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* file : {"velmaris-sound-probe", "data/audio/gui/volume_tone.wav", "data/audio/music/menu.ogg"}) {
      if (!fs::exists(BinFolder() + "/" + file)) GTEST_SKIP() << file << " is not built beside this test";
    }
    // The tool's sounds, written into a pack as the game ships them.
    for (const char* file : {"audio/gui/volume_tone.wav", "audio/music/menu.ogg"}) {
      fs::create_directories(fs::path(m_dir / ("source/data/" + std::string(file))).parent_path());
      fs::copy_file(BinFolder() + "/data/" + file, m_dir / ("source/data/" + std::string(file)));
    }
    fs::create_directories(m_dir / "run");
    RegisterSoundResourceType();
    ASSERT_TRUE(FixtureTree(m_dir / "source", "data").WritePack(m_dir / "run/data"));
    DestroySingletons();
  }

  // Runs the probe with SDL's disk driver; answers the left channel of what it wrote.
  std::vector<int16_t> Run(const std::string& name, const char* how, int milliseconds, std::vector<int16_t>* right) {
    const std::string raw = m_dir / "card.raw";
    // What the probe needs replaces what the caller's environment says of the same names.
    std::vector<std::string> environment{"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + raw};
    const std::size_t own = environment.size();
    for (char** entry = environ; *entry != nullptr; ++entry) {
      const std::string inherited(*entry), named = inherited.substr(0, inherited.find('=') + 1);
      bool replaced = named == "VELMARIS_HEADLESS=";
      for (std::size_t i = 0; i < own; ++i) replaced = replaced || environment[i].rfind(named, 0) == 0;
      if (!replaced) environment.push_back(inherited);
    }
    std::vector<std::string> arguments{BinFolder() + "/velmaris-sound-probe", name, how, std::to_string(milliseconds)};
    std::vector<char*> argv, envp;
    for (std::string& s : arguments) argv.push_back(s.data());
    for (std::string& s : environment) envp.push_back(s.data());
    argv.push_back(nullptr);
    envp.push_back(nullptr);
    const std::string folder = m_dir / "run";
    const pid_t child = fork();
    if (child == 0) {
      if (chdir(folder.c_str()) == 0) execve(argv[0], argv.data(), envp.data());
      _exit(127);
    }
    int status = -1;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "probe status " << status;
    const std::string bytes = ReadWholeFile(raw);
    std::vector<int16_t> left;
    for (size_t i = 0; i + 4 <= bytes.size(); i += 4) {
      int16_t l, r;
      std::memcpy(&l, bytes.data() + i, 2);
      std::memcpy(&r, bytes.data() + i + 2, 2);
      left.push_back(l);
      if (right != nullptr) right->push_back(r);
    }
    return left;
  }

  static size_t Onset(const std::vector<int16_t>& samples) {
    for (size_t i = 0; i < samples.size(); ++i) {
      if (std::abs(samples[i]) > 300) return i;
    }
    return samples.size();
  }

  TempDir m_dir{"velmaris-sound-e2e"};
};

TEST_F(SoundOutput, ToneFromThePackReachesTheCardAtItsPitchAndLevel) {
  std::vector<int16_t> right;
  const std::vector<int16_t> left = Run("audio\\gui\\volume_tone", "effect", 1200, &right);
  const size_t onset = Onset(left);
  // The steady middle of the tone: 660 Hz at half of full scale, the same in both ears.
  const size_t from = onset + kRate / 10;
  const size_t to = onset + kRate / 2;
  ASSERT_LT(to, left.size()) << "too little was played";
  int crossings = 0;
  double power = 0.0;
  int peak = 0;
  for (size_t i = from; i < to; ++i) {
    if (left[i - 1] < 0 && left[i] >= 0) ++crossings;
    power += static_cast<double>(left[i]) * left[i];
    peak = std::max(peak, std::abs(static_cast<int>(left[i])));
    ASSERT_EQ(left[i], right[i]) << "at " << i;
  }
  const double seconds = static_cast<double>(to - from) / kRate;
  EXPECT_NEAR(crossings / seconds, 660.0, 5.0);
  EXPECT_NEAR(std::sqrt(power / static_cast<double>(to - from)) / 32768.0, 0.5 / std::sqrt(2.0), 0.01);
  EXPECT_NEAR(peak / 32768.0, 0.5, 0.01);
  // It ends with the sound: the card then gets silence.
  for (size_t i = onset + kRate * 7 / 10; i < left.size(); ++i) ASSERT_EQ(left[i], 0) << "at " << i;
}

TEST_F(SoundOutput, OggMusicFromThePackReachesTheCardAsDecoded) {
  std::vector<int16_t> right;
  const std::vector<int16_t> left = Run("audio\\music\\menu", "effect", 1500, &right);
  // What our decoder makes of the same file.
  std::unique_ptr<cStream> file = std::make_unique<cFileStream>(BinFolder() + "/data/audio/music/menu.ogg",
                                                                os::kOpenExisting, os::kAccessRead, os::kShareRead);
  std::unique_ptr<cSoundStream> decoder = CreateOggStream(file);
  ASSERT_TRUE(decoder);
  std::vector<int16_t> decoded(2 * kRate * 2);
  decoder->Read(decoded.data(), static_cast<uint32_t>(decoded.size() * 2));
  std::vector<int16_t> decoded_left;
  for (size_t i = 0; i < decoded.size(); i += 2) decoded_left.push_back(decoded[i]);

  const size_t played = Onset(left);
  const size_t original = Onset(decoded_left);
  ASSERT_LT(played + kRate, left.size());
  // The card gets the decoded samples as they are (the mixer's 16-bit round trip may move one
  // by a step), in stereo.
  int worst = 0;
  bool stereo = false;
  for (size_t i = 0; i < static_cast<size_t>(kRate); ++i) {
    worst = std::max(worst, std::abs(left[played + i] - decoded_left[original + i]));
    stereo = stereo || left[played + i] != right[played + i];
  }
  EXPECT_LE(worst, 2);
  EXPECT_TRUE(stereo);
}

}  // namespace
