#pragma once
// The circles: four concentric stone rings, each turned to a random angle when the game starts;
// the player turns them with the mouse about their centre until every ring stands at home and
// the carving is whole again. Two seconds later the game is won.

#include <vector>

#include "Sources/minigames/MiniGame.h"
#include "source/Resources/cResourcePtr.h"
#include "source/sound/cSoundResource.h"

class MiniGameCircles : public MiniGame {
 public:
  static constexpr int kRings = 4;
  static constexpr float kWinDelay = 2.0f;

  explicit MiniGameCircles(GUIWindow* parent);
  ~MiniGameCircles() override;

  void Start() override;
  bool OnMouse(const Vector2& point, bool button_down) override;
  bool IsWorkingFinished(float dt) override;
  void Finish(const std::string& word) override;

  // A ring whose track ends at `end` stands at home at `pose`.
  static bool IsHome(float pose, float end);
  bool IsRingSolved() const { return m_solved; }
  const std::vector<GUIWindow*>& GetRings() const { return m_rings; }

 private:
  // The dragged ring follows the pointer's turn about its centre from the last point to p (at
  // most a quarter turn of the pointer a step).
  void TurnStep(const Vector3& p);
  bool AreAllHome() const;

  std::vector<GUIWindow*> m_rings;  // "circle_1" to "circle_4"; null where the form lacks one
  GUIWindow* m_dragged = nullptr;
  Vector3 m_last_point;
  bool m_solved = false;
  float m_win_delay = 0.0f;
  cResourcePtr<cSoundResource> m_turn_sound;
};
