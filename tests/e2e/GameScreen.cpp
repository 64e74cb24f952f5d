#include "tests/e2e/GameScreen.h"

#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "tests/e2e/PlayerHands.h"
#include "tests/support/PngFile.h"
#include "tests/support/fixtures/ResourceFixtures.h"

namespace e2e {

namespace fs = std::filesystem;

constexpr float kGuiWidth = 1024.0f, kGuiHeight = 768.0f;

bool Parchment(int r, int g, int b) { return r + g + b > 450; }
bool Brass(int r, int g, int b) { return r > 150 && g > 110 && r > b + 80; }
bool Gem(int r, int g, int b) { return b > 100 && b > r + 40 && b > g + 20; }
bool Sea(int r, int g, int b) { return b > r + 30 && g > r + 15; }
bool Bright(int r, int g, int b) { return r > 200 && g > 200 && b > 180; }

void GameScreen::SetUp() {
  const std::string reason = ProgramUnderTest::SkipReason();
  if (!reason.empty()) GTEST_SKIP() << reason;
#if defined(__SANITIZE_ADDRESS__)
  if (!m_sanitized_too) GTEST_SKIP() << "a game is played end to end by the unsanitized build, whose frames keep up with a player";
#endif
  const fs::path built = fs::path(ProgramUnderTest::BuiltProgram()).parent_path();
  if (!fs::exists(built / "data" / "levels" / "stage.xml")) GTEST_SKIP() << "the sample game is not built";
  for (const char* group : {"data", "localization", "fsdata", "splash"}) {
    if (fs::exists(built / group)) fs::copy(built / group, program.BinFolder() + "/" + group, fs::copy_options::recursive);
  }
  // Outside a try's own folder, no frame of an earlier run is mistaken for this one's.
  if (std::getenv("VELMARIS_E2E_FRAMES") == nullptr) fs::remove_all(built / (m_frames_name + "-frames"));
  frames = ProgramUnderTest::FramesFolder(m_frames_name);
  program.WriteConfiguration({{"video_fullscreen", "false"}});
}

int GameScreen::X(float gx) const { return static_cast<int>(gx * static_cast<float>(width) / kGuiWidth); }
int GameScreen::Y(float gy) const { return static_cast<int>(static_cast<float>(height) * (1.0f - gy / kGuiHeight)); }

void GameScreen::Snap(const std::string& name) { Keep(name, ReadWindowPixels(window)); }

void GameScreen::Keep(const std::string& name, const WindowPixels& pixels) {
  width = pixels.width > 0 ? pixels.width : width;
  height = pixels.height > 0 ? pixels.height : height;
  const std::string file = std::to_string(++shots) + "-" + name + ".png";
  EXPECT_TRUE(WritePng((frames / file).string(), static_cast<uint32_t>(pixels.width), static_cast<uint32_t>(pixels.height),
                       pixels.rgb));
}

bool GameScreen::WaitFor(const std::string& name, int timeout_ms, const std::function<bool(const WindowPixels&)>& holds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  for (;;) {
    const WindowPixels pixels = ReadWindowPixels(window);
    if (pixels.width > 0) {
      width = pixels.width;
      height = pixels.height;
      frame = pixels;
      if (holds(pixels)) {
        Keep(name, pixels);
        return true;
      }
    }
    if (std::chrono::steady_clock::now() >= deadline) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }
  Snap(name);
  return false;
}

bool GameScreen::WaitForArea(const std::string& name, Area a, bool shown, int timeout_ms, const PixelKind& kind) {
  return WaitFor(name, timeout_ms, [&](const WindowPixels& pixels) { return Mostly(pixels, a, kind) == shown; });
}

bool GameScreen::WaitForBrass(const std::string& name, Area a, bool shown, int timeout_ms) {
  return WaitFor(name, timeout_ms, [&](const WindowPixels& pixels) { return (Count(pixels, a, Brass) > 20) == shown; });
}

bool GameScreen::Same(const WindowPixels& pixels, const WindowPixels& reference, Area a) const {
  if (pixels.width != reference.width || pixels.height != reference.height) return false;
  const auto near = [&](int x, int y) {
    const uint32_t c = pixels.At(x, y), r = reference.At(x, y);
    int difference = 0;
    for (int shift : {0, 8, 16}) difference += std::abs(static_cast<int>((c >> shift) & 0xFF) - static_cast<int>((r >> shift) & 0xFF));
    return difference < 48;
  };
  int same = 0;
  for (int y = Y(a.y1); y <= Y(a.y0); ++y) {
    for (int x = X(a.x0); x <= X(a.x1); ++x) same += near(x, y) ? 1 : 0;
  }
  return same * 100 >= Size(a) * 95;
}

bool GameScreen::WaitForSame(const std::string& name, const WindowPixels& reference, Area a, int timeout_ms) {
  return WaitFor(name, timeout_ms, [&](const WindowPixels& pixels) { return Same(pixels, reference, a); });
}

bool GameScreen::Mostly(const WindowPixels& pixels, Area a, const PixelKind& kind) const {
  return Count(pixels, a, kind) * 10 > Size(a) * 8;
}

int GameScreen::Size(Area a) const { return (Y(a.y0) - Y(a.y1) + 1) * (X(a.x1) - X(a.x0) + 1); }

int GameScreen::Count(const WindowPixels& pixels, Area a, const PixelKind& kind) const {
  int count = 0;
  for (int y = Y(a.y1); y <= Y(a.y0); ++y) {
    for (int x = X(a.x0); x <= X(a.x1); ++x) {
      const uint32_t c = pixels.At(x, y);
      count += kind((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF) ? 1 : 0;
    }
  }
  return count;
}

std::size_t GameScreen::LogCount(const std::string& line) const {
  const std::string log = Log();
  std::size_t count = 0;
  for (std::size_t at = log.find(line); at != std::string::npos; at = log.find(line, at + 1)) ++count;
  return count;
}

bool GameScreen::WaitForLog(const std::string& line, int timeout_ms, std::size_t times_before) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  while (LogCount(line) <= times_before) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }
  return true;
}

