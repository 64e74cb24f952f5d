#include "Sources/minigames/MiniGameMusicBox.h"

#include <algorithm>
#include <cmath>

#include "Sources/minigames/MiniGamePictures.h"
#include "Sources/minigames/MiniGamePieces.h"
#include "source/Resources/cResourcePtr.h"
#include "source/Resources/cXmlResource.h"
#include "source/log/cLog.h"
#include "source/math/Rand.h"
#include "source/properties/Conversions.h"
#include "source/properties/NumberText.h"
#include "source/sound/cSoundPlayer.h"
#include "source/xml/XmlNode.h"

namespace {

constexpr const char* kRingNames[MiniGameMusicBox::kRingLamps] = {
    "blue_shine", "small_0", "small_1", "red_shine",   "small_2", "small_3",
    "yellow_shine", "small_4", "small_5", "green_shine", "small_6", "small_7"};
constexpr const char* kBigNames[MiniGameMusicBox::kColours] = {"big_blue", "big_red", "big_yellow", "big_green"};
constexpr const char* kButtonNames[MiniGameMusicBox::kColours] = {"blue", "red", "yellow", "green"};
constexpr const char* kShineNames[MiniGameMusicBox::kColours] = {"blue_shine", "red_shine", "yellow_shine",
                                                                 "green_shine"};
constexpr const char* kStagesResource = "game_data\\music_box";
// Seconds a stage's result picture stands before the next stage or the replay.
constexpr float kResultTime = 5.0f;
constexpr float kSuccessPicture = 0.0f;
constexpr float kFailurePicture = 1.0f;

bool IsColourLamp(int32_t position) { return position % 3 == 0; }

void ShowPiece(GUIWindow* piece, bool on) {
  if (piece != nullptr) piece->Show(on);
}

void SetAlpha(GUIWindow* piece, float alpha) {
  if (piece != nullptr) piece->SetColor(Vector4(1.0f, 1.0f, 1.0f, alpha));
}

}  // namespace

MiniGameMusicBox::MiniGameMusicBox(GUIWindow* parent) : MiniGame("musicbox", parent) {
  LoadForm("minigames\\location_5\\music_box");
  for (int p = 0; p < kRingLamps; ++p) m_ring[p] = FindPiece(*this, kRingNames[p]);
  for (int k = 0; k < kColours; ++k) {
    m_big[k] = FindPiece(*this, kBigNames[k]);
    m_buttons[k] = FindPiece(*this, kButtonNames[k]);
    m_shines[k] = FindPiece(*this, kShineNames[k]);
    ShowPiece(m_big[k], false);
    if (m_buttons[k] == nullptr) continue;
    m_buttons[k]->SetValue("click_sound", "audio\\game\\button02");
    m_buttons[k]->SetEvent("on_click", MakeMemberDelegate(this, &MiniGameMusicBox::OnButton));
  }
  for (const char* unused : {"indicator_1", "indicator_2", "indicator_3", "indicator_4", "small_12"}) {
    ShowPiece(FindPiece(*this, unused), false);
  }
  cResourcePtr<cXmlResource> stages;
  if (stages.Assign(kStagesResource)) {
    m_stages = ReadStages(stages->GetRoot(), [this](const std::string& name) { return FindChild(name); });
  }
  m_circle_big.Assign("audio\\game\\circle_big");
  m_circle_small.Assign("audio\\game\\circle_small");
  m_fail.Assign("audio\\game\\fail01");
  m_success.Assign("audio\\game\\success2");
  m_victory.Assign("audio\\game\\victory01");
}

std::vector<MiniGameMusicBox::Stage> MiniGameMusicBox::ReadStages(const XmlNode& root, const WindowLookup& find) {
  std::vector<Stage> stages;
  const XmlNode* list = root.FindChildByPath("stages");
  if (list == nullptr) return stages;
  for (const XmlNode* element = list->GetFirstChild(); element != nullptr; element = element->GetNext()) {
    Stage stage;
    const double time = ParseDouble(GetAttributeValue(element, "time", "1"));
    // A turn of no time (or of no number) would never end: one second instead.
    stage.time = time > 0.0 && std::isfinite(time) && time < 3600.0 ? static_cast<float>(time) : 1.0f;
    // A tune of no notes would never end its demonstration: one note instead.
    stage.count = std::max(1, ParseDecimalInt(GetAttributeValue(element, "count", "1")));
    const std::string success = GetAttributeValue(element, "success", "");
    stage.success = success.empty() || !find ? nullptr : find(success);
    stages.push_back(stage);
  }
  return stages;
}

