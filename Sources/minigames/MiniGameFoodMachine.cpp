#include "Sources/minigames/MiniGameFoodMachine.h"

#include <algorithm>
#include <cmath>

#include "Sources/minigames/MiniGamePieces.h"
#include "platform/input/KeyCodes.h"
#include "platform/window/window.h"
#include "source/camera/CameraManager.h"
#include "source/input/cInput.h"
#include "source/render/RenderObject.h"
#include "source/timer/cTimerManager.h"

namespace {

// The pointer is hidden only while the game is played; every way out shows it.
void ShowPointer(bool shown) { window::ShowPointer(shown); }

// Fractions of boxes the motion's tests use.
constexpr float kCoinBottomRaise = 0.3f;  // of the coin's half height
constexpr float kBatTop = 0.9f;           // the bat's top tenth takes coins
constexpr float kHoleInner = 0.35f;       // trimmed off the slot at top and bottom: its rim
constexpr float kHoleDrop = 0.3f;
constexpr float kHoleDropShift = 60.0f;   // a coin must be this far into the slot to fall in

bool IsEmpty(const Vector3& minimum, const Vector3& maximum) { return !(minimum.x < maximum.x && minimum.y < maximum.y); }

}  // namespace

MiniGameFoodMachine::MiniGameFoodMachine(GUIWindow* parent) : MiniGame("foodmachine", parent) {
  LoadForm("minigames\\location_6\\food_machine");
  m_bat = FindPiece(*this, "bat");
  m_coins[0] = FindPiece(*this, "coin");
  if (RenderObject* coin_model = ModelOf(m_coins[0])) {
    for (int i = 1; i < kCoins; ++i) {
      m_coin_models.push_back(RenderObject::Clone(*coin_model));
      auto* copy = new GUIWindow(this, "coin_" + std::to_string(i));
      copy->GetVisual().SetModel(m_coin_models.back().get());
      copy->MoveToFront(false);
      m_coins[i] = copy;
    }
  }
  m_doughnuts = FindNumberedPieces(*this, "donut_", kDoughnuts);
  m_edge = FindPiece(*this, "edge");
  m_hole = FindPiece(*this, "hole");
  m_helper = FindPiece(*this, "helper");
  // The machine's front is drawn over the coins that move behind its glass.
  FindPiece(*this, "food_machine_back");
  if (GUIWindow* front = FindPiece(*this, "food_machine")) front->MoveToFront(false);
  // The rule is written on the front.
  if (GUIWindow* rule = FindChild("rule")) rule->MoveToFront(false);
  RefreshLayout(*this);
  m_camera = MakeArcadeCamera(*this, FindPiece(*this, "bbox"));
  if (RenderObject* helper = ModelOf(m_helper)) {
    // The travel marker's animation spans the bat's travel: measured at its two ends.
    AnimationController& travel = helper->GetAnimation();
    if (travel.SetAnimation("main")) {
      helper->Update(false);
      m_range_start = helper->GetBoundingBox().m_world_min.x;
      travel.SetTime(travel.GetFramesPerSecond() * travel.GetLength());
      helper->Update(false);
      m_range_end = helper->GetBoundingBox().m_world_min.x;
      travel.SetTime(0.0f);
      helper->Update(false);
    }
    m_helper->Show(false);
  }
  for (GUIWindow* doughnut : m_doughnuts) SelectAnimation(doughnut, "donut", false);
  m_platform_sound = HoldSound("audio\\game\\platform");
  m_bounce_sound = HoldSound("audio\\game\\coin02");
  m_slot_sound = HoldSound("audio\\game\\coin03");
  m_doughnut_sound = HoldSound("audio\\game\\doughnut");
  ResetCoins();
}

MiniGameFoodMachine::~MiniGameFoodMachine() {
  ShowPointer(true);
  ReleaseArcadeCamera(*this, m_camera);
  // The copies go before the models they borrow.
  for (int i = 1; i < kCoins; ++i) delete m_coins[i];
}