void GameScreen::PressPlay(const std::string& name) {
  const auto times = [this] { return LogCount("the game goes on at") + LogCount("a new game begins"); };
  const std::size_t before = times();
  for (int i = 0; i < 8; ++i) {
    if (WaitForParchment(name, kMenuBoard, true, 8000)) Click(kStartGame);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(8);
    while (std::chrono::steady_clock::now() < deadline) {
      if (times() > before) return;
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
  }
  ADD_FAILURE() << "the game did not go on after Play";
}

void GameScreen::Xdotool(const std::string& arguments) { ProgramUnderTest::Command("xdotool " + arguments); }

std::string GameScreen::Move(Point at) const {
  return "mousemove --window " + std::to_string(window) + " " + std::to_string(X(at.x)) + " " + std::to_string(Y(at.y));
}

void GameScreen::Click(Point at) { Xdotool(Move(at) + " sleep 0.4 mousedown 1 sleep 0.4 mouseup 1 sleep 0.6"); }

void GameScreen::Drag(Point from, Point to) {
  std::string steps = Move(from) + " sleep 0.4 mousedown 1 sleep 0.3";
  constexpr int kSteps = 8;
  for (int i = 1; i <= kSteps; ++i) {
    const float t = static_cast<float>(i) / kSteps;
    steps.append(" ").append(Move({from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t})).append(" sleep 0.15");
  }
  Xdotool(steps + " sleep 0.3 mouseup 1 sleep 0.5");
}

std::string GameScreen::Log() const { return ReadWholeFile(program.UserFolder() + "/tarvel.html"); }

std::string GameScreen::Profile() const {
  return ReadWholeFile(program.UserFolder() + "/usersdata/profiles/65110110.prf");
}

pid_t GameScreen::StartGame() {
  const pid_t child = program.StartProgram("velmaris", {}, {"SDL_AUDIODRIVER=dummy"});
  // A start on a machine loaded 60 deep (a build beside it) has taken over half a minute to open its window.
  window = child > 0 ? ProgramUnderTest::FindWindow(child, 4 * kTimeout) : 0;
  EXPECT_NE(window, 0u) << Log();
  EXPECT_TRUE(window != 0 && ProgramUnderTest::WaitUntilViewable(window, kTimeout));
  // The logos clicked away until the game puts its prompt or menu in front.
  EXPECT_NE(PassLogos(program, window, kTimeout), "") << Log();
  Snap("after-logos");
  return child;
}

pid_t GameScreen::StartDriver(const std::string& name, const std::vector<std::string>& arguments,
                              const std::vector<std::string>& environment) {
  const fs::path copy = fs::path(program.BinFolder()) / name;
  if (!fs::exists(copy)) fs::copy_file(fs::path(ProgramUnderTest::BuiltProgram()).parent_path() / name, copy);
  const pid_t child = program.StartProgram(name, arguments, environment);
  window = child > 0 ? ProgramUnderTest::FindWindow(child, kTimeout) : 0;
  EXPECT_NE(window, 0u) << Log() << program.ErrorOutput();
  EXPECT_TRUE(window != 0 && ProgramUnderTest::WaitUntilViewable(window, kTimeout));
  return child;
}

pid_t GameScreen::StartMiniGame(const std::string& game) {
  const pid_t child = StartDriver("velmaris-minigame", {game});
  EXPECT_TRUE(WaitForLog("minigame: " + game + " ready")) << Log();
  Snap(game + "-ready");
  return child;
}

void GameScreen::ExpectExitedNormally(pid_t child) {
  int status = -1;
  ASSERT_TRUE(ProgramUnderTest::Wait(child, &status, kTimeout));
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status << Log();
}

void GameScreen::CloseGame(pid_t child) {
  ASSERT_TRUE(ProgramUnderTest::SendCloseRequest(window));
  ExpectExitedNormally(child);
}

void GameScreen::KillGame(pid_t child) {
  kill(child, SIGKILL);
  int status = 0;
  ASSERT_TRUE(ProgramUnderTest::Wait(child, &status, kTimeout));
}

}  // namespace e2e
