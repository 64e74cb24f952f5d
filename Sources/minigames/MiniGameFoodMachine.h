#pragma once
// The food machine: coins drop one after another into a vending machine; the player moves a bat
// left and right with the mouse (the pointer is hidden) to bounce them into the coin slot; each
// coin that falls in serves a doughnut, and five doughnuts win. Escape leaves. The coins move in
// the machine's own coordinates (their displacement from the chute) under the game's own camera,
// clipped to the machine's glass.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "Sources/minigames/MiniGame.h"
#include "Sources/minigames/MiniGameArcade.h"

class CameraHandle;
class RenderObject;

class MiniGameFoodMachine : public MiniGame {
 public:
  static constexpr int kCoins = 4;         // the form's coin and three copies
  static constexpr int kMovingCoins = 3;   // the copies beyond these are reset but never thrown
  static constexpr int kDoughnuts = 5;
  static constexpr float kGravity = 340.0f;
  static constexpr float kSideSpeed = 130.0f;
  static constexpr float kLaunchSpeedY = 85.0f;
  static constexpr float kLeftWall = 70.0f, kRightWall = 880.0f, kFloor = -180.0f;
  static constexpr float kFirstLaunch = 3.0f, kLaunchEvery = 5.0f;
  // The longest step of the motion: a slow frame is cut into steps no longer than this, so that a
  // falling coin never passes through the bat's thin top in one step.
  static constexpr float kLongestStep = 0.02f;

  explicit MiniGameFoodMachine(GUIWindow* parent);
  ~MiniGameFoodMachine() override;

  void SetState(int state) override;
  void Start() override;
  void Finish(const std::string& word) override;
  bool IsWorkingFinished(float dt) override;
  bool OnMouse(const Vector2& point, bool button_down) override;

  int32_t GetDoughnutsServed() const { return m_served; }
  bool IsCoinActive(int coin) const { return m_active[coin]; }
  GUIWindow* GetCoin(int coin) const { return m_coins[coin]; }
  float GetBatRange() const { return m_range_end - m_range_start; }

  // The bat's answer to a coin whose box spans the fractions a and b of the bat's width (each
  // 0..1): the coin's new velocity. Off its left part the coin goes up and to the left; from the
  // middle rightwards, up and to the right at full speed.
  static Vector2 BatBounce(float a, float b);

 private:
  void MoveBat();
  void Step(float dt);
  // One coin's step: its fall, the walls, the slot, the spring and the bat.
  void StepCoin(int coin, float dt);
  void DropCoin(int coin);
  void LaunchCoin();
  void ResetCoins();
  void PlaceCoin(int coin, const Vector3& position);

  GUIWindow* m_bat = nullptr;
  std::array<GUIWindow*, kCoins> m_coins{};
  std::vector<std::unique_ptr<RenderObject>> m_coin_models;  // the copies' models
  std::vector<GUIWindow*> m_doughnuts;
  GUIWindow* m_edge = nullptr;
  GUIWindow* m_hole = nullptr;
  GUIWindow* m_helper = nullptr;
  CameraHandle* m_camera = nullptr;
  int m_last_x = 0, m_last_y = 0;
  std::array<Vector3, kCoins> m_velocity{};
  std::array<bool, kCoins> m_active{};
  float m_range_start = 0.0f, m_range_end = 0.0f;
  cResourcePtr<cSoundResource> m_platform_sound, m_bounce_sound, m_slot_sound, m_doughnut_sound;
  int32_t m_served = 0;
  int32_t m_needed = 1;
  float m_launch_time = 0.0f;
  bool m_running = false;
  bool m_dispatched = false;  // the GUI gave this game the mouse in the current frame
};
