#pragma once
// Signalling: balls on a board light up one a second, at most seven at once, each glowing in one
// of three kinds; the player puts them out by clicking them. A four-digit clock starts at 20 s and
// runs down; a ball that goes out by itself adds 2 s, a special ball clicked off its own colour
// 5 s. The clock falling below zero wins.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "Sources/minigames/MiniGame.h"
#include "source/Resources/cResourcePtr.h"
#include "source/sound/cSoundResource.h"

class MiniGameSignalling : public MiniGame {
 public:
  struct Ball {
    GUIWindow* ball = nullptr;  // hidden: its model is the click area
    GUIWindow* glow = nullptr;  // the light the player sees; its picture is the kind
    int32_t kind = 0;           // 0 plain, 1 red, 2 blue
  };

  static constexpr int32_t kMostLit = 7;
  static constexpr float kStartClock = 20.0f;
  static constexpr float kLongestClock = 180.0f;
  static constexpr float kBurnOutPenalty = 2.0f;
  static constexpr float kWrongPlacePenalty = 5.0f;
  static constexpr float kWarningAt = 5.0f;

  explicit MiniGameSignalling(GUIWindow* parent);
  // A game deleted while it runs (the player left for the menu) takes its hum and its warning
  // with it.
  ~MiniGameSignalling() override;

  // A ball lights once the spawn delay has run out, while fewer than seven glow and a dark ball
  // is left to light (a board of seven balls or fewer has none once all glow).
  static bool CanLightBall(float spawn_delay, int32_t lit_count, std::size_t free_balls) {
    return spawn_delay < 0.0f && lit_count < kMostLit && free_balls > 0;
  }

  // Every ball dark, the hum on, the clock at 20 s.
  void Start() override;
  // The clock, its digits, the next ball and the balls that burn out.
  bool IsWorkingFinished(float dt) override;
  // Shown or hidden, the pieces' models follow their pieces.
  void SetVisible(bool v) override;
  // A fresh press puts out every lit ball under it; the warning follows the clock.
  bool OnMouse(const Vector2& point, bool button_down) override;
  // Every sound of the sound player stops with the game.
  void Finish(const std::string& word) override;

  const std::vector<Ball>& GetBalls() const { return m_balls; }
  const std::vector<int32_t>& GetLitBalls() const { return m_lit; }
  const std::vector<int32_t>& GetFreeBalls() const { return m_free; }
  float GetClock() const { return m_clock; }
  bool IsWarning() const { return m_warning; }

 private:
  void LightBall();
  void BurnOut(std::size_t lit_at);
  void ShowClock();
  void UpdateWarning();

  std::vector<Ball> m_balls;
  std::vector<GUIWindow*> m_digits;  // tens of minutes, minutes, tens of seconds, seconds
  std::vector<int32_t> m_free;
  std::vector<int32_t> m_lit;
  GUIWindow* m_bg_blue = nullptr;
  GUIWindow* m_bg_red = nullptr;
  int32_t m_lit_count = 0;
  float m_clock = 0.0f;
  float m_spawn_delay = 0.0f;
  cResourcePtr<cSoundResource> m_hum;
  cResourcePtr<cSoundResource> m_put_out;
  cResourcePtr<cSoundResource> m_less_time;
  bool m_warning = false;
};