void MiniGameFoodMachine::SetState(int state) {
  const int previous = GetState();
  MiniGame::SetState(state);
  HideUnshownPieces(*this);
  if (state != kWorking) {
    ShowPointer(true);
    return;
  }
  ShowPointer(false);
  // Back from a pause the game goes on where it stood.
  if (previous == kPaused) return;
  SelectAnimation(m_bat, "bat", false);
  SelectAnimation(m_helper, "main", false);
  ResetCoins();
  m_launch_time = kFirstLaunch;
  m_needed = 1;
  m_served = 0;
  m_running = true;
}

void MiniGameFoodMachine::Start() {
  MiniGame::Start();
  window::GetMousePosition(&m_last_x, &m_last_y);
  m_served = 0;
  for (GUIWindow* piece : {m_bat, m_doughnuts[0], m_doughnuts[1], m_doughnuts[2], m_doughnuts[3], m_doughnuts[4]}) {
    if (RenderObject* model = ModelOf(piece)) {
      model->GetAnimation().SetTime(0.0f);
      model->GetAnimation().SetPlaying(false);
    }
  }
  ShowPointer(false);
}

void MiniGameFoodMachine::Finish(const std::string& word) {
  MiniGame::Finish(word);
  m_running = false;
  ShowPointer(true);
}

bool MiniGameFoodMachine::IsWorkingFinished(float dt) {
  // A box or menu over the game takes the mouse: the player needs the pointer to answer it.
  ShowPointer(!m_dispatched);
  m_dispatched = false;
  const RenderObject* first = ModelOf(m_doughnuts[0]);
  if (m_served == kDoughnuts && (first == nullptr || AnimationAtEnd(first->GetAnimation()))) {
    Finish("win");
    return false;
  }
  return MiniGame::IsWorkingFinished(dt);
}

bool MiniGameFoodMachine::OnMouse(const Vector2& point, bool button_down) {
  const cInput* poll = cInput::PeekInstance();
  if (m_result == "wait" && poll != nullptr && poll->Keyboard().IsPressed(input::kKeyEscape)) {
    Finish("close");
    return true;
  }
  const bool answer = MiniGame::OnMouse(point, button_down);
  if (m_running && m_result == "wait" && GetState() == kWorking) {
    m_dispatched = true;
    const cTimerManager* timer = cTimerManager::PeekInstance();
    Step(timer != nullptr ? timer->GetFrameDelta() : 0.0f);
  }
  return answer;
}

void MiniGameFoodMachine::Step(float dt) {
  MoveBat();
  const int steps = std::max(1, static_cast<int>(std::ceil(dt / kLongestStep)));
  for (int s = 0; s < steps && m_result == "wait"; ++s) {
    for (int coin = 0; coin < kMovingCoins; ++coin) {
      if (m_active[coin]) StepCoin(coin, dt / static_cast<float>(steps));
    }
  }
  m_launch_time -= dt;
  if (m_launch_time < 0.0f) {
    LaunchCoin();
    m_launch_time = kLaunchEvery;
  }
}

void MiniGameFoodMachine::MoveBat() {
  int x = m_last_x, y = m_last_y;
  if (!window::GetMousePosition(&x, &y)) return;
  const int dx = x - m_last_x;
  m_last_x = x;
  m_last_y = y;
  if (m_bat == nullptr) return;
  const float bat_x = std::clamp(m_bat->GetLocal().m[12] + static_cast<float>(dx), 0.0f,
                                 std::max(0.0f, m_range_end - m_range_start));
  m_bat->SetMatrix(Matrix4::MakeTranslation(bat_x, 0.0f, 0.0f));
  RefreshLayout(*m_bat);
}

Vector2 MiniGameFoodMachine::BatBounce(float a, float b) {
  const float f = std::clamp(2.0f * (0.5f - (std::clamp(a, 0.0f, 1.0f) + std::clamp(b, 0.0f, 1.0f))), -1.0f, 1.0f);
  return Vector2(-kSideSpeed * f, ((std::fabs(f) * 50.0f + 50.0f) * kGravity) / 100.0f);
}

