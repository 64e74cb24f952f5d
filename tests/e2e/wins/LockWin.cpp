#include <algorithm>
#include <vector>

#include "tests/e2e/MiniGameWins.h"
#include "tests/e2e/wins/WinHands.h"

namespace e2e {
namespace {

constexpr float kRodX[] = {341.0f, 453.0f, 567.0f, 678.0f};
constexpr float kRodY = 384.0f;
// A rod's mark below it lights when the rod stops at its middle.
Area Mark(int rod) { return Around({kRodX[rod], 178.0f}, 14.0f); }
constexpr Area kRods{320.0f, 220.0f, 700.0f, 560.0f};

class LockPlayer {
 public:
  explicit LockPlayer(GameScreen& screen) : m_screen(screen), m_rest(Settled(screen, "lock-board", {232.0f, 124.0f, 792.0f, 644.0f})) {}

  // Clicks the rod until its mark lights.
  bool Press(int rod) {
    const std::string name = "lock-rod-" + std::to_string(rod + 1);
    for (int i = 0; i < 3; ++i) {
      m_screen.Click({kRodX[rod], kRodY});
      if (m_screen.WaitFor(name, 10000, [&](const WindowPixels& p) { return !m_screen.Same(p, m_rest, Mark(rod)); })) {
        return true;
      }
    }
    return false;
  }

  // After a pressed rod stopped: a wrong rod puts out every mark within half a second of the
  // game's time and the rods spring back; a right one leaves the lock as it stands.
  bool SprangBack(int rod) {
    const bool back = m_screen.WaitFor("lock-after-" + std::to_string(rod + 1), 6000,
                                       [&](const WindowPixels& p) { return m_screen.Same(p, m_rest, Mark(rod)); });
    if (back) m_screen.WaitForSame("lock-at-rest", m_rest, kRods);
    return back;
  }

 private:
  GameScreen& m_screen;
  WindowPixels m_rest;
};

}  // namespace

// The order is drawn at every start and shown by nothing but the lock springing back: each next
// rod is found by trying the rods left after the ones known, the known ones pressed again after
// every spring.
bool WinLock(GameScreen& screen) {
  LockPlayer lock(screen);
  std::vector<int> known;
  while (known.size() < 4) {
    std::vector<int> left;
    for (int rod = 0; rod < 4; ++rod) {
      if (std::find(known.begin(), known.end(), rod) == known.end()) left.push_back(rod);
    }
    for (std::size_t i = 0; i < left.size(); ++i) {
      const bool last = i + 1 == left.size();
      if (!lock.Press(left[i])) return false;
      if (last || !lock.SprangBack(left[i])) {
        known.push_back(left[i]);
        break;
      }
      for (int rod : known) {
        if (!lock.Press(rod)) return false;
      }
    }
  }
  return true;
}

}  // namespace e2e
