#include "tests/Sources/minigames/PlayBench.h"

#include <algorithm>
#include <cmath>

#include "Sources/minigames/MiniGameFactory.h"
#include "gui/include/GUIFont.h"
#include "gui/include/GUIFontTable.h"
#include "gui/include/TextTable.h"
#include "gui/include/cFontResource.h"
#include "platform/input/headless/HeadlessInput.h"
#include "platform/os/os.h"
#include "source/input/cInput.h"
#include "source/render/RenderObject.h"
#include "source/sound/cSoundManager.h"
#include "source/sound/cSoundPlayer.h"
#include "source/sound/cSoundResource.h"

namespace {

// The hint window shows the intro until the test says the hero has finished speaking.
class BenchIntro : public MiniGameIntro {
 public:
  explicit BenchIntro(BenchHost& host) : m_host(host) {}
  ~BenchIntro() override {
    if (m_showing) m_host.speaking = false;
  }
  void Show() override {
    m_showing = m_host.speaking = true;
    ++m_host.intros_shown;
  }

 private:
  BenchHost& m_host;
  bool m_showing = false;
};

// The slots of "game_init\\game_init".
constexpr const char* kFonts[] = {"fonts\\main",    "fonts\\title", "fonts\\small", "fonts\\button",
                                  "fonts\\heading", "fonts\\ink",   "fonts\\digits"};

bool PicksModel(const RenderObject& model, const Vector2& point) {
  return model.PickByRay(Vector3(point.x, point.y, -100.0f), Vector3(0.0f, 0.0f, 1100.0f));
}

}  // namespace

// ---- the stand-in host ----------------------------------------------------------------------------------

void BenchHost::SetButtonMode(const std::string&, bool on, const DelegatePtr& on_click, int) {
  exit_shown = on;
  exit_handler = on ? on_click : DelegatePtr();
}

bool BenchHost::HandleExitButtonMouse(const Vector2& point, bool) {
  const cInput* input = cInput::PeekInstance();
  const bool inside = point.x >= kExitX && point.x <= kExitX + kExitW && point.y >= kExitY && point.y <= kExitY + kExitH;
  if (!exit_shown || !inside) return false;
  if (input != nullptr && input->Mouse().IsPressed(cInput::kMouseLeft) && exit_handler) {
    DelegatePtr handler = exit_handler;  // the handler may change the panel
    handler->Invoke(0);
  }
  return true;
}

std::unique_ptr<MiniGameIntro> BenchHost::MakeIntro(const std::string&, const std::string& key) {
  if (intro_key.empty() || key != intro_key) return nullptr;
  return std::make_unique<BenchIntro>(*this);
}

void BenchHost::ShowMessageBox(const std::string&, const std::string& text_key) { box = text_key; }

void BenchHost::ShowYesNoBox(const std::string&, const std::string& text_key, const DelegatePtr& yes,
                             const DelegatePtr& no) {
  box = text_key;
  yes_handler = yes;
  no_handler = no;
}

void BenchHost::ForgetCallbacksOf(const void* object) {
  for (DelegatePtr* handler : {&yes_handler, &no_handler, &exit_handler}) {
    if (*handler && (*handler)->GetObject() == object) *handler = DelegatePtr();
  }
}

bool BenchHost::Answer(bool yes) {
  if (box != "skip_minigame") return false;
  box.clear();
  DelegatePtr handler = yes ? yes_handler : no_handler;
  yes_handler = no_handler = DelegatePtr();
  if (handler) handler->Invoke(0);
  return true;
}

// ---- the bench --------------------------------------------------------------------------------------------

void PlayBench::SetUp() {
  GuiTest::SetUp();
  window::headless::SetClientSize(static_cast<int>(GUISystem::kReferenceWidth),
                                  static_cast<int>(GUISystem::kReferenceHeight));
  ASSERT_TRUE(cInput::GetInstance()->InitInput());
  MountData();
  for (int slot = 0; slot < static_cast<int>(std::size(kFonts)); ++slot) {
    cResourcePtr<cFontResource> font;
    ASSERT_TRUE(font.Assign(kFonts[slot])) << kFonts[slot];
    Found(gui->GetFontTable()).Set(slot, CountedPtr<GUIFont>(new GUIFont(font)));
  }
  cResourcePtr<cTextResource> texts;
  ASSERT_TRUE(texts.Assign("en"));
  *gui->GetTextTable() = texts;
  cSoundManager::GetInstance()->GetDevice().StopThread();
  SetRandState(0);
  profile.m_stage = kStage;
  profile.m_locations.emplace_back();
  profile.m_locations.front().m_name = kStage;
  profile.m_progress.m_hints = 3;
  CurrentProfile = &profile;
  SetMiniGameHost(&host);
  Frame();
}