void MiniGameFoodMachine::StepCoin(int coin, float dt) {
  GUIWindow* window = m_coins[coin];
  if (window == nullptr) return;
  Vector3& v = m_velocity[coin];
  v.y = std::max(v.y - kGravity * dt, -kGravity);
  const Matrix4& local = window->GetLocal();
  Vector3 position(local.m[12] + dt * v.x, local.m[13] + dt * v.y, local.m[14] + dt * v.z);
  if (v.x < 0.0f && position.x < kLeftWall) v.x = kSideSpeed;
  if (position.x > kRightWall) v.x = -kSideSpeed;
  if (position.y < kFloor) {
    window->Show(false);
    m_active[coin] = false;
  }
  PlaceCoin(coin, position);
  if (!m_active[coin]) return;

  const cBoundingBox coin_box = BoxOf(window);
  Vector3 c_min = coin_box.m_world_min, c_max = coin_box.m_world_max;
  c_min.y += kCoinBottomRaise * coin_box.m_half_extents.y;
  const cBoundingBox hole = BoxOf(m_hole);
  if (m_hole != nullptr && OverlapXY(c_min, c_max, hole.m_world_min, hole.m_world_max)) {
    const float height = hole.m_world_max.y - hole.m_world_min.y;
    Vector3 inner_min = hole.m_world_min, inner_max = hole.m_world_max;
    inner_min.y += kHoleInner * height;
    inner_max.y -= kHoleInner * height;
    Vector3 drop_min = hole.m_world_min, drop_max = hole.m_world_max;
    drop_min.x += kHoleDropShift;
    drop_max.x += kHoleDropShift;
    drop_min.y += kHoleDrop * height;
    drop_max.y -= kHoleDrop * height;
    if (IsEmpty(inner_min, inner_max) || c_max.x < inner_min.x || c_max.y < inner_min.y) {
      v.x = -kSideSpeed;  // the rim throws it back
    } else if (!IsEmpty(drop_min, drop_max) && drop_min.x <= c_max.x && drop_min.y <= c_max.y) {
      DropCoin(coin);
      return;
    }
  } else if (m_edge != nullptr && OverlapXY(c_min, c_max, BoxOf(m_edge).m_world_min, BoxOf(m_edge).m_world_max)) {
    v.y = kGravity;
    PlayIfQuiet(m_bounce_sound);
  }
  if (m_bat == nullptr) return;
  const cBoundingBox bat = BoxOf(m_bat);
  Vector3 top_min = bat.m_world_min;
  top_min.y += kBatTop * (bat.m_world_max.y - bat.m_world_min.y);
  if (!OverlapXY(c_min, c_max, top_min, bat.m_world_max)) return;
  const float width = bat.m_world_max.x - bat.m_world_min.x;
  if (!(width > 0.0f)) return;
  const Vector2 bounce = BatBounce((c_min.x - top_min.x) / width, (c_max.x - top_min.x) / width);
  v.x = bounce.x;
  v.y = bounce.y;
  SelectAnimation(m_bat, "bat", true);
  PlayIfQuiet(m_bounce_sound);
}

void MiniGameFoodMachine::DropCoin(int coin) {
  m_coins[coin]->Show(false);
  m_active[coin] = false;
  --m_needed;
  PlayArcadeSound(m_slot_sound);
  PlayArcadeSound(m_doughnut_sound);
  if (m_needed > 0) return;
  if (m_served < kDoughnuts) {
    SelectAnimation(m_doughnuts[m_served], "donut", true);
    ++m_served;
  }
  m_needed = 1;
}

void MiniGameFoodMachine::LaunchCoin() {
  for (int coin = 0; coin < kMovingCoins; ++coin) {
    if (m_active[coin] || m_coins[coin] == nullptr) continue;
    m_active[coin] = true;
    m_velocity[coin] = Vector3(kSideSpeed, kLaunchSpeedY, 0.0f);
    PlaceCoin(coin, Vector3());
    m_coins[coin]->Show(true);
    return;
  }
}

void MiniGameFoodMachine::ResetCoins() {
  for (int coin = 0; coin < kCoins; ++coin) {
    m_active[coin] = false;
    m_velocity[coin] = Vector3();
    if (m_coins[coin] == nullptr) continue;
    PlaceCoin(coin, Vector3());
    m_coins[coin]->Show(false);
  }
}

void MiniGameFoodMachine::PlaceCoin(int coin, const Vector3& position) {
  GUIWindow* window = m_coins[coin];
  window->SetMatrix(Matrix4::MakeTranslation(position.x, position.y, position.z));
  RefreshLayout(*window);
}
