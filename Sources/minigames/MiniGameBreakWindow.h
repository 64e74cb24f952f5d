#pragma once
// The break window, seen from the side: the player aims an arrow with the mouse, holds the button
// while a power gauge fills and lets go to throw a stone in an arc at a window; each hit shows the
// next, more broken look of it, and the last look wins. Stones that hit the fence burst; stones
// that leave the background are simply thrown again. Its own camera clips to the scene's box.

#include <cstdint>
#include <vector>

#include "Sources/minigames/MiniGame.h"
#include "Sources/minigames/MiniGameArcade.h"

class CameraHandle;

class MiniGameBreakWindow : public MiniGame {
 public:
  enum Phase : int32_t { kReady = 0, kAiming, kChargeStart, kCharging, kThrow, kFlight, kAfterHit, kWon };
  static constexpr float kMaxAngle = 1.5707964f;
  static constexpr float kThrowSpeed = 800.0f;
  static constexpr float kGravity = 400.0f;
  static constexpr float kSpin = 2.0f;
  static constexpr float kBurstDelay = 0.5f;
  static constexpr float kWinDelay = 2.0f;

  explicit MiniGameBreakWindow(GUIWindow* parent);
  // The game over another form (tests use forms that lack its pieces).
  MiniGameBreakWindow(GUIWindow* parent, const std::string& form);
  ~MiniGameBreakWindow() override;

  void Start() override;
  void SetState(int state) override;
  bool IsWorkingFinished(float dt) override;
  bool OnMouse(const Vector2& point, bool button_down) override;

  // The aim from the stone's start toward a point: the angle above the horizontal, 0 to 90
  // degrees; 0 when the point lies below the start or on it.
  float AngleTo(const Vector2& point);

  int32_t GetPhase() const { return m_phase; }
  float GetAngle() const { return m_angle; }
  int32_t GetCurrentLook() const { return m_look; }
  const Vector3& GetStartPosition() const { return m_start; }
  const std::vector<GUIWindow*>& GetLooks() const { return m_looks; }

 private:
  void Place(GUIWindow* piece, const Vector3& position, float angle);
  void Throw();
  void Fly(float dt);
  void Burst();

  std::vector<GUIWindow*> m_looks;
  GUIWindow* m_stone = nullptr;
  GUIWindow* m_arrow = nullptr;
  GUIWindow* m_gauge = nullptr;
  GUIWindow* m_fill = nullptr;
  GUIWindow* m_background = nullptr;
  GUIWindow* m_fence = nullptr;
  GUIWindow* m_burst = nullptr;
  CameraHandle* m_camera = nullptr;
  int32_t m_phase = kReady;
  float m_angle = 0.0f;
  float m_gravity = 0.0f;
  float m_delay = 0.0f;
  int32_t m_look = 0;
  Vector3 m_start;
  Vector3 m_position;
  Vector3 m_velocity;
  cResourcePtr<cSoundResource> m_wall_sound, m_glass_sound;
  bool m_logged_no_aim = false;
};
