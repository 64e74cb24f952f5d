#include "Sources/minigames/MiniGameRememberPictures.h"

#include <algorithm>
#include <string>

#include "Sources/minigames/MiniGamePieces.h"
#include "source/input/cInput.h"
#include "source/math/Rand.h"
#include "source/render/RenderObject.h"
#include "source/sound/cSoundPlayer.h"
#include "source/timer/cTimerManager.h"

namespace {

constexpr float kSeen = 0.00001f;

void Play(const cResourcePtr<cSoundResource>& sound) { cSoundPlayer::GetInstance()->Play(sound, false); }

}  // namespace

MiniGameRememberPictures::MiniGameRememberPictures(GUIWindow* parent) : MiniGame("remember_pictures", parent) {
  LoadForm("minigames\\location_8\\remember_pictures\\remember_pictures");
  for (int i = 0;; ++i) {
    GUIWindow* on = FindChild("icon_" + std::to_string(i) + "_on");
    GUIWindow* off = FindChild("icon_" + std::to_string(i) + "_off");
    if (on == nullptr || off == nullptr) break;
    m_icons.push_back(Icon{on, off});
  }
  m_cover = FindPiece(*this, "cover");
  m_pictures = FindNumberedPieces(*this, "picture_", kPictures);
  m_cover_sound.Assign("audio\\game\\move_stone");
  m_right_sound.Assign("audio\\game\\success2");
}

void MiniGameRememberPictures::Start() {
  MiniGame::Start();
  for (Icon& icon : m_icons) {
    icon.on->Show(false);
    icon.off->Show(true);
    icon.fade = 0.0f;
    icon.solved = false;
    icon.active = true;
  }
  if (RenderObject* cover = m_cover != nullptr ? m_cover->GetVisual().GetModel() : nullptr) {
    AnimationController& animation = cover->GetAnimation();
    animation.SetAnimation("main");
    animation.SetForward(false);
    animation.SetPlaying(false);
    animation.SetTime(animation.GetLength() * animation.GetFramesPerSecond());
  }
  m_phase = kWaiting;
  m_delay = kFirstDelay;
  m_chosen.clear();
  m_pool.clear();
  for (int i = 0; i < CountIcons(); ++i) m_pool.push_back(i);
}

bool MiniGameRememberPictures::OnMouse(const Vector2& point, bool button_down) {
  const bool answer = MiniGame::OnMouse(point, button_down);
  const cInput* input = cInput::PeekInstance();
  if (m_phase == kAnswering && !m_chosen.empty() && AcceptsPieceInput() && input != nullptr &&
      input->Mouse().IsPressed(cInput::kMouseLeft)) {
    JudgePress();
  }
  return answer;
}

void MiniGameRememberPictures::JudgePress() {
  for (int i = 0; i < CountIcons(); ++i) {
    Icon& icon = m_icons[static_cast<std::size_t>(i)];
    if (icon.solved || !icon.active || !icon.off->IsHover() || !icon.off->IsVisible()) continue;
    if (std::find(m_chosen.begin(), m_chosen.end(), i) == m_chosen.end()) {
      m_delay = 0.0f;
      m_phase = kWaiting;
      m_pool.insert(m_pool.end(), m_chosen.begin(), m_chosen.end());
      m_chosen.clear();
      return;
    }
    Play(m_right_sound);
    icon.active = false;
    ++m_correct;
    break;
  }
  if (m_correct == kPictures) {
    for (int chosen : m_chosen) m_icons[static_cast<std::size_t>(chosen)].solved = true;
    m_chosen.clear();
    m_delay = 0.0f;
    m_phase = kWaiting;
  }
}

bool MiniGameRememberPictures::IsWorkingFinished(float dt) {
  const float delta = cTimerManager::GetInstance()->GetFrameDelta();
  Fade(delta);
  StepPhase(delta);
  return GUIStateWindow::IsWorkingFinished(dt);
}

void MiniGameRememberPictures::Fade(float dt) {
  for (Icon& icon : m_icons) {
    icon.fade = std::clamp(icon.fade + (icon.active ? -kFadeRate : kFadeRate) * dt, 0.0f, 1.0f);
    icon.on->Show(icon.fade > kSeen);
    icon.on->SetColor(Vector4(1.0f, 1.0f, 1.0f, icon.fade));
    icon.off->Show(1.0f - icon.fade > kSeen);
    const float dim = 1.0f - icon.fade;
    icon.off->SetColor(Vector4(dim, dim, dim, dim));
  }
}

void MiniGameRememberPictures::StepPhase(float dt) {
  switch (m_phase) {
    case kWaiting:
      m_delay -= dt;
      if (m_delay < 0.0f) {
        m_phase = kOpening;
        NewTurn();
      }
      break;
    case kOpening:
      // The cover was set going by the new turn; a call each frame would keep it from stopping.
      if (IsCoverStopped()) {
        m_phase = kShowing;
        m_delay = kShowTime;
      }
      break;
    case kShowing:
      m_delay -= dt;
      if (m_delay < 0.0f) {
        m_phase = kClosing;
        PlayCover(true);
      }
      break;
    case kClosing:
      if (IsCoverStopped()) m_phase = kAnswering;
      break;
    case kEnding:
      m_delay -= dt;
      if (m_delay < 0.0f && m_result == "wait") Finish("win");
      break;
    default:
      break;
  }
}

void MiniGameRememberPictures::NewTurn() {
  Play(m_cover_sound);
  PlayCover(false);
  for (Icon& icon : m_icons) {
    if (!icon.solved) icon.active = true;
  }
  m_chosen.clear();
  if (m_pool.size() < 4) {
    // The last icons: the first left lights by itself and the game ends. An empty pool (a form
    // with too few icons) has none to light.
    if (!m_pool.empty()) m_icons[static_cast<std::size_t>(m_pool.front())].active = false;
    m_delay = kWinDelay;
    m_phase = kEnding;
    if (RenderObject* cover = m_cover != nullptr ? m_cover->GetVisual().GetModel() : nullptr) {
      cover->GetAnimation().SetPlaying(false);
      cover->GetAnimation().SetTime(cover->GetAnimation().GetLength() * cover->GetAnimation().GetFramesPerSecond());
    }
    return;
  }
  for (int k = 0; k < kPictures; ++k) {
    const std::size_t at = Rand() % m_pool.size();
    m_chosen.push_back(m_pool[at]);
    m_pool.erase(m_pool.begin() + static_cast<std::ptrdiff_t>(at));
    SetPieceFrame(m_pictures[static_cast<std::size_t>(k)], static_cast<float>(m_chosen.back()));
  }
  m_correct = 0;
}

bool MiniGameRememberPictures::IsCoverStopped() const {
  const RenderObject* cover = m_cover != nullptr ? m_cover->GetVisual().GetModel() : nullptr;
  return cover == nullptr || !cover->GetAnimation().IsPlaying();
}

void MiniGameRememberPictures::PlayCover(bool forward) {
  RenderObject* cover = m_cover != nullptr ? m_cover->GetVisual().GetModel() : nullptr;
  if (cover == nullptr) return;
  cover->GetAnimation().SetForward(forward);
  cover->GetAnimation().Play();
}
