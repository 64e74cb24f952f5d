#pragma once
// A fixture for tests that play the real game on the test's display: it starts the program in a
// sandbox with the sample game beside it, places points of the GUI's 1024 x 768 screen on the
// window, clicks them with the real pointer, and polls what the window shows, keeping each frame
// it waited on as a numbered PNG file in a folder of the build ("<name>-frames").

#include <gtest/gtest.h>

#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "tests/e2e/ProgramUnderTest.h"
#include "tests/e2e/WindowPixels.h"

namespace e2e {

constexpr int kTimeout = 30000;

// Points and areas of the GUI's 1024 x 768 screen (y upward).
struct Point {
  float x, y;
};
struct Area {
  float x0, y0, x1, y1;
};

using PixelKind = std::function<bool(int r, int g, int b)>;
bool Parchment(int r, int g, int b);
// Brass and gold: the key, the panel's buttons.
bool Brass(int r, int g, int b);
// A hint charge is a blue gem.
bool Gem(int r, int g, int b);
// The sea of the maps.
bool Sea(int r, int g, int b);
// Sunlit white: a sail, a lit lamp.
bool Bright(int r, int g, int b);

// The main menu's board and its Play button; the name prompt's small dialog and its OK.
constexpr Area kMenuBoard{362, 300, 388, 330}, kSmallDialog{178, 300, 228, 330};
constexpr Point kStartGame{512, 523}, kNameOk{402, 303};

class GameScreen : public ::testing::Test {
 protected:
  // `sanitized_too`: the case also runs in the sanitized build (whose frames are slow), which
  // otherwise skips it.
  explicit GameScreen(std::string frames_name, bool sanitized_too = false)
      : m_frames_name(std::move(frames_name)), m_sanitized_too(sanitized_too) {}
  void SetUp() override;

 public:  // the hands and eyes, for the steps that play a mini-game (MiniGameWins.h)

  int X(float gx) const;
  int Y(float gy) const;

  // Keeps the frame the window shows now.
  void Snap(const std::string& name);
  // Keeps `pixels` as the frame: the very one a wait saw.
  void Keep(const std::string& name, const WindowPixels& pixels);
  // Polls the window until `holds` is true of what it shows or the time is up, keeping the frame.
  bool WaitFor(const std::string& name, int timeout_ms, const std::function<bool(const WindowPixels&)>& holds);
  // Waits until most pixels of the area are of the kind (or not), keeping the frame.
  bool WaitForArea(const std::string& name, Area a, bool shown, int timeout_ms, const PixelKind& kind);
  bool WaitForParchment(const std::string& name, Area a, bool shown, int timeout_ms = kTimeout) {
    return WaitForArea(name, a, shown, timeout_ms, Parchment);
  }
  bool WaitForGem(const std::string& name, Area a, bool shown, int timeout_ms = kTimeout) {
    return WaitForArea(name, a, shown, timeout_ms, Gem);
  }
  // Waits until more than a few pixels of brass show in the area (or none), keeping the frame.
  bool WaitForBrass(const std::string& name, Area a, bool shown, int timeout_ms = kTimeout);
  // Waits until the area shows what it showed in `reference` (nearly every pixel within a small
  // difference), keeping the frame.
  bool WaitForSame(const std::string& name, const WindowPixels& reference, Area a, int timeout_ms = kTimeout);
  // Whether the area shows much the same in both frames.
  bool Same(const WindowPixels& pixels, const WindowPixels& reference, Area a) const;
  bool Mostly(const WindowPixels& pixels, Area a, const PixelKind& kind) const;
  int Size(Area a) const;
  int Count(const WindowPixels& pixels, Area a, const PixelKind& kind) const;

  // Polls the log until it holds `line` more than `times_before` times.
  bool WaitForLog(const std::string& line, int timeout_ms = kTimeout, std::size_t times_before = 0);
  std::size_t LogCount(const std::string& line) const;
  // Play on the main menu, pressed again until the game says it goes on or begins (a click on a
  // logo that still shows, or on the menu as it appears, is lost).
  void PressPlay(const std::string& name);

  void Xdotool(const std::string& arguments);
  std::string Move(Point at) const;
  void Click(Point at);
  // Presses at `from`, moves the pointer to `to` in steps with the button down, and lets go.
  void Drag(Point from, Point to);

  std::string Log() const;
  std::string Profile() const;

  // Starts the game and clicks its logos away; answers the child.
  pid_t StartGame();
  // Starts a program built beside this test (copied into the sandbox) and waits until its window
  // shows; answers the child.
  pid_t StartDriver(const std::string& name, const std::vector<std::string>& arguments,
                    const std::vector<std::string>& environment = {"SDL_AUDIODRIVER=dummy"});
  // Starts the mini-game driver with that game alone on the screen and waits until the game takes
  // clicks; answers the child.
  pid_t StartMiniGame(const std::string& game);
  void ExpectExitedNormally(pid_t child);
  // Ends the program as a window manager's close button does and waits for it.
  void CloseGame(pid_t child);
  // Ends the program at once, as a crash or a power cut would.
  void KillGame(pid_t child);

  ProgramUnderTest program;
  std::filesystem::path frames;
  unsigned long window = 0;
  int width = 1024, height = 768;
  int shots = 0;
  WindowPixels frame;  // the last frame a wait read

 private:
  std::string m_frames_name;
  bool m_sanitized_too = false;
};

}  // namespace e2e