void PlayBench::TearDown() {
  while (!m_games.empty()) Destroy(m_games.back());
  SetMiniGameHost(nullptr);
  CurrentProfile = nullptr;
  input::headless::SetMouseButton(input::kButtonLeft, false);
  input::headless::ReleaseAllKeys();
  GuiTest::TearDown();
  m_groups.clear();
}

void PlayBench::MountData() {
  RegisterSoundResourceType();
  // The data the content tool built beside the test programs.
  const std::string folder = os::ExecutableDirectory();
  for (const char* group : {"data", "localization"}) {
    m_groups.push_back(std::make_unique<cResourceLocation>(group, folder));
    ASSERT_TRUE(m_groups.back()->Mount()) << "no " << group << " beside " << folder;
  }
}

MiniGame* PlayBench::Make(const std::string& name) {
  MiniGame* game = CreateMiniGame(user, name);
  if (game != nullptr) m_games.push_back(game);
  return game;
}

MiniGame* PlayBench::Adopt(MiniGame* game) {
  m_games.push_back(game);
  return game;
}

void PlayBench::Destroy(MiniGame* game) {
  m_games.erase(std::remove(m_games.begin(), m_games.end(), game), m_games.end());
  if (m_running == game) m_running = nullptr;
  delete game;
}

void PlayBench::Begin(MiniGame* game) {
  game->Start();
  m_running = game;
}

void PlayBench::Play(MiniGame* game) {
  Begin(game);
  for (float t = 0.0f; t < 2.0f && (game->GetState() != GUIStateWindow::kWorking || game->GetMouseHoldOff() != 0);
       t += kFrame) {
    Frame();
  }
}

void PlayBench::PlayOut(MiniGame* game) {
  for (float t = 0.0f; t < 2.0f && game->GetState() != GUIStateWindow::kHidden; t += kFrame) Frame();
}

void PlayBench::ExpectWonAfter(MiniGame& game, float waiting, float then) {
  RunFor(waiting);
  EXPECT_EQ(game.GetResult(), "wait") << game.GetName() << " still on after " << waiting << " s";
  RunFor(then);
  EXPECT_EQ(game.GetResult(), "win") << game.GetName();
}

void PlayBench::Frame(float dt) {
  clock->Advance(dt);
  cTimerManager::GetInstance()->UpdateFrameTime();
  cInput::GetInstance()->UpdateInput();
  if (cSoundManager* sound = cSoundManager::PeekInstance()) sound->Update();
  if (cSoundPlayer* player = cSoundPlayer::PeekInstance()) player->Update();
  gui->Update();
  // The location looks after its running game once a frame.
  if (m_running != nullptr && m_running->GetResult() == "wait") m_running->UpdatePause();
  RenderManager::GetInstance()->RenderFrame();
}

void PlayBench::RunFor(float seconds, float dt) {
  for (float t = 0.0f; t + dt / 2 < seconds; t += dt) Frame(dt);
}

void PlayBench::SetPointer(const Vector2& point) {
  // The cursor maps client pixel (x, y) to GUI (x, h - 1 - y) on a window of the GUI's size.
  window::headless::SetMousePosition(static_cast<int>(point.x + 0.5f),
                                     static_cast<int>(GUISystem::kReferenceHeight - 1.0f - point.y + 0.5f));
}

void PlayBench::MoveTo(const Vector2& point) {
  SetPointer(point);
  Frame();
}

void PlayBench::Press(const Vector2& point) {
  MoveTo(point);
  input::headless::SetMouseButton(input::kButtonLeft, true);
  Frame();
}

void PlayBench::Release(const Vector2& point) {
  MoveTo(point);
  input::headless::SetMouseButton(input::kButtonLeft, false);
  Frame();
}

void PlayBench::Click(const Vector2& point) {
  Press(point);
  Release(point);
}

void PlayBench::Drag(const std::vector<Vector2>& path) {
  if (path.empty()) return;
  Press(path.front());
  for (const Vector2& point : path) MoveTo(point);
  Release(path.back());
}

