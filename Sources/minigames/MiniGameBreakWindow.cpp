#include "Sources/minigames/MiniGameBreakWindow.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "Sources/minigames/MiniGamePieces.h"
#include "gui/include/GUISystem.h"
#include "source/input/cInput.h"
#include "source/log/cLog.h"
#include "source/render/RenderObject.h"

namespace {

constexpr const char* kSource = "Sources\\MiniGame";

// The centre of `inner` lies strictly inside `outer` in x and y.
bool Contains(const cBoundingBox& outer, const Vector3& point) {
  return point.x > outer.m_world_min.x && point.x < outer.m_world_max.x && point.y > outer.m_world_min.y &&
         point.y < outer.m_world_max.y;
}

}  // namespace

MiniGameBreakWindow::MiniGameBreakWindow(GUIWindow* parent) : MiniGameBreakWindow(parent, "minigames\\location_9\\break_window\\break_window") {}

MiniGameBreakWindow::MiniGameBreakWindow(GUIWindow* parent, const std::string& form) : MiniGame("break_window", parent) {
  LoadForm(form);
  for (GUIWindow* look = FindChild("window_0"); look != nullptr;
       look = FindChild("window_" + std::to_string(m_looks.size()))) {
    m_looks.push_back(look);
  }
  if (m_looks.empty()) LogReport(kLogError, kSource, __LINE__, "break_window: no looks \"window_0\"...");
  m_gauge = FindPiece(*this, "indicator");
  m_fill = FindPiece(*this, "indicator_full");
  m_stone = FindPiece(*this, "stone");
  m_arrow = FindPiece(*this, "arrow");
  m_burst = FindPiece(*this, "boom");
  m_background = FindPiece(*this, "background");
  m_fence = FindPiece(*this, "fence");
  for (GUIWindow* piece : {m_gauge, m_fill, m_stone, m_arrow, m_burst, FindPiece(*this, "frame")}) {
    if (piece != nullptr) piece->MoveToFront(false);
  }
  if (m_burst != nullptr) m_burst->Show(false);
  RefreshLayout(*this);
  m_camera = MakeArcadeCamera(*this, FindPiece(*this, "bbox"));
  // The stone's start; a missing or unreadable one is the origin.
  const std::string xyz = m_stone != nullptr ? m_stone->GetValue("xyz") : std::string();
  float x = 0.0f, y = 0.0f, z = 0.0f;
  if (std::sscanf(xyz.c_str(), "%f,%f,%f", &x, &y, &z) == 3 && std::isfinite(x) && std::isfinite(y) &&
      std::isfinite(z)) {
    m_start = Vector3(x, y, z);
  } else {
    LogReport(kLogError, kSource, __LINE__, "break_window: the stone's start \"%s\" is not \"x,y,z\"; 0,0,0 taken",
              xyz.c_str());
  }
  m_wall_sound = HoldSound("audio\\game\\stone_wall");
  m_glass_sound = HoldSound("audio\\game\\broke_glass");
}

MiniGameBreakWindow::~MiniGameBreakWindow() { ReleaseArcadeCamera(*this, m_camera); }

void MiniGameBreakWindow::Start() {
  MiniGame::Start();
  for (GUIWindow* piece : {m_stone, m_arrow, m_gauge, m_fill}) Place(piece, m_start, 0.0f);
  SelectAnimation(m_fill, "main", false);
  m_phase = kReady;
  m_look = 0;
  for (GUIWindow* look : m_looks) look->Show(false);
}

void MiniGameBreakWindow::SetState(int state) {
  MiniGame::SetState(state);
  HideUnshownPieces(*this);
}

void MiniGameBreakWindow::Place(GUIWindow* piece, const Vector3& position, float angle) {
  if (piece == nullptr) return;
  Matrix4 placement;
  placement.RotateZ(angle);
  placement.m[12] = position.x;
  placement.m[13] = position.y;
  placement.m[14] = position.z;
  piece->SetMatrix(placement);
  RefreshLayout(*piece);
}

float MiniGameBreakWindow::AngleTo(const Vector2& point) {
  Vector3 d = m_start - Vector3(point.x, point.y, 0.0f);
  if (d.x == 0.0f && d.y == 0.0f && d.z == 0.0f) {
    // A pointer on the start itself gives no direction.
    if (!m_logged_no_aim) LogReport(kLogWarning, kSource, __LINE__, "break_window: no aim from the start to itself");
    m_logged_no_aim = true;
    return 0.0f;
  }
  d.Normalize();
  const float angle = m_start.y <= point.y ? AngleBetween(d, Vector3(-1.0f, 0.0f, 0.0f)) : 0.0f;
  return std::clamp(std::isfinite(angle) ? angle : 0.0f, 0.0f, kMaxAngle);
}

