#pragma once
// The clock: a dial whose minute and hour hands the player turns with the mouse about their
// centres until they show seven o'clock. A hand turns one and a half times as far as the pointer
// turns about it; a spring creaks while a hand is held. It cannot be skipped.

#include "Sources/minigames/MiniGame.h"
#include "source/Resources/cResourcePtr.h"
#include "source/sound/cSoundResource.h"

class MiniGameClock : public MiniGame {
 public:
  // One whole turn of a hand, in units of its pose.
  static constexpr float kTurn = 100.0f;

  explicit MiniGameClock(GUIWindow* parent);
  ~MiniGameClock() override;

  void Start() override;
  bool OnMouse(const Vector2& point, bool button_down) override;
  void Finish(const std::string& word) override;

  float GetMinuteValue() const { return m_minute_value; }
  float GetHourValue() const { return m_hour_value; }
  // Both hands show the wanted time: the minute hand within half a unit of 12, the hour hand
  // just before 7.
  static bool ShowsTheTime(float minute_value, float hour_value);

 private:
  // The dragged hand follows the pointer's turn about the hand's centre from the last point to p.
  void DragStep(const Vector3& p);

  GUIWindow* m_minute_hand = nullptr;
  GUIWindow* m_hour_hand = nullptr;
  GUIWindow* m_dragged = nullptr;
  Vector3 m_last_point;
  cResourcePtr<cSoundResource> m_spring_sound;
  float m_minute_value = 0.0f;
  float m_hour_value = 0.0f;
};
