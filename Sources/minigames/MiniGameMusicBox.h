#pragma once
// The music box: a light runs around a ring of twelve lamps; each time it passes one of the four
// colour lamps a big lamp beside it lights in a colour drawn at random and a note sounds. Then
// the lamps fade and the player repeats the colours in order on four coloured buttons. A stage
// ends with a success picture, or a failure picture and a new tune; after the last stage, "win".
// The stages come from "game_data\music_box".

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "Sources/minigames/MiniGame.h"
#include "source/Resources/cResourcePtr.h"
#include "source/sound/cSoundResource.h"

class XmlNode;

class MiniGameMusicBox : public MiniGame {
 public:
  static constexpr int kRingLamps = 12;
  static constexpr int kColours = 4;
  enum Phase : int32_t { kDemonstration = 0, kDemonstrationOn = 1, kFade = 2, kAnswer = 3, kStageWon = 4, kStageLost = 5 };

  struct Stage {
    float time = 1.0f;          // seconds for one turn of the light
    int32_t count = 1;          // notes of the tune
    GUIWindow* success = nullptr;
  };

  explicit MiniGameMusicBox(GUIWindow* parent);

  // Finds a child window of the game by name (null when it has none).
  using WindowLookup = std::function<GUIWindow*(const std::string&)>;
  // Reads the stages below the document's "stages" element: "time" (seconds, above 0; else 1),
  // "count" (notes, at least 1; else 1) and "success" (a child window's name).
  static std::vector<Stage> ReadStages(const XmlNode& root, const WindowLookup& find);

  // From the first stage (a game without stages wins at once, as after its last).
  void Start() override;
  // The step of the current phase; the window stays working until the game finishes.
  bool IsWorkingFinished(float dt) override;
  // Shown or hidden, the pieces' models follow their pieces.
  void SetVisible(bool v) override;

  // The stages to play from the next Start on (those of "game_data\music_box" after construction).
  void SetStages(std::vector<Stage> stages) { m_stages = std::move(stages); }
  const std::vector<Stage>& GetStages() const { return m_stages; }
  int32_t GetPhase() const { return m_phase; }
  int32_t GetStageIndex() const { return static_cast<int32_t>(m_current); }
  const std::vector<int32_t>& GetExpectedNotes() const { return m_expected; }

 private:
  DelegateArg OnButton(DelegateArg sender);
  void ResetStage();
  void SetLampLevel(int32_t position, float level);
  float LampAlpha(int32_t position) const;
  // Position and progress of the light at `elapsed` in the current stage.
  int32_t RingPosition(float elapsed, float* progress) const;
  void DrawTrail(int32_t position, float progress);
  void DarkenBehind(int32_t position);
  void FadeLamps(float level);
  void HideAllLamps();
  void PlayOnce(const cResourcePtr<cSoundResource>& sound);
  bool IsPlaying(const cResourcePtr<cSoundResource>& sound) const;
  float StageTime() const;
  GUIWindow* StageSuccess() const;

  void StepDemonstration(float dt);
  void StepFade(float dt);
  void StepAnswer(float dt);
  void StepStageWon(float dt);
  void StepStageLost(float dt);

  std::array<GUIWindow*, kRingLamps> m_ring{};
  std::array<GUIWindow*, kColours> m_big{};
  std::array<GUIWindow*, kColours> m_buttons{};
  std::vector<Stage> m_stages;
  std::vector<int32_t> m_expected;
  float m_elapsed = 0.0f;
  int32_t m_last_position = -1;
  int32_t m_pending = 0;
  std::size_t m_current = 0;  // the stage played; the stage count after the last
  cResourcePtr<cSoundResource> m_circle_big;
  cResourcePtr<cSoundResource> m_circle_small;
  cResourcePtr<cSoundResource> m_fail;
  cResourcePtr<cSoundResource> m_success;
  cResourcePtr<cSoundResource> m_victory;
  int32_t m_phase = kDemonstration;
  std::array<GUIWindow*, kColours> m_shines{};
};