bool MiniGameBreakWindow::OnMouse(const Vector2& point, bool button_down) {
  const bool answer = MiniGame::OnMouse(point, button_down);
  const cInput* input = cInput::PeekInstance();
  if (!AcceptsPieceInput() || input == nullptr || m_result != "wait") return answer;
  if (m_phase == kAiming) {
    m_angle = AngleTo(point);
    if (input->Mouse().IsPressed(cInput::kMouseLeft)) m_phase = kChargeStart;
  } else if (m_phase == kCharging && !input->Mouse().IsDown(cInput::kMouseLeft)) {
    m_phase = kThrow;
  }
  return answer;
}

bool MiniGameBreakWindow::IsWorkingFinished(float dt) {
  switch (m_phase) {
    case kReady: {
      if (m_gauge != nullptr) m_gauge->Show(false);
      if (m_fill != nullptr) m_fill->Show(false);
      if (m_arrow != nullptr) m_arrow->Show(true);
      for (GUIWindow* piece : {m_stone, m_arrow, m_gauge, m_fill}) Place(piece, m_start, 0.0f);
      const GUISystem* gui = GUISystem::PeekInstance();
      m_angle = gui != nullptr ? AngleTo(gui->GetMousePosition()) : 0.0f;
      m_phase = kAiming;
      break;
    }
    case kAiming:
      Place(m_arrow, m_start, m_angle);
      break;
    case kChargeStart:
      SelectAnimation(m_fill, "main", true);
      Place(m_arrow, m_start, m_angle);
      if (m_gauge != nullptr) m_gauge->Show(true);
      if (m_fill != nullptr) m_fill->Show(true);
      m_phase = kCharging;
      break;
    case kThrow:
      Throw();
      break;
    case kFlight:
      Fly(dt);
      break;
    case kAfterHit:
      m_delay -= dt;
      if (m_delay < 0.0f) {
        if (m_burst != nullptr) m_burst->Show(false);
        m_phase = kReady;
      }
      break;
    case kWon:
      m_delay -= dt;
      if (m_delay < 0.0f) {
        Finish("win");
        return false;
      }
      break;
    default:
      break;
  }
  return MiniGame::IsWorkingFinished(dt);
}

void MiniGameBreakWindow::Throw() {
  float power = 0.0f;
  if (RenderObject* fill = ModelOf(m_fill)) {
    AnimationController& animation = fill->GetAnimation();
    animation.SetPlaying(false);
    const float end = animation.GetLength() * animation.GetFramesPerSecond();
    power = end > 0.0f ? std::clamp(animation.GetTime() / end, 0.0f, 1.0f) : 0.0f;
    animation.SetTime(0.0f);
  }
  for (GUIWindow* piece : {m_arrow, m_gauge, m_fill}) {
    if (piece != nullptr) piece->Show(false);
  }
  m_position = m_start;
  m_velocity = Vector3(std::cos(m_angle) * kThrowSpeed * power, std::sin(m_angle) * kThrowSpeed * power, 0.0f);
  m_gravity = kGravity;
  m_angle = 0.0f;  // from here on the stone's spin
  m_phase = kFlight;
}

void MiniGameBreakWindow::Fly(float dt) {
  m_angle += kSpin * dt;
  m_position = m_position + m_velocity * dt;
  m_velocity.y -= m_gravity * dt;
  Place(m_stone, m_position, m_angle);
  const Vector3 centre = BoxOf(m_stone).m_centre;
  const int32_t looks = static_cast<int32_t>(m_looks.size());
  for (GUIWindow* look : m_looks) {
    if (!Contains(BoxOf(look), centre)) continue;
    if (m_look + 1 < looks) {
      ++m_look;
      m_looks[m_look]->Show(true);
    }
    PlayArcadeSound(m_glass_sound);
    if (m_look + 1 == looks) {
      m_delay = kWinDelay;
      m_phase = kWon;
    } else {
      Burst();
    }
    break;
  }
  if (m_fence != nullptr && Contains(BoxOf(m_fence), centre)) {
    PlayArcadeSound(m_wall_sound);
    Burst();
  } else if (m_phase == kFlight && !OverlapXY(BoxOf(m_stone), BoxOf(m_background))) {
    m_phase = kReady;
  }
}

void MiniGameBreakWindow::Burst() {
  if (m_burst != nullptr) {
    m_burst->MoveToFront(false);
    m_burst->Show(true);
    Place(m_burst, m_position, 0.0f);
  }
  m_delay = kBurstDelay;
  m_phase = kAfterHit;
}
