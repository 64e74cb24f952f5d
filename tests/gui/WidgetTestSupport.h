#pragma once
// Shared set-up of the widget tests: the GUI of GuiTest with test fonts in slots 0 and 1, the left
// mouse button driven through the input manager's poll (so fresh presses and releases show as the
// widgets read them), events counted, key messages handed to the edit boxes, and sounds that can
// be heard to play.

#include <functional>
#include <map>
#include <string>

#include "gui/include/GUIFontTable.h"
#include "gui/include/GUIWidgetSupport.h"
#include "source/core/Delegate.h"
#include "source/input/cInput.h"
#include "source/model/Model.h"
#include "source/render/RenderObject.h"
#include "source/sound/cSoundManager.h"
#include "source/sound/cSoundPlayer.h"
#include "tests/gui/GuiTestFonts.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/source/sound/SoundFixtures.h"
#include "tests/support/Found.h"
#include "tests/support/fixtures/ResourceFixtures.h"

class WidgetTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    cInput::GetInstance();
    SetFont(0, TestFont(kLatin + u"АБВЖЯабвжя\u05D0\u05D1\u05D2"));
    SetFont(1, TestFont(kLatin, 20.0f));
  }
  void TearDown() override {
    SetGUIKeySource(nullptr);
    for (const auto& model : m_models) GUISystem::RemoveModel(model.get());
    GuiTest::TearDown();
    m_models.clear();
  }

  // The frame clock moved by dt (the widgets read its delta).
  void Tick(float dt) {
    clock->Advance(dt);
    cTimerManager::GetInstance()->UpdateFrameTime();
  }

  void SetFont(int slot, const GUIFont& model) {
    FontDescription description;
    description.size = model.GetSize();
    Found(gui->GetFontTable()).Set(slot, CountedPtr<GUIFont>(new GUIFont(model.GetGlyphs(), description)));
  }

  // One poll of the mouse with the left button down or up, then the point offered to the window.
  static bool Mouse(GUIWindow& window, const Vector2& point, bool down) {
    InputState& mouse = cInput::GetInstance()->m_states[cInput::kMouse];
    mouse.Swap();
    mouse.current[cInput::kMouseLeft] = down ? 0x80 : 0;
    return window.HandleMouse(point, down);
  }
  // A press and a release at the point, a poll each.
  static void Click(GUIWindow& window, const Vector2& point) {
    Mouse(window, point, true);
    Mouse(window, point, false);
  }

  // Counts the event's firings on the window.
  int& Count(GUIWindow& window, const std::string& event) {
    int& count = m_counts[&window][event] = 0;
    OnEvent(window, event, [&count](GUIWindow*) { ++count; });
    return count;
  }
  // Runs `handler` with the sender whenever the event fires.
  static void OnEvent(GUIWindow& window, const std::string& event, std::function<void(GUIWindow*)> handler) {
    window.SetEvent(event, DelegatePtr(new Handler(std::move(handler))));
  }

  // The next frame's key message.
  void Key(bool is_character, char16_t code) {
    m_key = GUIKeyMessage{true, is_character, code};
    SetGUIKeySource([this] { return m_key; });
  }
  void Type(GUIWindow& box, const std::u16string& text) {
    for (char16_t c : text) {
      Key(true, c);
      box.HandleMouse(Vector2(-1, -1), false);
    }
  }
  void Press(GUIWindow& box, char16_t key) {
    Key(false, key);
    box.HandleMouse(Vector2(-1, -1), false);
  }

  // Sounds named `names` in a "data" group, and the sound manager with its thread stopped.
  void MountSounds(const std::vector<std::string>& names) {
    FixtureTree tree(m_dir.Path(), "data");
    for (const std::string& name : names) tree.AddFile(name + ".wav", sound_fixtures::ToneWav(0.5, 440, 0.5f));
    ScopedCurrentDirectory here(m_dir.Path());
    RegisterSoundResourceType();
    cResourceManager::GetInstance()->AddDirectory("data");
    cSoundManager::GetInstance()->GetDevice().StopThread();
  }
  // A model whose corners lie on the rectangle (GUI units), entered in the GUI's model map.
  RenderObject* AddRectModel(const std::string& name, float x, float y, float w, float h) {
    CountedPtr<Model> mesh(new Model(name, 4, 4, 0));
    static constexpr float kCorners[4][2] = {{1, 0}, {1, 1}, {0, 0}, {0, 1}};
    for (uint32_t i = 0; i < 4; ++i) {
      *mesh->m_vertices->GetVertex(i) =
          Vertex{x + kCorners[i][0] * w, y + kCorners[i][1] * h, 0, 0, 0, -1, 0xFFFFFFFFu, kCorners[i][0], kCorners[i][1]};
      mesh->m_indices->SetIndex(i, i);
    }
    m_models.push_back(std::make_unique<RenderObject>(mesh, gui->GetCamera(), 0));
    RenderObject* object = m_models.back().get();
    object->ComputeBounds();
    object->SetWorldMatrix(Matrix4());
    gui->AddModel(name, object);
    return object;
  }

  static std::size_t SoundsStarted() {
    cSoundPlayer* player = cSoundPlayer::PeekInstance();
    return player != nullptr ? player->GetHandles().size() : 0;
  }

 private:
  class Handler : public cDelegate {
   public:
    explicit Handler(std::function<void(GUIWindow*)> f) : m_f(std::move(f)) {}
    const void* GetObject() const override { return this; }
    const void* GetFunction() const override { return nullptr; }
    DelegateArg Invoke(DelegateArg sender) override {
      m_f(reinterpret_cast<GUIWindow*>(sender));
      return 0;
    }

   private:
    std::function<void(GUIWindow*)> m_f;
  };

  std::map<GUIWindow*, std::map<std::string, int>> m_counts;
  std::vector<std::unique_ptr<RenderObject>> m_models;
  GUIKeyMessage m_key;
};
