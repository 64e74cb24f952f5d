#include "Sources/minigames/MiniGameSignalling.h"

#include <algorithm>

#include "Sources/minigames/MiniGameMouse.h"
#include "Sources/minigames/MiniGamePictures.h"
#include "Sources/minigames/MiniGamePieces.h"
#include "source/math/Rand.h"
#include "source/render/RenderObject.h"
#include "source/sound/cSoundPlayer.h"

namespace {

constexpr const char* kFlowing = "flowing";
// A glow's alpha reaches 1 at this animation position.
constexpr float kGlowRise = 20.0f;
constexpr float kSpawnDelay = 1.0f;
const Vector4 kDark(1.0f, 1.0f, 1.0f, 0.0f);

void ShowPiece(GUIWindow* piece, bool on) {
  if (piece != nullptr) piece->Show(on);
}

void SetPieceColor(GUIWindow* piece, const Vector4& color) {
  if (piece != nullptr) piece->SetColor(color);
}

void RestartAnimation(GUIWindow* piece, bool play) {
  if (RenderObject* model = PieceModel(piece)) {
    model->GetAnimation().SetTime(0.0f);
    model->GetAnimation().SetPlaying(play);
  }
}

}  // namespace

MiniGameSignalling::MiniGameSignalling(GUIWindow* parent) : MiniGame("signalling", parent) {
  LoadForm("minigames\\location_7\\signalling\\signalling");
  for (int i = 0;; ++i) {
    const std::string name = "ball_" + std::to_string(i);
    GUIWindow* ball = FindChild(name);
    GUIWindow* glow = FindChild(name + "_glow");
    if (ball == nullptr || glow == nullptr) break;
    m_balls.push_back(Ball{ball, glow, 0});
  }
  for (const char* digit : {"number_3", "number_2", "number_1", "number_0"}) m_digits.push_back(FindPiece(*this, digit));
  m_bg_blue = FindPiece(*this, "bg_blue");
  m_bg_red = FindPiece(*this, "bg_red");
  m_hum.Assign("audio\\game\\electro01");
  m_put_out.Assign("audio\\game\\electro02");
  m_less_time.Assign("audio\\game\\less_time");
}

MiniGameSignalling::~MiniGameSignalling() {
  if (cSoundPlayer* player = cSoundPlayer::PeekInstance()) {
    for (const cResourcePtr<cSoundResource>* loop : {&m_hum, &m_less_time}) {
      if (*loop) player->Stop(*loop);
    }
  }
}

void MiniGameSignalling::Start() {
  MiniGame::Start();
  m_free.clear();
  m_lit.clear();
  // A game started again begins with no ball lit and the first ball due at once.
  m_lit_count = 0;
  m_spawn_delay = 0.0f;
  m_warning = false;
  for (std::size_t i = 0; i < m_balls.size(); ++i) {
    for (GUIWindow* piece : {m_balls[i].ball, m_balls[i].glow}) {
      SelectPieceAnimation(piece, kFlowing);
      ShowPiece(piece, false);
    }
    m_free.push_back(static_cast<int32_t>(i));
  }
  if (m_hum) cSoundPlayer::GetInstance()->Play(m_hum, true);
  m_clock = kStartClock;
}

void MiniGameSignalling::ShowClock() {
  float t = m_clock;
  constexpr float kDivisors[] = {600.0f, 60.0f, 10.0f, 1.0f};
  for (std::size_t i = 0; i < m_digits.size(); ++i) {
    const float d = std::clamp(static_cast<float>(static_cast<int32_t>(t / kDivisors[i])), 0.0f, 9.0f);
    t -= d * kDivisors[i];
    SetPiecePicture(m_digits[i], d);
  }
}