void PlayBench::MoveBy(int32_t dx, int32_t dy) {
  input::headless::MoveMouse(dx, dy);
  Frame();
}

void PlayBench::TapKey(uint8_t code) {
  input::headless::SetKey(code, true);
  Frame();
  input::headless::SetKey(code, false);
  Frame();
}

void PlayBench::ClickPiece(MiniGame& game, const std::string& piece) {
  const GUIWindow* window = game.FindChild(piece);
  ASSERT_NE(window, nullptr) << piece;
  const std::optional<Vector2> point = PointOn(*window);
  ASSERT_TRUE(point.has_value()) << "nothing of " << piece << " can be picked";
  Click(*point);
}

void PlayBench::Type(MiniGame& game, const std::string& prefix, const std::string& keys) {
  for (char key : keys) ClickPiece(game, prefix + key);
}

void PlayBench::ClickBeside(MiniGame& game) {
  const std::optional<Vector2> point = PointBeside(game);
  ASSERT_TRUE(point.has_value());
  Click(*point);
}

void PlayBench::ClickExitButton() {
  Click(Vector2(BenchHost::kExitX + BenchHost::kExitW / 2, BenchHost::kExitY + BenchHost::kExitH / 2));
}

bool PlayBench::Picks(const GUIWindow& window, const Vector2& point) {
  const RenderObject* model = window.GetVisual().GetModel();
  return model != nullptr && PicksModel(*model, point);
}

std::optional<Vector2> PlayBench::PointOn(const GUIWindow& window) {
  const RenderObject* model = window.GetVisual().GetModel();
  if (model == nullptr) return std::nullopt;
  const cBoundingBox& box = model->GetBoundingBox();
  // A point no sibling that takes clicks covers (plain windows, statics and texts take none), so
  // that the click is this window's alone.
  const auto alone = [&window](const Vector2& point) {
    if (window.GetParent() == nullptr) return true;
    return std::none_of(Found(window.GetParent()).GetChildren().begin(), window.GetParent()->GetChildren().end(),
                        [&](const GUIWindow* other) {
                          const std::string type = other->GetTypeName();
                          return other != &window && type != "window" && type != "static" && type != "text" &&
                                 Picks(*other, point);
                        });
  };
  // Whole GUI units (the mouse moves by pixels), from the middle outward.
  for (int ring = 0; ring <= 8; ++ring) {
    for (int i = -ring; i <= ring; ++i) {
      for (int j = -ring; j <= ring; ++j) {
        if (std::max(std::abs(i), std::abs(j)) != ring) continue;
        const float u = 0.5f + static_cast<float>(i) / 18.0f, v = 0.5f + static_cast<float>(j) / 18.0f;
        const Vector2 point(std::round(box.m_world_min.x + u * (box.m_world_max.x - box.m_world_min.x)),
                            std::round(box.m_world_min.y + v * (box.m_world_max.y - box.m_world_min.y)));
        if (PicksModel(*model, point) && alone(point)) return point;
      }
    }
  }
  return std::nullopt;
}

std::optional<Vector2> PlayBench::PointBeside(const MiniGame& game) {
  for (float y = 10.0f; y < GUISystem::kReferenceHeight; y += 40.0f) {
    for (float x = 10.0f; x < BenchHost::kExitX - 10.0f; x += 40.0f) {
      const Vector2 point(x, y);
      const bool on_piece = std::any_of(game.GetChildren().begin(), game.GetChildren().end(),
                                        [&](const GUIWindow* c) { return Picks(*c, point); });
      if (!on_piece) return point;
    }
  }
  return std::nullopt;
}

Vector3 PlayBench::Pose(const GUIWindow& window) {
  const Matrix4& world = window.GetWorld();
  return Vector3(world.m[12], world.m[13], world.m[14]);
}

float PlayBench::ShaderFrame(const GUIWindow* window) {
  const RenderObject* model = window != nullptr ? window->GetVisual().GetModel() : nullptr;
  return model != nullptr ? const_cast<RenderObject*>(model)->GetShaderHolder().GetStartFrame(0) : -1.0f;
}

std::string PlayBench::TextOf(MiniGame& game, const std::string& child) {
  GUIWindow* window = game.FindChild(child);
  return window != nullptr ? window->GetValue("text") : std::string("<missing>");
}

std::string PlayBench::Stored(const std::string& name) const {
  const auto& values = profile.m_locations.front().m_values;
  const auto found = values.find(name);
  return found != values.end() ? found->second : std::string();
}