float MiniGameMusicBox::StageTime() const { return m_current < m_stages.size() ? m_stages[m_current].time : 1.0f; }

GUIWindow* MiniGameMusicBox::StageSuccess() const {
  return m_current < m_stages.size() ? m_stages[m_current].success : nullptr;
}

void MiniGameMusicBox::PlayOnce(const cResourcePtr<cSoundResource>& sound) {
  if (sound && !IsPlaying(sound)) cSoundPlayer::GetInstance()->Play(sound, false);
}

bool MiniGameMusicBox::IsPlaying(const cResourcePtr<cSoundResource>& sound) const {
  const cSoundPlayer* player = cSoundPlayer::PeekInstance();
  return sound && player != nullptr && player->IsPlaying(sound);
}

void MiniGameMusicBox::Start() {
  for (const Stage& stage : m_stages) ShowPiece(stage.success, false);
  m_current = 0;
  if (m_stages.empty()) {
    LogReport(kLogError, "Sources\\MiniGame", __LINE__, "musicbox: %s holds no stages", kStagesResource);
    // Nothing to play: the game ends as after its last stage.
    m_phase = kStageWon;
  } else {
    ResetStage();
  }
  MiniGame::Start();
}

void MiniGameMusicBox::ResetStage() {
  m_elapsed = 0.0f;
  m_last_position = -1;
  m_pending = m_current < m_stages.size() ? m_stages[m_current].count : 1;
  m_expected.clear();
  for (GUIWindow* shine : m_shines) SetPiecePicture(shine, 1.0f);
  for (GUIWindow* big : m_big) ShowPiece(big, false);
  for (GUIWindow* lamp : m_ring) {
    ShowPiece(lamp, false);
    SetAlpha(lamp, 0.0f);
  }
  m_phase = kDemonstration;
  ShowPiece(StageSuccess(), false);
}

void MiniGameMusicBox::SetLampLevel(int32_t position, float level) {
  const bool wrapped = position < 0;
  if (wrapped) position += kRingLamps;
  if (position < 0 || position >= kRingLamps) return;
  SetAlpha(m_ring[position], level);
  if (IsColourLamp(position)) SetAlpha(m_big[position / 3], level);
  if (!wrapped) ShowPiece(m_ring[position], level > 0.0f);
}

float MiniGameMusicBox::LampAlpha(int32_t position) const {
  const GUIWindow* lamp = m_ring[position];
  return lamp != nullptr ? lamp->GetVisual().GetColor().w : 0.0f;
}

int32_t MiniGameMusicBox::RingPosition(float elapsed, float* progress) const {
  const float fraction = elapsed / StageTime();
  const int32_t position = std::clamp(static_cast<int32_t>(fraction * kRingLamps), 0, kRingLamps - 1);
  const float step = 1.0f / kRingLamps;
  if (progress != nullptr) *progress = (fraction - static_cast<float>(position) * step) / step;
  return position;
}

void MiniGameMusicBox::DarkenBehind(int32_t position) {
  for (int32_t p = 0; p <= position - 4; ++p) SetLampLevel(p, 0.0f);
}

void MiniGameMusicBox::DrawTrail(int32_t position, float progress) {
  DarkenBehind(position);
  SetLampLevel(position - 2, 1.0f - progress);
  SetLampLevel(position - 1, 1.0f);
  SetLampLevel(position, progress);
}

void MiniGameMusicBox::FadeLamps(float level) {
  for (int32_t p = 0; p < kRingLamps; ++p) {
    const float alpha = LampAlpha(p);
    if (alpha > 0.0f) SetLampLevel(p, std::min(alpha, level));
  }
}

void MiniGameMusicBox::HideAllLamps() {
  for (GUIWindow* lamp : m_ring) {
    ShowPiece(lamp, false);
    SetAlpha(lamp, 0.0f);
  }
  for (GUIWindow* big : m_big) ShowPiece(big, false);
}

bool MiniGameMusicBox::IsWorkingFinished(float dt) {
  switch (m_phase) {
    case kDemonstration:
    case kDemonstrationOn: StepDemonstration(dt); break;
    case kFade: StepFade(dt); break;
    case kAnswer: StepAnswer(dt); break;
    case kStageWon: StepStageWon(dt); break;
    case kStageLost: StepStageLost(dt); break;
    default: break;
  }
  return false;
}