void MiniGameSignalling::LightBall() {
  ++m_lit_count;
  const uint32_t a = Rand();
  const uint32_t b = Rand() % 200;
  const int32_t kind = b >= 186 ? 2 : b >= 171 ? 1 : 0;
  const std::size_t at = a % m_free.size();
  const int32_t index = m_free[at];
  Ball& ball = m_balls[index];
  // The kind is the glow's picture, kept apart from the time its animation runs on.
  SetPieceFrame(ball.glow, static_cast<float>(kind));
  ShowPiece(ball.glow, true);
  SetPieceColor(ball.glow, kDark);
  RestartAnimation(ball.ball, true);
  RestartAnimation(ball.glow, true);
  ball.kind = kind;
  m_free.erase(m_free.begin() + static_cast<std::ptrdiff_t>(at));
  m_lit.push_back(index);
  m_spawn_delay = kSpawnDelay;
}

void MiniGameSignalling::BurnOut(std::size_t lit_at) {
  const int32_t index = m_lit[lit_at];
  m_lit.erase(m_lit.begin() + static_cast<std::ptrdiff_t>(lit_at));
  m_free.push_back(index);
  ShowPiece(m_balls[index].glow, false);
  SetPieceColor(m_balls[index].glow, kDark);
  RestartAnimation(m_balls[index].ball, false);
  RestartAnimation(m_balls[index].glow, false);
  m_clock = std::min(m_clock + kBurnOutPenalty, kLongestClock);
  --m_lit_count;
}

bool MiniGameSignalling::IsWorkingFinished(float dt) {
  if (m_clock < 0.0f) {
    Finish("win");
    return false;
  }
  ShowClock();
  m_clock -= dt;
  m_spawn_delay -= dt;
  if (CanLightBall(m_spawn_delay, m_lit_count, m_free.size())) LightBall();
  for (std::size_t i = 0; i < m_lit.size();) {
    const RenderObject* glow = PieceModel(m_balls[m_lit[i]].glow);
    const float time = glow != nullptr ? glow->GetAnimation().GetTime() : kGlowRise;
    SetPieceColor(m_balls[m_lit[i]].glow, Vector4(1.0f, 1.0f, 1.0f, std::min(time / kGlowRise, 1.0f)));
    if (glow == nullptr || !glow->GetAnimation().IsPlaying()) {
      BurnOut(i);
    } else {
      ++i;
    }
  }
  return MiniGame::IsWorkingFinished(dt);
}

bool MiniGameSignalling::OnMouse(const Vector2& point, bool button_down) {
  const bool answer = MiniGame::OnMouse(point, button_down);
  if (AcceptsPieceInput() && IsFreshLeftPress()) {
    for (std::size_t i = 0; i < m_lit.size();) {
      Ball& ball = m_balls[m_lit[i]];
      if (!RayHitsPiece(ball.ball)) {
        ++i;
        continue;
      }
      if (m_put_out) cSoundPlayer::GetInstance()->Play(m_put_out, false);
      m_free.push_back(m_lit[i]);
      ShowPiece(ball.glow, false);
      SetPieceColor(ball.glow, kDark);
      if ((ball.kind == 1 && !RayHitsPiece(m_bg_red)) || (ball.kind == 2 && !RayHitsPiece(m_bg_blue))) {
        m_clock += kWrongPlacePenalty;
      }
      m_clock = std::min(m_clock, kLongestClock);
      m_lit.erase(m_lit.begin() + static_cast<std::ptrdiff_t>(i));
      --m_lit_count;
    }
  }
  UpdateWarning();
  return answer;
}

void MiniGameSignalling::UpdateWarning() {
  if (!m_less_time) return;
  if (m_clock <= kWarningAt && !m_warning) {
    cSoundPlayer::GetInstance()->Play(m_less_time, true);
    m_warning = true;
  } else if (m_clock > kWarningAt && m_warning) {
    cSoundPlayer::GetInstance()->Stop(m_less_time);
    m_warning = false;
  }
}

void MiniGameSignalling::Finish(const std::string& word) {
  MiniGame::Finish(word);
  DeleteSoundHandles(cSoundPlayer::GetInstance()->GetHandles());
  m_warning = false;
}

void MiniGameSignalling::SetVisible(bool v) {
  MiniGame::SetVisible(v);
  MatchModelsToPieces(*this);
}
