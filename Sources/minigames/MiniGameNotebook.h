#pragma once
// The chief's notebook: a page the player reads, whose inked notes fade in a second after it
// opens and take another second to show fully. Left before the ink has fully appeared, it ends
// with an empty result, so it is still to be read; closed afterwards it counts as read, as a
// document does.

#include "Sources/minigames/MiniGame.h"
#include "source/math/Vector.h"

class MiniGameNotebook : public MiniGame {
 public:
  // Seconds from Start until the ink begins to show; it then takes one more second.
  static constexpr float kInkDelay = 2.0f;

  explicit MiniGameNotebook(GUIWindow* parent);

  // Offers no exit or skip button. The ink keeps what it showed before.
  void Start() override;
  // The ink fades in.
  bool IsWorkingFinished(float dt) override;
  // Any word but the one given once the ink shows fully becomes the empty word.
  void Finish(const std::string& word) override;
  bool IsSolved() const override { return m_result == "win" || m_result == "close"; }

  const Vector4& GetInkColor() const { return m_ink_color; }

 private:
  GUIWindow* m_ink = nullptr;
  Vector4 m_ink_color{1.0f, 1.0f, 1.0f, 0.0f};
  float m_ink_delay = 0.0f;
};