void MiniGameMusicBox::StepDemonstration(float dt) {
  m_elapsed += dt;
  if (m_elapsed >= StageTime()) m_elapsed = 0.0f;
  float progress = 0.0f;
  const int32_t position = RingPosition(m_elapsed, &progress);
  if (position != m_last_position) {
    if (IsColourLamp(position)) {
      PlayOnce(m_circle_big);
      const int32_t colour = static_cast<int32_t>((Rand() & 3u));
      GUIWindow* big = m_big[position / 3];
      SetPiecePicture(big, static_cast<float>(colour));
      ShowPiece(big, true);
      m_expected.push_back(colour);
      --m_pending;
    } else {
      PlayOnce(m_circle_small);
      if (m_pending <= 0) {
        m_phase = kFade;
        m_elapsed = 0.0f;
      }
    }
  }
  m_last_position = position;
  DrawTrail(position, progress);
}

void MiniGameMusicBox::StepFade(float dt) {
  m_elapsed += dt;
  const float level = 1.0f - 2.0f * m_elapsed;
  if (level >= 0.0f) {
    FadeLamps(level);
    return;
  }
  m_elapsed = 0.0f;
  m_phase = kAnswer;
  m_last_position = 0;
  m_pending = 0;
  HideAllLamps();
  SetLampLevel(0, 1.0f);
}

void MiniGameMusicBox::StepAnswer(float dt) {
  float progress = 0.0f;
  if (m_pending == 0) {
    // The light runs to the end of its lamp and stands there.
    const float next = m_elapsed + dt < StageTime() ? m_elapsed + dt : m_elapsed;
    if (RingPosition(next, nullptr) == m_last_position) m_elapsed = next;
  } else {
    m_elapsed += dt;
    if (m_elapsed >= StageTime()) m_elapsed = 0.0f;
    const int32_t position = RingPosition(m_elapsed, nullptr) % kRingLamps;
    if (position != m_last_position) {
      if (IsColourLamp(position)) --m_pending;
      m_last_position = position;
    }
  }
  const int32_t position = RingPosition(m_elapsed, &progress);
  DarkenBehind(position);
  for (int32_t p = 0; p <= position - 4; ++p) {
    if (IsColourLamp(p)) ShowPiece(m_big[p / 3], false);
  }
  DrawTrail(position, progress);
}

DelegateArg MiniGameMusicBox::OnButton(DelegateArg sender) {
  if (m_phase != kAnswer || m_expected.empty()) return 0;
  const auto* button = reinterpret_cast<const GUIWindow*>(sender);
  const auto found = std::find(m_buttons.begin(), m_buttons.end(), button);
  if (found == m_buttons.end()) return 0;
  const int32_t colour = static_cast<int32_t>(found - m_buttons.begin());
  GUIWindow* success = StageSuccess();
  if (colour == m_expected.front()) {
    PlayOnce(m_success);
    m_pending = 1;
    GUIWindow* big = m_big[std::clamp(m_last_position, 0, kRingLamps - 1) / 3];
    SetPiecePicture(big, static_cast<float>(colour));
    ShowPiece(big, true);
    m_expected.erase(m_expected.begin());
    if (m_expected.empty()) {
      PlayOnce(m_victory);
      m_phase = kStageWon;
      SetAlpha(success, 0.0f);
      SetPiecePicture(success, kSuccessPicture);
      ShowPiece(success, true);
      m_elapsed = 0.0f;
    }
  } else {
    if (m_fail) cSoundPlayer::GetInstance()->Play(m_fail, false);
    m_elapsed = 0.0f;
    m_phase = kStageLost;
    SetAlpha(success, 0.0f);
    SetPiecePicture(success, kFailurePicture);
    ShowPiece(success, true);
  }
  return 0;
}

void MiniGameMusicBox::StepStageWon(float dt) {
  m_elapsed += dt;
  if (m_current >= m_stages.size()) {
    if (!IsPlaying(m_victory)) Finish("win");
    return;
  }
  SetAlpha(StageSuccess(), std::min(m_elapsed, 1.0f));
  FadeLamps(1.0f - 2.0f * m_elapsed);
  if (m_elapsed >= kResultTime) {
    ++m_current;
    if (m_current < m_stages.size()) ResetStage();
  }
}

void MiniGameMusicBox::StepStageLost(float dt) {
  m_elapsed += dt;
  SetAlpha(StageSuccess(), std::min(m_elapsed, 1.0f));
  FadeLamps(1.0f - 2.0f * m_elapsed);
  if (m_elapsed >= kResultTime) ResetStage();
}

void MiniGameMusicBox::SetVisible(bool v) {
  MiniGame::SetVisible(v);
  MatchModelsToPieces(*this);
}
