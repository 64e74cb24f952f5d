#include "tests/e2e/PlayerHands.h"

#include <cctype>
#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "tests/e2e/KeyboardMap.h"
#include "tests/e2e/ProgramUnderTest.h"
#include "tests/support/fixtures/ResourceFixtures.h"

namespace {

using Clock = std::chrono::steady_clock;

// Polls `holds` every 50 ms until it is true or the time is up.
bool PollUntil(int timeout_ms, const std::function<bool()>& holds) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  for (;;) {
    if (holds()) return true;
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

std::string Log(const ProgramUnderTest& program) { return ReadWholeFile(program.UserFolder() + "/tarvel.html"); }

}  // namespace

std::string FrontScreen(const std::string& log) {
  static const std::string kLine = "screen in front: ";
  const std::size_t at = log.rfind(kLine);
  if (at == std::string::npos) return {};
  std::size_t end = at + kLine.size();
  // A play screen names its kind and what it shows ("place/office").
  const auto in_name = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '/' || c == '.' || c == '-'; };
  while (end < log.size() && in_name(log[end])) ++end;
  return log.substr(at + kLine.size(), end - at - kLine.size());
}

bool WaitForFrontScreen(const ProgramUnderTest& program, const std::string& name, int timeout_ms) {
  return PollUntil(timeout_ms, [&] { return FrontScreen(Log(program)) == name; });
}

std::string PassLogos(const ProgramUnderTest& program, unsigned long window, int timeout_ms) {
  std::string front;
  const std::string move = "xdotool mousemove --window " + std::to_string(window) + " ";
  PollUntil(timeout_ms, [&] {
    front = FrontScreen(Log(program));
    if (front == "logo_window") {
      // Held long enough for a frame of a loaded machine to see the button down.
      const std::string size = ProgramUnderTest::Command("xdotool getwindowgeometry " + std::to_string(window));
      const std::size_t x = size.find("Geometry: ");
      const int width = x != std::string::npos ? std::atoi(size.c_str() + x + 10) : 1024;
      ProgramUnderTest::Command(move + std::to_string(width * 15 / 16) + " 40 sleep 0.2 mousedown 1 sleep 0.3 mouseup 1");
    }
    return !front.empty() && front != "logo_window";
  });
  return front == "logo_window" ? std::string() : front;
}

bool TypeText(unsigned long window, const std::string& text, int timeout_ms,
              const std::function<bool(const std::string& so_far)>& typed) {
  const std::vector<std::string> keys = KeysForText(text);
  const std::vector<uint32_t> letters = CodePoints(text);
  if (keys.size() != letters.size()) return false;
  ProgramUnderTest::Command("xdotool windowfocus --sync " + std::to_string(window));
  std::string so_far;
  std::size_t byte = 0;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    ProgramUnderTest::Command("xdotool key --clearmodifiers " + keys[i]);
    // The letter's bytes in the text: the text typed so far is a prefix of it.
    std::size_t next = byte + 1;
    while (next < text.size() && (static_cast<unsigned char>(text[next]) & 0xC0) == 0x80) ++next;
    so_far = text.substr(0, next);
    byte = next;
    if (typed && !PollUntil(timeout_ms, [&] { return typed(so_far); })) return false;
  }
  return true;
}
